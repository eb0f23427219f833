#pragma once

#include "insert/Snippet.h"

namespace markwright {

// The drop-down page navigation: a one-row table holding a form whose list
// sends the whole window to the address of the chosen entry.
const SnippetList& dropDownSnippets();

} // namespace markwright
