#include "windows/SideWindows.h"

#include "core/CommandRegistry.h"

namespace markwright {

void SideWindows::registerAll(CommandRegistry& commands) {
    commands.add("mnuAbout", [this] { showAbout(); });
    commands.add("mnuWeb", [this] { showWeb(); });
}

void SideWindows::showAbout() {
    // A second About while the box is open brings the same box forward.
    if (!m_about) {
        m_about = new FrmAbout(m_owner);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void SideWindows::showWeb() {
    if (!m_web) {
        m_web = new FrmWeb(m_launcher, m_prompts, m_owner);
        // Modal for the user without a nested event loop.
        m_web->setWindowModality(Qt::ApplicationModal);
    }
    m_web->show();
    m_web->raise();
}

} // namespace markwright
