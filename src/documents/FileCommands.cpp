#include "documents/FileCommands.h"

#include "core/AppState.h"
#include "core/BusyGate.h"
#include "core/CharsetPrescan.h"
#include "core/CommandRegistry.h"
#include "core/DocumentSlots.h"
#include "core/PaneTitles.h"
#include "core/SourceText.h"
#include "dialogs/CFileDialog.h"
#include "dialogs/Prompts.h"
#include "documents/DocumentController.h"
#include "documents/DocumentView.h"
#include "files/DocumentFile.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace markwright {

const char* const FileCommands::FileFilter =
    "Files (*.htm; *.html; *.mv; *.js; *.rtf)|*.htm; *.html; *.mv; *.js; *.rtf";
const char* const FileCommands::SavePromptText = "Do you want to save changes to ";

namespace {
constexpr int DialogFlags =
    CFileDialog::HideReadOnly | CFileDialog::FileMustExist | CFileDialog::CreatePrompt;
} // namespace

FileCommands::FileCommands(DocumentController& controller, Prompts& prompts,
                           SettingsStore& settings, AppState& state)
    : m_controller(controller), m_prompts(prompts), m_settings(settings), m_state(state) {}

FileCommands::~FileCommands() = default;

void FileCommands::registerAll(CommandRegistry& commands) {
    commands.add("mnuFileNew", [this] { newPage(); });
    commands.add("mnuFileOpen", [this] { open(); });
    commands.add("mnuFileSave", [this] { save(m_controller.currentSlot()); });
    commands.add("mnuSaveAs", [this] { saveAs(m_controller.currentSlot()); });
    commands.add("mnuFileClose", [this] { close(); });
}

bool FileCommands::offerToSave(int n, Route route, const QString& question) {
    if (!m_controller.documents().changed(n)) {
        return true;
    }
    const QString text =
        question.isEmpty() ? QLatin1String(SavePromptText) + m_controller.tabCaption(n) : question;
    switch (m_prompts.ask(text)) {
    case Prompts::Answer::Yes:
        return (route == Route::Save ? save(n) : saveAs(n)) == Saved::Yes;
    case Prompts::Answer::No:
        return true;
    default:
        return false;
    }
}

FileCommands::Overwrite FileCommands::confirmOverwrite(int n, const QString& path) {
    const DocumentSlots& docs = m_controller.documents();
    if (docs.richText(n)) {
        // The pane holds the plain text of a rich-text file: writing it back
        // would silently drop every bit of formatting.
        const auto answer = m_prompts.ask(
            QStringLiteral("%1\nis a rich-text (RTF) file. Saving it here writes plain text over "
                           "it, and its formatting is lost.\n\nOverwrite it with plain text? "
                           "(No saves the page under another name.)")
                .arg(path));
        if (answer == Prompts::Answer::No) {
            return Overwrite::SaveAsInstead;
        }
        if (answer != Prompts::Answer::Yes) {
            return Overwrite::Stop;
        }
    }
    if (m_watch.changedOnDisk(n)) {
        const QString what = m_watch.vanished(n)
                                 ? QStringLiteral("%1\nwas deleted or moved by another program. "
                                                  "Save the page there again?")
                                 : QStringLiteral("%1\nwas changed by another program. "
                                                  "Overwrite it?");
        if (m_prompts.ask(what.arg(path)) != Prompts::Answer::Yes) {
            return Overwrite::Stop;
        }
    }
    return Overwrite::Go;
}

CFileDialog& FileCommands::newDialog(const QString& title, const QString& initialDir, int flags) {
    m_dialog = std::make_unique<CFileDialog>(m_prompts);
    m_dialog->setDefaultExt(QStringLiteral("htm"));
    m_dialog->setDialogTitle(title);
    m_dialog->setFilter(QLatin1String(FileFilter));
    m_dialog->setFilterIndex(0);
    m_dialog->setFlags(flags);
    m_dialog->setHWndParent(m_controller.view().dialogParent());
    m_dialog->setMaxFileSize(255);
    m_dialog->setInitialDir(initialDir);
    return *m_dialog;
}

void FileCommands::showError(const QString& action, const QString& path, const QString& reason) {
    m_prompts.showError(
        QStringLiteral("The file could not be %1:\n%2\n\n%3").arg(action, path, reason));
}

namespace {
// Asks whether a page whose encoding cannot hold all its text is saved as
// UTF-8 instead, saying what that does where the page's text may not be what
// its author wrote: a page that declares a charset other than the one it was
// read in.
Prompts::Answer askForUtf8(Prompts& prompts, const DocumentSlots& docs, int n,
                           const QString& path) {
    const TextEncoding encoding = docs.encoding(n);
    if (encoding == TextEncoding::Declared) {
        return prompts.ask(
            QStringLiteral("The page holds characters that %1, the charset it declares, cannot "
                           "store. The file is\n%2\n\nSave the whole page as UTF-8 instead? Its "
                           "text is kept as shown here, but the page still declares %1: change "
                           "that to utf-8, or browsers will show the page garbled.")
                .arg(docs.charset(n), path));
    }
    const QString declared = declaredCharset(docs.text(n).left(1024).toUtf8());
    if (encoding == TextEncoding::Windows1252 && !declared.isEmpty() &&
        declared != QLatin1String("windows-1252")) {
        return prompts.ask(
            QStringLiteral("The page declares the charset %1, but its bytes are not valid %1, "
                           "so\n%2\nwas read as windows-1252 and may show garbled here. It also "
                           "holds characters that windows-1252 cannot store.\n\nSave it as UTF-8 "
                           "instead? Every character is written as it shows here, garbled ones "
                           "included, and the file's original bytes are lost.")
                .arg(declared, path));
    }
    return prompts.ask(
        QStringLiteral("The page holds characters that the %1 encoding of\n%2\ncannot store."
                       "\n\nSave it as UTF-8 instead?")
            .arg(encodingName(encoding), path));
}
} // namespace

bool FileCommands::writeSlot(int n, const QString& path) {
    DocumentSlots& docs = m_controller.documents();
    TextEncoding encoding = docs.encoding(n);
    std::optional<QByteArray> bytes = encodeText(docs.text(n), encoding, docs.charset(n));
    if (!bytes) {
        // Never let a character the file's encoding cannot hold turn into
        // something else: offer UTF-8, which holds them all.
        if (askForUtf8(m_prompts, docs, n, path) != Prompts::Answer::Yes) {
            return false;
        }
        encoding = TextEncoding::Utf8;
        bytes = encodeText(docs.text(n), encoding);
        if (!bytes) {
            showError(QStringLiteral("saved"), path, QStringLiteral("The text cannot be encoded."));
            return false;
        }
    }
    const docfile::WriteResult written = docfile::write(path, *bytes);
    if (!written.ok) {
        showError(QStringLiteral("saved"), path, written.error);
        return false;
    }
    docs.setEncoding(n, encoding, docs.charset(n));
    return true;
}

void FileCommands::takeFile(int n, const QString& fileName, const QString& fileTitle) {
    DocumentSlots& docs = m_controller.documents();
    m_watch.remember(n, fileName);
    docs.setFolder(n, fileName.left(fileName.size() - fileTitle.size()));
    docs.setTitle(n, fileName);
    m_controller.setTabCaptions(n, fileTitle, fileTitle);
    docs.setChanged(n, false);
    m_controller.slotSettled(n);
    m_controller.view().setWindowCaption(QStringLiteral("File: ") + fileName);
    m_controller.view().setPaneTitles(
        sourcePaneTitle(fileTitle),
        previewPaneTitle(m_controller.tabCaption(m_controller.currentSlot())));
}

void FileCommands::newPage() {
    const int n = m_controller.currentSlot();
    if (!DocumentSlots::valid(n)) {
        return;
    }
    if (!offerToSave(n, Route::SaveAs)) {
        return;
    }
    DocumentSlots& docs = m_controller.documents();
    docs.setStoredText(n, docs.pageTemplate());
    docs.setTitle(n, DocumentSlots::initialTitle(n));
    docs.setEncoding(n, TextEncoding::Utf8);
    docs.setRichText(n, false);
    m_watch.forget(n);
    m_controller.setTabCaptions(n, DocumentSlots::initialTitle(n),
                                QStringLiteral("Page %1").arg(n));
    m_controller.source().setText(docs.pageTemplate());
    docs.setChanged(n, false);
    m_controller.slotSettled(n);
    m_controller.view().showPanes(true);
}

void FileCommands::openArrivals(const QStringList& paths, std::function<void(int)> select) {
    // After whatever is under way: a file arriving while another is read in
    // (or a format runs, or a question waits) never lands in the middle.
    BusyGate::whenIdle(&m_context, [this, paths, select] {
        if (m_controller.ended() || paths.isEmpty()) {
            return;
        }
        const std::vector<int> chosen = m_controller.documents().slotsForArrivals(
            m_controller.currentSlot(), int(paths.size()));
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            // One at a time: each waits until the one before is in.
            BusyGate::whenIdle(&m_context, [this, select, n = chosen[i], path = paths[int(i)]] {
                if (!m_controller.ended()) {
                    select(n);
                    openFile(path);
                }
            });
        }
        if (paths.size() > int(chosen.size())) {
            m_prompts.showError(
                QStringLiteral("Every document slot holds a page, so these files were not "
                               "opened:\n%1")
                    .arg(paths.mid(int(chosen.size())).join(QLatin1Char('\n'))),
                Prompts::Icon::Warning);
        }
    });
}

void FileCommands::open() {
    const int n = m_controller.currentSlot();
    if (!DocumentSlots::valid(n)) {
        return;
    }
    m_state.setOpenPath(asFolderPrefix(m_settings.readIniKey(QStringLiteral("OpenPath"))));
    if (!offerToSave(n, Route::Save)) {
        return;
    }
    CFileDialog& dialog = newDialog(QStringLiteral("Open File"), m_state.openPath(), DialogFlags);
    if (!dialog.Show(true)) {
        return;
    }
    load(n, dialog.fileName(), dialog.fileTitle());
}

void FileCommands::openFile(const QString& path) {
    const int n = m_controller.currentSlot();
    if (!DocumentSlots::valid(n)) {
        return;
    }
    // No dialog, so no starting folder to read: the settings are only
    // written, once the file is in.
    if (!offerToSave(n, Route::Save)) {
        return;
    }
    const QFileInfo info(path);
    load(n, info.absoluteFilePath(), info.fileName());
}

struct FileCommands::Reading {
    docfile::ReadResult read;
    QByteArray utf8; // the text as the pane holds it, when read for the pane
};

void FileCommands::readInBackground(const QString& path, bool forPane,
                                    std::function<void(Reading&)> then) {
    // The file is read and decoded on a worker; the window goes on meanwhile
    // and takes no input, and whatever else arrives waits for the gate (see
    // BusyGate). `then` lets the gate go once all is done.
    m_reading = std::make_unique<BusyGate>();
    auto reading = std::make_shared<Reading>();
    auto* watcher = new QFutureWatcher<void>(&m_context);
    QObject::connect(watcher, &QFutureWatcher<void>::finished, &m_context,
                     [watcher, reading, then = std::move(then)] {
                         watcher->deleteLater();
                         then(*reading);
                     });
    watcher->setFuture(QtConcurrent::run([path, forPane, reading] {
        reading->read = docfile::read(path);
        if (forPane && reading->read.ok) {
            reading->utf8 = reading->read.text.toUtf8();
            reading->read.text.clear();
        }
    }));
}

void FileCommands::load(int n, const QString& fileName, const QString& fileTitle) {
    // Read first: when the file cannot be read the slot stays exactly as it
    // was, so a later Save can never write old text over the chosen file.
    const bool forPane = n == m_controller.documents().paneSlot();
    readInBackground(fileName, forPane, [=](Reading& reading) {
        const docfile::ReadResult& read = reading.read;
        if (!read.ok) {
            m_reading.reset();
            showError(QStringLiteral("opened"), fileName, read.error);
            return;
        }
        // Once the text is the slot's: its file, encoding and preview.
        const auto takeIt = [=, encoding = read.encoding, charset = read.charset,
                             richText = read.richText] {
            DocumentSlots& docs = m_controller.documents();
            docs.setEncoding(n, encoding, charset);
            docs.setRichText(n, richText);
            takeFile(n, fileName, fileTitle);
            QString folder = docs.folder(n);
            m_settings.writeIniKey(QStringLiteral("OpenPath"), folder);
            m_reading.reset();
            // Writes the slot's preview file into the file's own folder and
            // shows it.
            m_controller.refreshPreview();
        };
        if (forPane) {
            m_controller.source().loadInBackground(n, std::move(reading.utf8), takeIt);
        } else {
            m_controller.documents().setStoredText(n, read.text);
            takeIt();
        }
    });
}

FileCommands::Saved FileCommands::save(int n) {
    DocumentSlots& docs = m_controller.documents();
    if (!DocumentSlots::valid(n)) {
        return Saved::Cancelled;
    }
    if (docs.title(n) == DocumentSlots::initialTitle(n)) {
        return saveAs(n);
    }
    const QString path = docs.folder(n) + m_controller.tabCaption(n);
    switch (confirmOverwrite(n, path)) {
    case Overwrite::Stop:
        return Saved::Cancelled;
    case Overwrite::SaveAsInstead:
        return saveAs(n);
    case Overwrite::Go:
        break;
    }
    if (!writeSlot(n, path)) {
        return Saved::Failed;
    }
    docs.setChanged(n, false);
    docs.setRichText(n, false);
    m_watch.remember(n, path);
    m_controller.slotSettled(n);
    return Saved::Yes;
}

FileCommands::Saved FileCommands::saveAs(int n) {
    DocumentSlots& docs = m_controller.documents();
    if (!DocumentSlots::valid(n)) {
        return Saved::Cancelled;
    }
    // The save dialog asks before it replaces an existing file.
    CFileDialog& dialog = newDialog(QStringLiteral("Save File As"), docs.folder(n),
                                    DialogFlags | CFileDialog::OverwritePrompt);
    if (!dialog.Show(false)) {
        return Saved::Cancelled;
    }
    const QString fileName = dialog.fileName();
    if (!writeSlot(n, fileName)) {
        return Saved::Failed;
    }
    docs.setRichText(n, false);
    takeFile(n, fileName, dialog.fileTitle());
    m_controller.refreshPreview();
    return Saved::Yes;
}

bool FileCommands::close() {
    if (BusyGate::held()) {
        return false; // a long operation is under way; Close can be asked again after
    }
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        if (!offerToSave(n, Route::SaveAs)) {
            return false; // the program keeps running with every page
        }
    }
    // Only the preview files this program writes are deleted; other files
    // whose names happen to look alike are the user's.
    m_controller.flushPreviewFiles();
    const DocumentSlots& docs = m_controller.documents();
    QStringList folders;
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        folders.append(docs.folder(n));
    }
    folders << m_state.openPath() << m_state.startFolder() << m_controller.previewFolders();
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        for (int k = 1; k <= DocumentSlots::Count; ++k) {
            QFile::remove(folder + DocumentSlots::previewFileName(k));
        }
    }
    m_controller.endProgram();
    return true;
}

void FileCommands::offerReload(int n) {
    if (BusyGate::held() || m_offering || !DocumentSlots::valid(n) || !m_watch.needsOffer(n)) {
        return;
    }
    m_offering = true;
    m_watch.markOffered(n);
    DocumentSlots& docs = m_controller.documents();
    const QString path = m_watch.path(n);
    if (m_watch.vanished(n)) {
        // Nothing of the page is on disk any more: make sure Close asks.
        docs.setChanged(n, true);
        m_prompts.showError(QStringLiteral("%1\nwas deleted or moved by another program.\n\nThe "
                                           "page is still open here; save it to keep it.")
                                .arg(path),
                            Prompts::Icon::Warning);
        m_offering = false;
        return;
    }
    const QString question =
        docs.changed(n)
            ? QStringLiteral("%1\nwas changed by another program.\n\nReload it and lose the "
                             "changes made here? (Undo brings them back.)")
            : QStringLiteral("%1\nwas changed by another program.\n\nReload it?");
    if (m_prompts.ask(question.arg(path)) != Prompts::Answer::Yes) {
        m_offering = false;
        return;
    }
    readInBackground(path, false, [this, n, path](Reading& reading) {
        m_reading.reset();
        m_offering = false;
        const docfile::ReadResult& read = reading.read;
        if (!read.ok) {
            showError(QStringLiteral("opened"), path, read.error);
            return;
        }
        DocumentSlots& docs = m_controller.documents();
        if (n == docs.paneSlot()) {
            // One edit, so Undo can bring back what was typed here.
            m_controller.source().replaceWholeText(read.text);
        } else {
            docs.setStoredText(n, read.text);
        }
        docs.setEncoding(n, read.encoding, read.charset);
        docs.setRichText(n, read.richText);
        docs.setChanged(n, false);
        m_watch.remember(n, path);
        m_controller.slotSettled(n);
        if (n == m_controller.currentSlot()) {
            m_controller.refreshPreview();
        }
    });
}

} // namespace markwright
