#pragma once

namespace markwright {

// Registers the icons and pictures built into the program. They live in a
// static library, whose resource registration the linker would otherwise drop.
void initResources();

} // namespace markwright
