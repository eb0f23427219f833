#pragma once

#include "preview/WebPreview.h"
#include "support/TestWindow.h"

#include <QWebEngineScript>
#include <functional>

// A shown main window on the real web engine, offscreen, with ways to wait
// for its pages and to ask them things.
class WebWindowTest : public ::testing::Test {
  protected:
    static constexpr int LoadTimeoutMs = 30000;

    WebWindowTest();
    // Runs `action` and waits until the preview has loaded a page.
    void waitForLoad(const std::function<void()>& action);
    void refreshAndWait() {
        waitForLoad([this] { w->refreshPreview(); });
    }
    void load(const QString& html) {
        w->source().setText(html);
        refreshAndWait();
    }
    // What the script gives back on the page shown, run in the page's own
    // world or in another.
    QVariant js(const QString& script, quint32 world = QWebEngineScript::MainWorld);
    // Waits (with the event loop running) until the script answers `expected`.
    bool waitForJs(const QString& script, const QVariant& expected, int ms = 10000,
                   quint32 world = QWebEngineScript::MainWorld);

    TestWindow w{TestWindow::Ini::WithOpenPath, true};
    WebPreview* view = nullptr;
};
