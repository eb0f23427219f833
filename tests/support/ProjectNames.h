#pragma once

// Tests, benchmarks and fuzz drivers name the program's own classes without
// their namespace.
namespace markwright {}
using namespace markwright;
