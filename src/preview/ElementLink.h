#pragma once

#include "preview/PreviewPane.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <optional>

namespace markwright::elementlink {

// The script every page in the preview is given, in a world of its own the
// page's scripts cannot see: it finds an element by its path and tells
// where it stands (scrolling it into view when none of it is), remembers
// the element a context menu was opened on, and reports a Ctrl+click on an
// element as a console message that starts with `token`, in place of what
// the click would have done. It changes nothing in the page's document.
QString script(const QString& token);

// The call that finds `path`: its answer is the element's box (see
// boxFrom), or null.
QString lightCall(const PreviewPane::ElementPath& path);
// The call whose answer is the element a context menu was last opened on.
QString contextCall();

// Where the element a light call found stands: its box in the document and
// the page's scroll, in CSS pixels, and its name; none for no element.
struct Found {
    QRectF box;
    QPointF scroll;
    QString name;
};
std::optional<Found> foundFrom(const QVariant& answer);

// The path in a report ({"indices": [...], "names": [...]}, as a JSON text
// or as the value a script call answered); none when it is not one.
std::optional<PreviewPane::ElementPath> pathFrom(const QVariant& report);

} // namespace markwright::elementlink
