#pragma once

#include "platform/Launcher.h"

#include "support/ProjectNames.h"
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

    std::optional<QString> defaultBrowser() override { return browser; }
    bool openWith(const QString& program, const QString& address) override {
        opened.push_back({program, {address}});
        return succeed;
    }

    std::vector<Start> starts;
    std::vector<Start> opened; // openWith calls
    std::optional<QString> browser = QStringLiteral("browser.desktop");
    QStringList urls;
    bool succeed = true;
};
