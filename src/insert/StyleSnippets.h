#pragma once

#include "insert/Snippet.h"

namespace markwright {

// Character style start and end tags, the ten text samples, line breaks,
// justify tags, the horizontal line, the two lists and the comment line.
const SnippetList& styleSnippets();

} // namespace markwright
