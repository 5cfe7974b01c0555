#pragma once

// Keeps the user from starting anything else while a task's page is being fetched: the window
// takes no input between lock and unlock, and looks the same meanwhile.
class WindowLock
{
public:
    virtual ~WindowLock() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};
