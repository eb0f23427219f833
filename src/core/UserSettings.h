#pragma once

#include <QString>
#include <QtGlobal>

namespace markwright {

// Values kept for the user between runs (the Qt implementation stores them
// with QSettings; tests keep them in memory).
class UserSettings {
  public:
    UserSettings() = default;
    virtual ~UserSettings() = default;
    Q_DISABLE_COPY(UserSettings)

    virtual QString value(const QString& key, const QString& fallback) const = 0;
    virtual void setValue(const QString& key, const QString& value) = 0;
};

} // namespace markwright
