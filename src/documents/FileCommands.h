#pragma once

#include "files/DiskWatch.h"

#include "core/BusyGate.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace markwright {

class AppState;
class CFileDialog;
class CommandRegistry;
class DocumentController;
class Prompts;
class SettingsStore;

// New, Open, Save, Save As and Close for the document slots. A slot's text,
// title and folder change together or not at all, a slot is marked clean
// only once its text is really on disk, and a failed read or write is told
// to the user with the path and the reason.
class FileCommands {
  public:
    FileCommands(DocumentController& controller, Prompts& prompts, SettingsStore& settings,
                 AppState& state);
    ~FileCommands();

    void registerAll(CommandRegistry& commands);

    void newPage();
    void open();
    // Opens `path` into the active slot as Open does, without the dialog
    // (files named on the command line or dropped on the window). Unless
    // the user keeps the page, the file is read in the background, holding
    // the busy gate until it is in or the user has been told why not.
    void openFile(const QString& path);
    // Opens files arriving from outside (the command line, another
    // instance, a drop) into the untouched slots from the active one on,
    // one after the other once nothing else is under way; `select` puts a
    // slot on show. Files for which no slot is free are named to the user.
    void openArrivals(const QStringList& paths, std::function<void(int)> select);

    // What a save came to.
    enum class Saved { Yes, Cancelled, Failed };
    Saved save(int n);
    Saved saveAs(int n);

    // How a page is saved when the user asks for it before a command.
    enum class Route { Save, SaveAs };
    // When slot n has unsaved changes, asks `question` (by default "Do you
    // want to save changes to" its tab caption) and saves along `route` on
    // Yes. True when the command that asked may go on: nothing was unsaved,
    // the user said No, or the page is now on disk. Cancel, a cancelled
    // save dialog and a failed write all stop the command, so no page is
    // ever thrown away unsaved against the user's answer.
    bool offerToSave(int n, Route route, const QString& question = QString());

    // When another program changed or removed slot n's file since it was
    // opened or saved here (and the user has not yet been told about the
    // file as it is now), says so and offers to load it again.
    void offerReload(int n);
    DiskWatch& diskWatch() { return m_watch; }
    // Offers to save every changed slot, deletes the preview files and ends
    // the program; false (and nothing ended) when the user cancels.
    bool close();

    static const char* const FileFilter;
    static const char* const SavePromptText;

  private:
    // Save's own questions before it writes over slot n's file; false when
    // the user chose not to.
    enum class Overwrite { Go, SaveAsInstead, Stop };
    Overwrite confirmOverwrite(int n, const QString& path);
    CFileDialog& newDialog(const QString& title, const QString& initialDir, int flags);
    bool writeSlot(int n, const QString& path);
    void takeFile(int n, const QString& fileName, const QString& fileTitle);
    void load(int n, const QString& fileName, const QString& fileTitle);
    // Reads the file at `path` on a worker (into a document for the pane
    // when `forPane`), holding the busy gate, then calls `then` with what
    // came of it on the main thread once the gate is let go.
    struct Reading;
    void readInBackground(const QString& path, bool forPane, std::function<void(Reading&)> then);
    void showError(const QString& action, const QString& path, const QString& reason);

    DocumentController& m_controller;
    Prompts& m_prompts;
    SettingsStore& m_settings;
    AppState& m_state;
    std::unique_ptr<CFileDialog> m_dialog;
    DiskWatch m_watch;
    bool m_offering = false;
    std::unique_ptr<BusyGate> m_reading;
    // Owns the connections to background reads, which end with it.
    QObject m_context;
};

} // namespace markwright
