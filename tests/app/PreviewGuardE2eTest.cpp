// A page shown in the preview can load what a hand-written page needs from
// its own folder, and nothing else: no script reads of local files, and no
// traffic to any host.
#include "app/PreviewGuard.h"
#include "app/WebPreview.h"
#include "editor/SourcePane.h"
#include "support/TestWindow.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {
QByteArray dataFile(const QString& name) {
    QFile file(QStringLiteral(TEST_DATA_DIR "/hostile/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// Counts whatever reaches 127.0.0.1 on one port, by TCP or UDP.
struct Listener {
    Listener() {
        tcp.listen(QHostAddress::LocalHost);
        udp.bind(QHostAddress::LocalHost, tcp.serverPort());
        QObject::connect(&tcp, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = tcp.nextPendingConnection()) {
                ++connections;
                socket->deleteLater();
            }
        });
        QObject::connect(&udp, &QUdpSocket::readyRead, [this] {
            while (udp.hasPendingDatagrams()) {
                udp.receiveDatagram();
                ++datagrams;
            }
        });
    }
    QTcpServer tcp;
    QUdpSocket udp;
    int connections = 0;
    int datagrams = 0;
};

QVariant runJs(WebPreview* view, const QString& script) {
    QVariant result;
    QEventLoop loop;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}
} // namespace

TEST(PreviewGuard, AHostilePageReadsNothingAndSendsNothingButItsOwnFilesLoad) {
    Listener listener;
    ASSERT_TRUE(listener.tcp.isListening());
    QTemporaryDir secrets;
    QFile secret(secrets.filePath("secret.txt"));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
    secret.write("password");
    secret.close();

    TestWindow w(TestWindow::Ini::WithOpenPath, true);
    auto* view = qobject_cast<WebPreview*>(w->preview().widget());
    w->show();
    for (const char* name : {"style.css", "script.js", "frame.html", "worker.js", "pic.svg"}) {
        QFile out(w.docFolder() + name);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(dataFile(name));
    }
    QString page = QString::fromUtf8(dataFile("page.html"));
    page.replace("@PORT@", QString::number(listener.tcp.serverPort()))
        .replace("@SECRET@", QUrl::fromLocalFile(secret.fileName()).toString())
        .replace("@FOLDER@", QUrl::fromLocalFile(secrets.path() + "/").toString());
    w->source().setText(page);
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    w->refreshPreview();
    ASSERT_TRUE(loaded.wait(30000));

    const QStringList attempts{"xhr",  "fetch",     "listing", "eventsource",
                               "http", "websocket", "worker",  "webrtc"};
    for (int waited = 0; waited < 15000; waited += 100) {
        if (runJs(view, "Object.keys(window.results || {}).length").toInt() == attempts.size()) {
            break;
        }
        QTest::qWait(100);
    }
    QTest::qWait(500); // anything still on its way reaches the listener
    for (const QString& attempt : attempts) {
        const QString result = runJs(view, "window.results['" + attempt + "']").toString();
        SCOPED_TRACE(attempt.toStdString() + ": " + result.toStdString());
        EXPECT_FALSE(result.startsWith("read") || result == "sent");
    }
    EXPECT_EQ(listener.connections, 0);
    EXPECT_EQ(listener.datagrams, 0);

    EXPECT_EQ(runJs(view, "getComputedStyle(document.getElementById('styled')).color"),
              "rgb(1, 2, 3)");
    EXPECT_EQ(runJs(view, "window.scriptLoaded"), "yes");
    EXPECT_EQ(runJs(view, "document.getElementById('pic').naturalWidth").toInt(), 20);
    EXPECT_EQ(runJs(view, "document.getElementById('frame').contentDocument.title"),
              "frame loaded");
}

TEST(PreviewGuard, DecidesBySchemeAndKind) {
    using Kind = PreviewGuard::Kind;
    const QString folder = QDir::tempPath();
    const struct {
        QString url;
        Kind kind;
        bool allowed;
    } cases[] = {
        {"file:///site/page.html", Kind::Document, true},
        {"file:///site/frame.html", Kind::Frame, true},
        {QUrl::fromLocalFile(folder).toString(), Kind::Frame, false},
        {"file:///site/style.css", Kind::Subresource, true},
        {"file:///etc/passwd", Kind::ScriptRead, false},
        {"file:///site/data.json", Kind::ScriptRead, false},
        {"file:///site/ping", Kind::Other, false},
        {"data:text/plain,x", Kind::ScriptRead, true},
        {"blob:file:///1234", Kind::Subresource, true},
        {"http://127.0.0.1/", Kind::Document, false},
        {"https://example.org/a.png", Kind::Subresource, false},
        {"ws://127.0.0.1:9/", Kind::Other, false},
        {"ftp://example.org/", Kind::Frame, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PreviewGuard::allows(QUrl(c.url), c.kind), c.allowed) << c.url.toStdString();
    }
}
