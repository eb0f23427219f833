#include "dialogs/CommonDialog.h"

#include "dialogs/FileDialogBuffers.h"
#include "dialogs/Prompts.h"

#include <QColor>
#include <QFileInfo>

namespace markwright {

void CommonDialog::showOpen() {
    Prompts::FileRequest request;
    request.open = true;
    request.title = dialogTitle;
    request.nameFilters = filebuf::nameFiltersFromList(filebuf::convertFilter(filter));
    request.fileName = fileName;
    const QStringList chosen = m_prompts.fileDialog(request);
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        fileTitle.clear();
        return;
    }
    fileName = chosen.first();
    fileTitle = QFileInfo(fileName).fileName();
}

bool CommonDialog::showColor() {
    const QColor initial(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    const std::optional<QColor> chosen = m_prompts.chooseColor(initial);
    if (chosen && chosen->isValid()) {
        color = chosen->red() | (chosen->green() << 8) | (chosen->blue() << 16);
        return true;
    }
    return false;
}

} // namespace markwright
