#pragma once

#include <chrono>
#include <optional>
#include <QDateTime>
#include <QString>

// How long the engine waits before it tries an image again.

// The longest growing wait, and the longest Retry-After the engine waits for.
inline constexpr std::chrono::milliseconds longestRetryWait{30000};
inline constexpr std::chrono::milliseconds longestRetryAfter{60000};

// After the `failures`-th failed try (from 1): `base`, doubled with every further failure, at most
// longestRetryWait; a server's Retry-After instead, when it gave one, at most longestRetryAfter.
std::chrono::milliseconds retryWait(int failures, std::chrono::milliseconds base,
                                    std::optional<std::chrono::milliseconds> retryAfter);

// A Retry-After header's delay: seconds, or an HTTP date reckoned from `now`; nullopt when it
// is absent or unreadable. A date in the past is no delay.
std::optional<std::chrono::milliseconds> retryAfterDelay(const QString &header, const QDateTime &now);
