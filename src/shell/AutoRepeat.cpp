#include "shell/AutoRepeat.h"

#include "shell/Options.h"

#include <QTimer>

void TQtRepeatTimer::Stop() {
    timer_.stop();
}

void TQtRepeatTimer::Start(int Interval) {
    StartRepeatTimer(timer_, Interval);
}

int TQtRepeatTimer::Interval() const {
    return timer_.interval();
}

void TAutoRepeat::cancel() {
    timer_.Stop();
    action_ = nullptr;
    sender_ = nullptr;
}

void TAutoRepeat::MouseDown(TAction Action, const void* Sender) {
    cancel();
    if (!options_.EnableRepTBButtons) return;
    action_ = std::move(Action);
    sender_ = Sender;
    // The action may close windows or open a message; keep our own copy while it runs.
    TAction action = action_;
    action(Sender);
    if (action_) timer_.Start(options_.RepeatDelay);
}

void TAutoRepeat::TimerTick() {
    if (!action_ || !sender_) {
        timer_.Stop();
        return;
    }
    TAction action = action_;
    if (timer_.Interval() == options_.RepeatRate) {
        action(sender_);
        return;
    }
    timer_.Stop();
    const void* sender = sender_;
    action(sender);
    if (action_) timer_.Start(options_.RepeatRate);
}

void TAutoRepeat::MouseMove(bool SenderIsToolButton, bool ButtonHeld, bool OverButton) {
    if (!SenderIsToolButton || (ButtonHeld && !OverButton)) cancel();
}

bool TAutoRepeat::ClickActs() const {
    return !options_.EnableRepTBButtons;
}
