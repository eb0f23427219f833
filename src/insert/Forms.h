#pragma once

#include "insert/Snippet.h"

// The three sample forms and the four single form controls.
const SnippetList& formSnippets();
