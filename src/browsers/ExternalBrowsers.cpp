#include "browsers/ExternalBrowsers.h"

#include "core/CommandRegistry.h"
#include "core/DocumentSlots.h"
#include "dialogs/CommonDialog.h"
#include "dialogs/Prompts.h"
#include "documents/DocumentController.h"
#include "platform/Launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace markwright {

ExternalBrowsers::ExternalBrowsers(DocumentController& controller, CommonDialog& dialog,
                                   Launcher& launcher, Prompts& prompts, AppState& state)
    : m_controller(controller), m_dialog(dialog), m_launcher(launcher), m_prompts(prompts),
      m_state(state) {}

void ExternalBrowsers::registerAll(CommandRegistry& commands) {
    commands.add("mnuNetscapeLocation", [this] { locate(Browser::Netscape); });
    commands.add("mnuIELocate", [this] { locate(Browser::IE); });
    commands.add("mnuNetscapePreview", [this] { preview(Browser::Netscape); });
    commands.add("mnuIEPreview", [this] { preview(Browser::IE); });
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
    m_state.setBrowserPath(browser, m_dialog.fileName);
}

void ExternalBrowsers::preview(Browser browser) {
    // Slot 1's folder, with the active slot's preview file name.
    const QString path = m_controller.documents().folder(1) +
                         DocumentSlots::previewFileName(m_controller.currentSlot());
    if (!m_controller.writeActiveText(path)) {
        return;
    }
    const QString program = m_state.browserPath(browser);
#ifndef Q_OS_WIN
    if (program == AppState::defaultBrowserPath(browser) && !QFileInfo::exists(program)) {
        if (m_launcher.openUrl(QUrl::fromLocalFile(path).toString())) {
            return;
        }
    }
#endif
    // The path is one argument, blanks and all.
    if (!m_launcher.startProgram(program, {path})) {
        m_prompts.showError(QStringLiteral("The browser\n%1\ncould not be started.\n\nUse "
                                           "Locate to choose the browser's program.")
                                .arg(QDir::toNativeSeparators(program)),
                            Prompts::Icon::Warning);
    }
}

} // namespace markwright
