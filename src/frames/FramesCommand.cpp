#include "frames/FramesCommand.h"

#include "core/DocumentSlots.h"
#include "dialogs/Prompts.h"
#include "documents/DocumentController.h"
#include "documents/DocumentView.h"
#include "documents/FileCommands.h"
#include "editor/SourcePane.h"
#include "frames/FramesPages.h"
#include "frames/FrmFrames.h"

#include <QDir>

namespace markwright {

const char* const FramesCommand::QuestionText =
    "Adding a Frames Page will overwrite the current page. Do you want to save changes to "
    "current page first?";

FramesCommand::FramesCommand(DocumentController& controller, SourcePane& pane, Prompts& prompts,
                             FileCommands& files, QString programFolder)
    : m_controller(controller), m_pane(pane), m_prompts(prompts), m_files(files),
      m_programFolder(std::move(programFolder)) {}

void FramesCommand::run() {
    const int n = m_controller.currentSlot();
    if (!DocumentSlots::valid(n) || m_wizard) {
        return;
    }
    // A cancelled or failed save stops here: the wizard would replace the
    // page that was not saved.
    if (!m_files.offerToSave(n, FileCommands::Route::SaveAs, QLatin1String(QuestionText))) {
        return;
    }
    m_controller.view().showPreviewOnly();
    // Modal for the user, but not a nested event loop: closing it (Exit or
    // the close box) brings the two panes back through the timer.
    m_wizard = new FrmFrames([this](const QString& button) { choose(button); },
                             m_controller.view().dialogParent());
    m_wizard->setAttribute(Qt::WA_DeleteOnClose);
    m_wizard->setWindowModality(Qt::ApplicationModal);
    QObject::connect(m_wizard, &QDialog::finished, m_wizard,
                     [this] { m_controller.view().recentreSoon(); });
    m_wizard->show();
}

void FramesCommand::choose(const QString& button) {
    const frames::FrameLayout* layout = frames::layoutFor(button);
    if (layout == nullptr) {
        return;
    }
    // The page goes in front of a single blank that replaced the old text,
    // with the caret after the page; as one edit that Undo takes back whole.
    SourcePane& pane = m_pane;
    const QString page = frames::page(*layout, QDir::toNativeSeparators(m_programFolder));
    pane.replaceWholeText(page + QLatin1Char(' '));
    pane.setSelection(static_cast<int>(page.size()), 0);
}

} // namespace markwright
