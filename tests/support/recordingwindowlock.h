#pragma once

#include "tasks/windowlock.h"

// Counts locks and unlocks, and whether the window is locked now.
class RecordingWindowLock final : public WindowLock
{
public:
    int locks = 0;
    int unlocks = 0;
    bool locked() const { return locks > unlocks; }

    void lock() override { ++locks; }
    void unlock() override { ++unlocks; }
};
