#include "shell/AutoRepeat.h"

#include "shell/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A timer that only records: the test fires it by calling TimerTick.
class TFakeTimer : public TRepeatTimer {
public:
    bool Active = false;
    int Value = 0;
    std::vector<std::string>* Log = nullptr;
    void Stop() override { Active = false; }
    void Start(int Interval) override {
        Value = Interval;
        Active = Interval > 0;
        if (Active) Log->push_back("start " + std::to_string(Interval));
    }
    int Interval() const override { return Value; }
};

struct Rig {
    std::vector<std::string> log;
    TFakeTimer timer;
    TGeneralOptionsObj options;
    TAutoRepeat repeat{timer, options};
    int button = 0;
    Rig() { timer.Log = &log; }
    TAutoRepeat::TAction action() {
        return [this](const void* sender) { log.push_back(sender == &button ? "act" : "wrong sender"); };
    }
};

} // namespace

TEST(AutoRepeat, HeldButtonActsAtDownAfterTheDelayThenAtTheRate) {
    Rig rig;
    rig.repeat.MouseDown(rig.action(), &rig.button);
    EXPECT_EQ(rig.log, (std::vector<std::string>{"act", "start 600"}));
    rig.repeat.TimerTick(); // the delay ran out: the rate takes over
    rig.repeat.TimerTick();
    rig.repeat.TimerTick();
    EXPECT_EQ(rig.log, (std::vector<std::string>{"act", "start 600", "act", "start 150", "act", "act"}));
    EXPECT_TRUE(rig.timer.Active);

    // Release never acts, and a late tick finds nothing to do.
    rig.repeat.MouseUp();
    EXPECT_FALSE(rig.timer.Active);
    rig.repeat.TimerTick();
    EXPECT_EQ(rig.log.size(), 6u);
    EXPECT_FALSE(rig.repeat.ClickActs());
}

TEST(AutoRepeat, LeavingTheButtonWhileHeldEndsTheRepeat) {
    struct Case {
        bool isToolButton, held, over, ends;
    };
    for (const Case c : {Case{true, true, true, false}, Case{true, false, false, false},
                         Case{true, true, false, true}, Case{false, false, true, true}}) {
        Rig rig;
        rig.repeat.MouseDown(rig.action(), &rig.button);
        rig.repeat.MouseMove(c.isToolButton, c.held, c.over);
        EXPECT_EQ(rig.repeat.Repeating(), !c.ends) << c.isToolButton << c.held << c.over;
        EXPECT_EQ(rig.timer.Active, !c.ends);
    }
}

TEST(AutoRepeat, WithRepeatingOffOnlyTheClickActs) {
    Rig rig;
    rig.options.EnableRepTBButtons = false;
    rig.repeat.MouseDown(rig.action(), &rig.button);
    EXPECT_TRUE(rig.log.empty());
    EXPECT_FALSE(rig.timer.Active);
    EXPECT_TRUE(rig.repeat.ClickActs());
}

TEST(AutoRepeat, IntervalsOfZeroOrLessStartNoTimer) {
    Rig rig;
    rig.options.RepeatDelay = 0;
    rig.repeat.MouseDown(rig.action(), &rig.button);
    EXPECT_EQ(rig.log, (std::vector<std::string>{"act"}));
    EXPECT_FALSE(rig.timer.Active);

    Rig rate;
    rate.options.RepeatRate = -5;
    rate.repeat.MouseDown(rate.action(), &rate.button);
    rate.repeat.TimerTick();
    EXPECT_EQ(rate.log, (std::vector<std::string>{"act", "start 600", "act"}));
    EXPECT_FALSE(rate.timer.Active);
}
