#pragma once

#include <QString>

namespace markwright {

// The titles above the two panes, naming the document shown.
inline QString sourcePaneTitle(const QString& caption) {
    return QStringLiteral("HTML Source: ") + caption;
}
inline QString previewPaneTitle(const QString& caption) {
    return QStringLiteral("IE Browser Preview: ") + caption;
}

} // namespace markwright
