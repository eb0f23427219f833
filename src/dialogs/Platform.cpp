#include "dialogs/Platform.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QDir>
#include <QFile>
#endif

namespace platform {

#ifdef Q_OS_WIN
std::optional<bool> capsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}
std::optional<bool> numLockOn() {
    return (GetKeyState(VK_NUMLOCK) & 1) != 0;
}
#else
namespace {
// The keyboard LEDs the kernel exposes, e.g. /sys/class/leds/input3::capslock.
std::optional<bool> ledOn(const char* suffix) {
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names =
        leds.entryList({QStringLiteral("*::") + QLatin1String(suffix)}, QDir::Dirs | QDir::System);
    if (names.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0") {
            return true;
        }
    }
    return false;
}
} // namespace

std::optional<bool> capsLockOn() {
    return ledOn("capslock");
}
std::optional<bool> numLockOn() {
    return ledOn("numlock");
}
#endif

} // namespace platform
