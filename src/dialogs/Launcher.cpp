#include "dialogs/Launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool SystemLauncher::startProgram(const QString& program, const QStringList& arguments) {
    if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
        return false;
    }
    return QProcess::startDetached(program, arguments);
}

bool SystemLauncher::openUrl(const QString& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
