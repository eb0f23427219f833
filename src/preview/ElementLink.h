#pragma once

#include "preview/PreviewPane.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace markwright::elementlink {

// The script every page in the preview is given, in a world of its own the
// page's scripts cannot see: it outlines an element on request (in a closed
// shadow root on a host at the end of <html>, so the page's layout and its
// <body> stay as they are), remembers the element a context menu was opened
// on, and reports a Ctrl+click on an element as a console message that
// starts with `token`, in place of what the click would have done.
QString script(const QString& token);

// The call that outlines `path` (or takes the outline away).
QString lightCall(const PreviewPane::ElementPath& path);
// The call whose answer is the element a context menu was last opened on.
QString contextCall();

// The path in a report ({"indices": [...], "names": [...]}, as a JSON text
// or as the value a script call answered); none when it is not one.
std::optional<PreviewPane::ElementPath> pathFrom(const QVariant& report);

} // namespace markwright::elementlink
