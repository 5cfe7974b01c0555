#pragma once

#include <sys/resource.h>

// While it lives, no file of this process may grow beyond `bytes`: a write past that fails as on
// a full disk, for root too (a read-only folder does not stop root). The signal the system sends
// for such a write is ignored meanwhile, so the write only reports the failure.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};
