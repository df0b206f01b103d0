#pragma once
// Records the commands raised through the application's help event while it lives, for tests
// of a layer below the shell, where the help adapter is out of reach.

#include "platform/UiHook.h"

#include <cstdint>
#include <utility>
#include <vector>

class THelpEventRecorder {
public:
    using TCall = std::pair<uint16_t, int>; // command, data

    THelpEventRecorder() {
        SetApplicationHelpHandler([this](uint16_t command, int data, bool& callHelp) {
            callHelp = false;
            Calls.emplace_back(command, data);
            return true;
        });
    }
    ~THelpEventRecorder() { SetApplicationHelpHandler(nullptr); }
    THelpEventRecorder(const THelpEventRecorder&) = delete;
    THelpEventRecorder& operator=(const THelpEventRecorder&) = delete;

    std::vector<TCall> Calls;
};
