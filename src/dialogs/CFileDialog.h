#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace markwright {

class Prompts;

// The open/save dialog wrapper: properties in, one Show, properties out.
// Holds no knowledge of documents.
class CFileDialog {
  public:
    // Option bits understood by Show; others pass through unused.
    static constexpr std::int32_t OverwritePrompt = 0x2;
    static constexpr std::int32_t HideReadOnly = 0x4;
    static constexpr std::int32_t AllowMultiSelect = 0x200;
    static constexpr std::int32_t FileMustExist = 0x1000;
    static constexpr std::int32_t CreatePrompt = 0x2000;

    explicit CFileDialog(Prompts& prompts) : m_prompts(prompts) {}

    QString defaultExt() const { return m_defaultExt; }
    void setDefaultExt(const QString& strValue) { m_defaultExt = strValue; }
    QString dialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString& strValue) { m_dialogTitle = strValue; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& strValue) { m_fileName = strValue; }
    QString fileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString& strValue) { m_fileTitle = strValue; }
    QString filter() const { return m_filter; }
    void setFilter(const QString& strValue) { m_filter = strValue; }
    std::int16_t filterIndex() const { return m_filterIndex; }
    void setFilterIndex(std::int16_t value) { m_filterIndex = value; }
    std::int32_t flags() const { return m_flags; }
    void setFlags(std::int32_t value) { m_flags = value; }
    // The window the dialog belongs to (null: the application's).
    QWidget* hWndParent() const { return m_hWndParent; }
    void setHWndParent(QWidget* value) { m_hWndParent = value; }
    QString initialDir() const { return m_initialDir; }
    void setInitialDir(const QString& strValue) { m_initialDir = strValue; }
    std::int16_t maxFileSize() const { return m_maxFileSize; }
    void setMaxFileSize(std::int16_t value) { m_maxFileSize = value; }

    // Shows the open dialog (fOpen true) or the save dialog. True when the
    // user confirmed a file: fileName is then exactly the path picked (a
    // multi-selection gives the folder and the names joined by blanks) and
    // fileTitle the name without its folder. False on Cancel, with every
    // member as it was.
    bool Show(const bool& fOpen);

  private:
    Prompts& m_prompts;
    QString m_defaultExt;
    QString m_dialogTitle;
    QString m_fileName;
    QString m_fileTitle;
    QString m_initialDir;
    QString m_filter;
    std::int16_t m_filterIndex = 0;
    std::int32_t m_flags = 0;
    std::int16_t m_maxFileSize = 260;
    QWidget* m_hWndParent = nullptr;
};

} // namespace markwright
