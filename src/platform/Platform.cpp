#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>
#include <wininet.h>
#endif

namespace markwright {

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
// The brightness files of the keyboard LEDs with this suffix. The folder is
// listed once: the status bar asks after every key press.
const QStringList& ledFiles(const char* suffix) {
    static QHash<QByteArray, QStringList> found;
    const QByteArray key(suffix);
    auto it = found.find(key);
    if (it == found.end()) {
        const QDir leds(QStringLiteral("/sys/class/leds"));
        QStringList files;
        for (const QString& name : leds.entryList({QStringLiteral("*::") + QLatin1String(suffix)},
                                                  QDir::Dirs | QDir::System)) {
            files.append(leds.filePath(name + QStringLiteral("/brightness")));
        }
        it = found.insert(key, files);
    }
    return *it;
}

std::optional<bool> ledOn(const char* suffix) {
    const QStringList& files = ledFiles(suffix);
    if (files.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& path : files) {
        QFile brightness(path);
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

QString programForDocument(const QString& suffix,
                           const std::function<QString(const QString& probe)>& ask) {
    QTemporaryFile probe(QDir::temp().filePath(QStringLiteral("markwright-probe-XXXXXX") + suffix));
    probe.setAutoRemove(true); // removed when this function returns, in every case
    if (!probe.open()) {
        return QString();
    }
    probe.write("\"<HTML> <\\HTML>\"\r\n");
    probe.close();
    return ask(probe.fileName());
}

std::optional<QString> defaultBrowser() {
#ifdef Q_OS_WIN
    const QString program = programForDocument(QStringLiteral(".htm"), [](const QString& probe) {
        wchar_t result[MAX_PATH] = {};
        const auto answer = reinterpret_cast<INT_PTR>(FindExecutableW(
            reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(probe).utf16()), L"", result));
        return answer > 32 ? QString::fromWCharArray(result) : QString();
    });
#else
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/http")});
    const bool ran = query.waitForFinished(5000) && query.exitCode() == 0;
    const QString program =
        ran ? QString::fromUtf8(query.readAllStandardOutput()).trimmed() : QString();
#endif
    if (program.isEmpty()) {
        return std::nullopt;
    }
    return program;
}

void autodial() {
#ifdef Q_OS_WIN
    InternetAutodial(INTERNET_AUTODIAL_FORCE_UNATTENDED, nullptr);
#endif
}

void autodialHangup() {
#ifdef Q_OS_WIN
    InternetAutodialHangup(0);
#endif
}

} // namespace platform

} // namespace markwright
