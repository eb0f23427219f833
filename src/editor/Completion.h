#pragma once

#include "editor/CaretContext.h"

#include <QString>
#include <QStringList>

namespace markwright {

// What the completion list offers at the caret: element names after "<",
// the attributes the element takes inside a start tag (those already there
// left out), an attribute's values in its value, the files and folders
// beside the page in a link or source, character references after "&".
struct Completion {
    qint64 start = -1; // where the word being completed begins (bytes)
    QStringList items;
    // Sorted (in any case) for the list to look names up in; false: the
    // order given is the order to show.
    bool sorted = true;
    // Folders in `items` end with '/': choosing one goes on into it.

    // `folder` is where the page's relative paths lead (empty: none).
    static Completion at(const CaretContext& context, QByteArrayView text, qint64 caret,
                         const QString& folder);
};

} // namespace markwright
