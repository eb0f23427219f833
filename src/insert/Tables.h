#pragma once

#include <QString>

namespace markwright {

// The table block of `rows` by `columns` (1 to 4 each): centred, one
// placeholder cell text per cell, every line ended by LF.
QString tableBlock(int rows, int columns);

} // namespace markwright
