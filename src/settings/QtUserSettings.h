#pragma once

#include "core/UserSettings.h"

namespace markwright {

// Per-user values in the platform's settings store (organisation and
// application "Markwright").
class QtUserSettings : public UserSettings {
  public:
    QString value(const QString& key, const QString& fallback) const override;
    void setValue(const QString& key, const QString& value) override;
};

} // namespace markwright
