#include "frames/FramesCommand.h"

#include "app/DocumentSlots.h"
#include "dialogs/Prompts.h"
#include "editor/SourcePane.h"
#include "files/DocumentHost.h"
#include "files/FileCommands.h"
#include "frames/FramesPages.h"
#include "frames/FrmFrames.h"

#include <QDir>

const char* const FramesCommand::QuestionText =
    "Adding a Frames Page will overwrite the current page. Do you want to save changes to "
    "current page first?";

FramesCommand::FramesCommand(DocumentHost& host, Prompts& prompts, FileCommands& files,
                             Window window, QString programFolder)
    : m_host(host), m_prompts(prompts), m_files(files), m_window(std::move(window)),
      m_programFolder(std::move(programFolder)) {}

void FramesCommand::run() {
    const int n = m_host.currentSlot();
    if (!DocumentSlots::valid(n) || m_wizard) {
        return;
    }
    if (m_host.documents().changed(n)) {
        switch (
            m_prompts.askYesNoCancel(QLatin1String(QuestionText), QStringLiteral("Markwright"))) {
        case Prompts::Answer::Yes:
            // The wizard opens whatever Save As did, unless the page could
            // not be written: the wizard would replace it.
            if (m_files.saveAs(n) == FileCommands::Saved::Failed) {
                return;
            }
            break;
        case Prompts::Answer::No:
            break;
        default:
            return;
        }
    }
    m_window.previewOnly();
    // Modal for the user, but not a nested event loop: closing it (Exit or
    // the close box) brings the two panes back through the timer.
    m_wizard = new FrmFrames([this](const QString& button) { choose(button); }, m_window.parent);
    m_wizard->setAttribute(Qt::WA_DeleteOnClose);
    m_wizard->setWindowModality(Qt::ApplicationModal);
    QObject::connect(m_wizard, &QDialog::finished, m_wizard, [this] { m_window.recentre(); });
    m_wizard->show();
}

void FramesCommand::choose(const QString& button) {
    const frames::Layout* layout = frames::layoutFor(button);
    if (layout == nullptr) {
        return;
    }
    SourcePane& pane = m_host.source();
    pane.setText(QStringLiteral(" "));
    pane.replaceSelection(frames::page(*layout, QDir::toNativeSeparators(m_programFolder)));
}
