#include "browsers/ExternalBrowsers.h"

#include "core/CommandRegistry.h"
#include "dialogs/CommonDialog.h"
#include "dialogs/Launcher.h"
#include "files/SettingsStore.h"

ExternalBrowsers::ExternalBrowsers(CommonDialog& dialog, Launcher& launcher, QString& netscapePath,
                                   QString& iePath, Window window)
    : m_dialog(dialog), m_launcher(launcher), m_netscapePath(netscapePath), m_iePath(iePath),
      m_window(std::move(window)) {}

void ExternalBrowsers::registerAll(CommandRegistry& commands) {
    commands.add("mnuNetscapeLocation", [this] { locate(Browser::Netscape); });
    commands.add("mnuIELocate", [this] { locate(Browser::IE); });
    commands.add("mnuNetscapePreview", [this] { preview(Browser::Netscape); });
    commands.add("mnuIEPreview", [this] { preview(Browser::IE); });
    commands.add("mnu640", [this] { m_window.resize(9600, 7200); });
    commands.add("mnu800", [this] { m_window.resize(12000, 9000); });
    commands.add("mnu1024", [this] { m_window.resize(15036, 11520); });
}

void ExternalBrowsers::locate(Browser browser) {
    const bool netscape = browser == Browser::Netscape;
    m_dialog.filter =
        netscape ? QStringLiteral("Netscape (*.exe)|*.exe|") : QStringLiteral("IE (*.exe)|*.exe|");
#ifndef Q_OS_WIN
    // Programs here have no ".exe"; without this the browser cannot be picked.
    m_dialog.filter += QStringLiteral("All files|*|");
#endif
    m_dialog.dialogTitle = netscape ? QStringLiteral("Find Netscape") : QStringLiteral("Find IE");
    m_dialog.showOpen();
    if (m_dialog.fileTitle.isEmpty()) {
        return;
    }
    // Stored at once: the next Preview and the next start use it.
    if (netscape) {
        m_netscapePath = m_dialog.fileName;
        writeNetscapePath(m_netscapePath);
    } else {
        m_iePath = m_dialog.fileName;
        writeIePath(m_iePath);
    }
}

void ExternalBrowsers::preview(Browser browser) {
    const QString path = m_window.externalPreviewPath();
    if (!m_window.writeActiveText(path)) {
        return;
    }
    // The path is one argument, blanks and all.
    m_launcher.startProgram(browser == Browser::Netscape ? m_netscapePath : m_iePath, {path});
}
