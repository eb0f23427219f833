// A page shown in the preview can load what a hand-written page needs from
// its own folder, and nothing else: no script reads of local files, and no
// traffic to any host.
#include "app/PreviewGuard.h"
#include "support/WebWindow.h"

#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace {
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

using PreviewGuardE2e = WebWindowTest;
} // namespace

TEST_F(PreviewGuardE2e, AHostilePageReadsNothingAndSendsNothingButItsOwnFilesLoad) {
    Listener listener;
    ASSERT_TRUE(listener.tcp.isListening());
    QTemporaryDir secrets;
    ASSERT_TRUE(writeBytes(secrets.filePath("secret.txt"), "password"));
    for (const char* name : {"style.css", "script.js", "frame.html", "worker.js", "pic.svg"}) {
        ASSERT_TRUE(writeBytes(w.docFolder() + name, testdata::bytes(QString("hostile/") + name)));
    }
    load(testdata::text("hostile/page.html")
             .replace("@PORT@", QString::number(listener.tcp.serverPort()))
             .replace("@SECRET@", QUrl::fromLocalFile(secrets.filePath("secret.txt")).toString())
             .replace("@FOLDER@", QUrl::fromLocalFile(secrets.path() + "/").toString()));

    const QStringList attempts{"xhr",  "fetch",     "listing", "eventsource",
                               "http", "websocket", "worker",  "webrtc"};
    waitForJs("Object.keys(window.results || {}).length", int(attempts.size()), 15000);
    QTest::qWait(500); // anything still on its way reaches the listener
    for (const QString& attempt : attempts) {
        const QString result = js("window.results['" + attempt + "']").toString();
        SCOPED_TRACE(attempt.toStdString() + ": " + result.toStdString());
        EXPECT_FALSE(result.startsWith("read") || result == "sent");
    }
    EXPECT_EQ(listener.connections, 0);
    EXPECT_EQ(listener.datagrams, 0);

    EXPECT_EQ(js("getComputedStyle(document.getElementById('styled')).color"), "rgb(1, 2, 3)");
    EXPECT_EQ(js("window.scriptLoaded"), "yes");
    EXPECT_EQ(js("document.getElementById('pic').naturalWidth").toInt(), 20);
    EXPECT_EQ(js("document.getElementById('frame').contentDocument.title"), "frame loaded");
}

TEST(PreviewGuard, DecidesBySchemeAndKind) {
    const QByteArrayList kinds{"Document", "Frame", "Subresource", "ScriptRead", "Other"};
    for (const QByteArrayList& c : testdata::table("expected/preview-guard.txt")) {
        ASSERT_TRUE(kinds.contains(c[1])) << c[1].toStdString();
        const auto kind = static_cast<PreviewGuard::Kind>(kinds.indexOf(c[1]));
        EXPECT_EQ(PreviewGuard::allows(QUrl(QString::fromUtf8(c[0])), kind), c[2] == "1")
            << c[0].toStdString();
    }
}
