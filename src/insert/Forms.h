#pragma once

#include "insert/Snippet.h"

namespace markwright {

// The three sample forms and the four single form controls.
const SnippetList& formSnippets();

} // namespace markwright
