#pragma once

#include <QString>

namespace markwright {

// "#RRGGBB" with upper-case digits for a colour in the 0x00BBGGRR layout (red
// in the lowest byte). Bits above the lowest 24 are ignored, so any integer,
// negative ones included, gives a seven-character code.
QString colorToHex(int color);

// The texts of the three colour commands for a colour code "#RRGGBB".
enum class ColorForm { JustCode, ColorAttribute, FontColor };
QString colorText(ColorForm form, const QString& hex);

} // namespace markwright
