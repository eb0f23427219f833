#pragma once

#include <QString>
#include <vector>

namespace markwright {

// A command that inserts a fixed text at the caret: the command's name (the
// menu item's) and the text, lines ended by a single LF.
struct Snippet {
    const char* command;
    QString text;
};

using SnippetList = std::vector<Snippet>;

} // namespace markwright
