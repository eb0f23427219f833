#include "insert/ColorCode.h"

namespace markwright {

QString colorToHex(int color) {
    const auto c = static_cast<unsigned>(color);
    const auto two = [](unsigned component) {
        return QStringLiteral("%1").arg(component & 0xFFu, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QLatin1Char('#') + two(c) + two(c >> 8) + two(c >> 16);
}

QString colorText(ColorForm form, const QString& hex) {
    const QString quoted = QLatin1Char('"') + hex + QLatin1Char('"');
    switch (form) {
    case ColorForm::JustCode:
        return quoted;
    case ColorForm::ColorAttribute:
        return QStringLiteral("Color=") + quoted;
    case ColorForm::FontColor:
        return QStringLiteral("Font Color=") + quoted;
    }
    return quoted;
}

} // namespace markwright
