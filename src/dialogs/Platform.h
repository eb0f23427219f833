#pragma once

#include <optional>

// What only the platform can tell. Each answer is nullopt where the
// platform gives no way to ask; callers then fall back on what they saw.
namespace platform {

std::optional<bool> capsLockOn();
std::optional<bool> numLockOn();

} // namespace platform
