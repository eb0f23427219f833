#include "dialogs/FileDialogBuffers.h"

namespace markwright {

namespace filebuf {

QString convertFilter(const QString& filter) {
    QString list = filter;
    list.replace(QLatin1Char('|'), QChar(0));
    list += QChar(0);
    list += QChar(0);
    return list;
}

QStringList nameFiltersFromList(const QString& nulList) {
    const QStringList parts = nulList.split(QChar(0));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!p.trimmed().isEmpty()) {
                patterns.append(p.trimmed());
            }
        }
        if (description.isEmpty() || patterns.isEmpty()) {
            continue;
        }
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

QString trimNulls(const QString& text) {
    // Positions below are 0-based; the pair test needs a character after the
    // second NUL of the pair.
    qsizetype p = text.indexOf(QChar(0));
    qsizetype marker = -1;
    while (p >= 0) {
        if (p + 2 < text.size() && text[p + 1] == QChar(0)) {
            marker = p;
            break;
        }
        p = text.indexOf(QChar(0), p + 1);
    }
    if (marker < 0) {
        return text;
    }
    QString kept = text.left(marker);
    kept.replace(QChar(0), QLatin1Char(' '));
    return kept;
}

} // namespace filebuf

} // namespace markwright
