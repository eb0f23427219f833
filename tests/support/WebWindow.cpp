#include "support/WebWindow.h"

#include <QEventLoop>
#include <QSignalSpy>

WebWindowTest::WebWindowTest() : view(qobject_cast<WebPreview*>(w->preview().widget())) {
    w->show();
}

void WebWindowTest::waitForLoad(const std::function<void()>& action) {
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    action();
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs)) << "the preview did not load";
    ASSERT_TRUE(loaded.first().first().toBool()) << "the preview failed to load";
}

QVariant WebWindowTest::js(const QString& script, quint32 world) {
    QVariant result;
    bool done = false;
    QEventLoop loop;
    view->page()->runJavaScript(script, world, [&](const QVariant& value) {
        result = value;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(LoadTimeoutMs, &loop, &QEventLoop::quit);
    if (!done) {
        loop.exec();
    }
    EXPECT_TRUE(done) << "script did not answer: " << script.toStdString();
    return result;
}

bool WebWindowTest::waitForJs(const QString& script, const QVariant& expected, int ms,
                              quint32 world) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (js(script, world) == expected) {
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}
