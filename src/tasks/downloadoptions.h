#pragma once

#include <chrono>

// How a run downloads, beyond the settings: the command line's choices. The window keeps the
// defaults.
struct DownloadOptions
{
    bool keepExisting = false;                   // an image whose file is there already is not fetched again
    std::chrono::milliseconds imageInterval{0};  // the pause between one image request and the next
};
