#pragma once

#include <QString>
#include <QStringList>

namespace markwright {

// The text forms an open/save dialog request is exchanged in.
namespace filebuf {

// "description|pattern|..." with every "|" turned into a NUL and two NULs
// appended: the list form of the platform's dialog.
QString convertFilter(const QString& filter);

// The (description, pattern) pairs of a converted list, as Qt name filters
// ("description (pattern1 pattern2)"); patterns separated by ";" are split.
QStringList nameFiltersFromList(const QString& nulList);

// Cuts a returned buffer at its end marker (two NULs in a row, the second
// not being the buffer's last character) and turns the single NULs before
// it into blanks, the form in which a multi-selection lists a folder and its
// files. A buffer without an end marker is returned unchanged.
QString trimNulls(const QString& text);

} // namespace filebuf

} // namespace markwright
