#pragma once

#include <QString>

// The titles above the two panes, naming the document shown.
inline QString sourcePaneTitle(const QString& caption) {
    return QStringLiteral("HTML Source: ") + caption;
}
inline QString previewPaneTitle(const QString& caption) {
    return QStringLiteral("IE Browser Preview: ") + caption;
}
