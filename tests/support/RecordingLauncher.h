#pragma once

#include "dialogs/Launcher.h"

#include <QStringList>
#include <vector>

// A launcher double that records what it was asked to start or open, and
// answers with `succeed`.
class RecordingLauncher : public Launcher {
  public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    bool startProgram(const QString& program, const QStringList& arguments) override {
        starts.push_back({program, arguments});
        return succeed;
    }
    bool openUrl(const QString& address) override {
        urls.append(address);
        return succeed;
    }

    std::vector<Start> starts;
    QStringList urls;
    bool succeed = true;
};
