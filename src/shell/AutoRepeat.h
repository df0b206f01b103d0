#pragma once
// The auto-repeat of the zoom, scroll, page and rotate tool buttons: held down, a button
// acts at once, again after the repeat delay and then at the repeat rate, until it is
// released or the pointer leaves it. A release never acts. With repeating switched off
// in the options a button acts on its click instead. Qt's own auto-repeat acts at the
// release and cannot do this. GUI thread only.

#include <functional>

class QTimer;
class TGeneralOptionsObj;

// The one timer of the repeat; the main window's is a QTimer, tests drive a fake one.
class TRepeatTimer {
public:
    virtual ~TRepeatTimer() = default;
    virtual void Stop() = 0;
    // Starts with Interval ms; an interval of 0 or less leaves the timer stopped.
    virtual void Start(int Interval) = 0;
    virtual int Interval() const = 0;
};

class TQtRepeatTimer : public TRepeatTimer {
public:
    explicit TQtRepeatTimer(QTimer& Timer) : timer_(Timer) {}
    void Stop() override;
    void Start(int Interval) override;
    int Interval() const override;

private:
    QTimer& timer_;
};

class TAutoRepeat {
public:
    // The dispatch routine of a button group, with the button it runs for.
    using TAction = std::function<void(const void* Sender)>;

    TAutoRepeat(TRepeatTimer& Timer, const TGeneralOptionsObj& Options) : timer_(Timer), options_(Options) {}

    // Mouse down on a repeating button: acts once now and starts the delay, when
    // repeating is on.
    void MouseDown(TAction Action, const void* Sender);
    // The timer fired: acts again; the first repeat switches the timer to the rate.
    void TimerTick();
    void MouseUp() { cancel(); }
    // OverButton: the pointer lies on the button; ButtonHeld: a mouse button is down.
    // Leaving the button with a mouse button held ends the repeat.
    void MouseMove(bool SenderIsToolButton, bool ButtonHeld, bool OverButton);
    // A click acts only when repeating is off (else the mouse down already acted).
    bool ClickActs() const;
    bool Repeating() const { return static_cast<bool>(action_); }

private:
    void cancel();

    TRepeatTimer& timer_;
    const TGeneralOptionsObj& options_;
    TAction action_;
    const void* sender_ = nullptr;
};
