#include "dialogs/CFileDialog.h"

#include "dialogs/FileDialogBuffers.h"
#include "dialogs/Prompts.h"

#include <QDir>
#include <QFileInfo>

namespace markwright {

bool CFileDialog::Show(const bool& fOpen) {
    Prompts::FileRequest request;
    request.open = fOpen;
    request.title = m_dialogTitle;
    request.nameFilters = filebuf::nameFiltersFromList(filebuf::convertFilter(m_filter));
    // The filter index is 1-based; 0 or out of range leaves the first one.
    if (m_filterIndex >= 1 && m_filterIndex <= request.nameFilters.size()) {
        request.selectedFilter = request.nameFilters[m_filterIndex - 1];
    }
    request.fileName = m_fileName;
    request.folder = m_initialDir;
    request.defaultSuffix = m_defaultExt;
    request.multiSelect = fOpen && (m_flags & AllowMultiSelect);
    request.confirmOverwrite = !fOpen && (m_flags & OverwritePrompt);
    request.parent = m_hWndParent;

    const QStringList chosen = m_prompts.fileDialog(request);
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return false;
    }
    if (chosen.size() == 1) {
        // A reused object returns exactly the path picked, never a mix of
        // it and an earlier, longer name.
        m_fileName = QDir::toNativeSeparators(chosen.first());
        m_fileTitle = QFileInfo(chosen.first()).fileName();
        return true;
    }
    // Several files: the folder, then each name, read back the way the
    // platform's multi-selection buffer is.
    QString buffer = QDir::toNativeSeparators(QFileInfo(chosen.first()).absolutePath());
    for (const QString& path : chosen) {
        buffer += QChar(0) + QFileInfo(path).fileName();
    }
    buffer += QString(2, QChar(0)) + QChar(0);
    m_fileName = filebuf::trimNulls(buffer);
    m_fileTitle = QFileInfo(chosen.first()).fileName();
    return true;
}

} // namespace markwright
