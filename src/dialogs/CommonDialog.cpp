#include "dialogs/CommonDialog.h"

#include "dialogs/Prompts.h"

#include <QColor>
#include <QFileInfo>

QStringList qtNameFilters(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns.append(pattern.trimmed());
        }
        if (!parts[i].isEmpty() && !patterns.isEmpty()) {
            filters.append(
                QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' '))));
        }
    }
    return filters;
}

void CommonDialog::showOpen() {
    Prompts::FileRequest request;
    request.open = true;
    request.title = dialogTitle;
    request.nameFilters = qtNameFilters(filter);
    request.fileName = fileName;
    const QStringList chosen = m_prompts.fileDialog(request);
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        fileTitle.clear();
        return;
    }
    fileName = chosen.first();
    fileTitle = QFileInfo(fileName).fileName();
}

void CommonDialog::showColor() {
    const QColor initial(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    const std::optional<QColor> chosen = m_prompts.chooseColor(initial);
    if (chosen && chosen->isValid()) {
        color = chosen->red() | (chosen->green() << 8) | (chosen->blue() << 16);
    }
}
