#pragma once

#include "insert/Snippet.h"

namespace markwright {

// Font size 1 to 10 and font face start tags, and their end tags.
const SnippetList& fontSnippets();

} // namespace markwright
