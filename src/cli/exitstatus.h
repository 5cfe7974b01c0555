#pragma once

// What the command line's exit status says.
namespace ExitStatus {
constexpr int ok = 0;
constexpr int failed = 1; // a page, a walk or an image failed
constexpr int usage = 2;
} // namespace ExitStatus
