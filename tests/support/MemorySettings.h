#pragma once

#include "core/UserSettings.h"

#include "support/ProjectNames.h"
#include <QMap>

// Per-user values kept in memory, so no test reads or writes the real ones.
class MemorySettings : public UserSettings {
  public:
    QString value(const QString& key, const QString& fallback) const override {
        return values.value(key, fallback);
    }
    void setValue(const QString& key, const QString& value) override { values[key] = value; }
    QMap<QString, QString> values;
};
