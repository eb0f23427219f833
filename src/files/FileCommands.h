#pragma once

#include <QString>
#include <memory>

class CFileDialog;
class CommandRegistry;
class DocumentHost;
class Prompts;
class SettingsStore;

// New, Open, Save, Save As and Close for the document slots. A slot's text,
// title and folder change together or not at all, a slot is marked clean
// only once its text is really on disk, and a failed read or write is told
// to the user with the path and the reason.
class FileCommands {
  public:
    FileCommands(DocumentHost& host, Prompts& prompts, SettingsStore& settings, QString& openPath,
                 const QString& startFolder);
    ~FileCommands();

    void registerAll(CommandRegistry& commands);

    void newPage();
    void open();

    // What a save came to. Callers that go on "whatever Save As did" go on
    // after Cancelled, but never after Failed: the text would be lost.
    enum class Saved { Yes, Cancelled, Failed };
    Saved save(int n);
    Saved saveAs(int n);
    // Offers to save every changed slot, deletes the preview files and ends
    // the program; false (and nothing ended) when the user cancels.
    bool close();

    // The dialog object of the last Open or Save As.
    const CFileDialog* lastDialog() const { return m_dialog.get(); }

    static const char* const FileFilter;
    static const char* const SavePromptText;

  private:
    enum class Answer { Save, DontSave, Cancel };
    Answer askToSave(int n);
    CFileDialog& newDialog(const QString& title, const QString& initialDir, int flags);
    bool writeSlot(int n, const QString& path);
    void takeFile(int n, const QString& fileName, const QString& fileTitle);
    void showError(const QString& action, const QString& path, const QString& reason);

    DocumentHost& m_host;
    Prompts& m_prompts;
    SettingsStore& m_settings;
    QString& m_openPath;
    const QString& m_startFolder;
    std::unique_ptr<CFileDialog> m_dialog;
    bool m_busy = false;
};
