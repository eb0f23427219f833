#include "settings/QtUserSettings.h"

#include <QSettings>

namespace markwright {

QString QtUserSettings::value(const QString& key, const QString& fallback) const {
    return QSettings(QStringLiteral("Markwright"), QStringLiteral("Markwright"))
        .value(key, fallback)
        .toString();
}

void QtUserSettings::setValue(const QString& key, const QString& value) {
    QSettings(QStringLiteral("Markwright"), QStringLiteral("Markwright")).setValue(key, value);
}

} // namespace markwright
