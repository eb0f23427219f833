#include "platform/Launcher.h"

#include "platform/Platform.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace markwright {

bool SystemLauncher::startProgram(const QString& program, const QStringList& arguments) {
    if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
        return false;
    }
    return QProcess::startDetached(program, arguments);
}

bool SystemLauncher::openUrl(const QString& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

std::optional<QString> SystemLauncher::defaultBrowser() {
    return platform::defaultBrowser();
}

bool SystemLauncher::openWith(const QString& browser, const QString& address) {
#ifdef Q_OS_WIN
    return startProgram(browser, {address});
#else
    // The desktop names its browser by a desktop entry, which its own opener
    // starts; the address goes to that same browser.
    Q_UNUSED(browser);
    return openUrl(address);
#endif
}

} // namespace markwright
