#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace markwright {

// What only the platform can tell. Each answer is nullopt where the
// platform gives no way to ask; callers then fall back on what they saw.
namespace platform {

std::optional<bool> capsLockOn();
std::optional<bool> numLockOn();

// Which program opens a document of this suffix (".htm"): a small probe file
// with that suffix is made in the user's temporary folder, `ask` is given its
// path, and the probe is deleted again whatever happens.
QString programForDocument(const QString& suffix,
                           const std::function<QString(const QString& probe)>& ask);

// The desktop's web browser: on Windows the program that opens ".htm"
// documents, elsewhere the desktop's default for web addresses.
std::optional<QString> defaultBrowser();

// The automatic dial-up connection: opened unattended, and hung up. Where
// the platform has no such thing they do nothing.
void autodial();
void autodialHangup();

} // namespace platform

} // namespace markwright
