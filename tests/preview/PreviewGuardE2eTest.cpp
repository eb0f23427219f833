// A page shown in the preview can load what a hand-written page needs from
// its own folder, and nothing else: no script reads of local files, and no
// traffic to any host.
#include "preview/PreviewGuard.h"
#include "support/WebWindow.h"

#include <QDesktopServices>
#include <QImage>
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

// Catches every address the engine hands to the desktop (mail and the like).
class DesktopCatcher : public QObject {
    Q_OBJECT

  public:
    DesktopCatcher() {
        for (const char* scheme : {"mailto", "news", "tel"}) {
            QDesktopServices::setUrlHandler(scheme, this, "take");
        }
    }
    ~DesktopCatcher() override {
        for (const char* scheme : {"mailto", "news", "tel"}) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }
    QList<QUrl> taken;

  public slots:
    void take(const QUrl& url) { taken.append(url); }
};

// Every way a page might read a file outside its folder, read a file of its
// own folder through another document, or send anything anywhere, against a
// marker folder beside the page's and a listener on 127.0.0.1; while the
// page's own sheet, script, picture and frame, and a page of the program's
// folder, still load.
TEST_F(PreviewGuardE2e, AHostilePageReadsNothingAndSendsNothingButItsOwnFilesLoad) {
    Listener listener;
    ASSERT_TRUE(listener.tcp.isListening());
    DesktopCatcher desktop;
    QTemporaryDir secrets;
    ASSERT_TRUE(writeBytes(secrets.filePath("secret.txt"), "password"));
    ASSERT_TRUE(writeBytes(secrets.filePath("secret.css"), "p { color: red; }"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(secrets.filePath("secret.png")));
    ASSERT_TRUE(picture.save(w.docFolder() + "pic.png"));
    for (const char* name : {"style.css", "script.js", "frame.html", "worker.js", "pic.svg"}) {
        ASSERT_TRUE(writeBytes(w.docFolder() + name, testdata::bytes(QString("hostile/") + name)));
    }
    ASSERT_TRUE(
        writeBytes(w.programDir.filePath("sample.html"), testdata::bytes("hostile/sample.html")));
    const auto url = [](const QString& path) { return QUrl::fromLocalFile(path).toString(); };
    load(testdata::text("hostile/page.html")
             .replace("@PORT@", QString::number(listener.tcp.serverPort()))
             .replace("@SECRET@", url(secrets.filePath("secret.txt")))
             .replace("@PICTURE@", url(secrets.filePath("secret.png")))
             .replace("@SHEET@", url(secrets.filePath("secret.css")))
             .replace("@FOLDER@", url(secrets.path() + "/"))
             .replace("@PROGRAM_PAGE@", w.programDir.path() + "\\sample.html"));

    const QStringList attempts{"xhr",    "frame",       "ownframe",  "listing", "canvas",
                               "sheet",  "http",        "websocket", "worker",  "sharedworker",
                               "webrtc", "webrtcframe", "opened"};
    waitForJs("Object.keys(window.results || {}).length", int(attempts.size()), 15000);
    // A real click on the mail link, as a reader would make one.
    QWidget* surface = view->focusProxy();
    ASSERT_NE(surface, nullptr);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::qWait(1000); // anything still on its way reaches the listener
    for (const QString& attempt : attempts) {
        const QString result = js("window.results['" + attempt + "']").toString();
        SCOPED_TRACE(attempt.toStdString() + ": " + result.toStdString());
        EXPECT_FALSE(result.startsWith("read") || result == "sent");
    }
    EXPECT_EQ(listener.connections, 0);
    EXPECT_EQ(listener.datagrams, 0);
    EXPECT_TRUE(desktop.taken.isEmpty()) << desktop.taken.value(0).toString().toStdString();

    EXPECT_EQ(js("getComputedStyle(document.getElementById('styled')).color"), "rgb(1, 2, 3)");
    EXPECT_EQ(js("window.scriptLoaded"), "yes");
    EXPECT_EQ(js("document.getElementById('pic').naturalWidth").toInt(), 20);
    EXPECT_TRUE(waitForJs("!!window.framesSeen['own frame']", true));
    EXPECT_TRUE(waitForJs("!!window.framesSeen['program page']", true));
}

TEST(PreviewGuard, DecidesBySchemeAndKind) {
    const QByteArrayList kinds{"Document", "Frame", "Subresource", "ScriptRead", "Other"};
    for (const QByteArrayList& c : testdata::table("expected/preview-guard.txt")) {
        ASSERT_TRUE(kinds.contains(c[1])) << c[1].toStdString();
        const auto kind = static_cast<PreviewGuard::Kind>(kinds.indexOf(c[1]));
        EXPECT_EQ(PreviewGuard::allows(QUrl(QString::fromUtf8(c[0])), kind,
                                       QUrl(QString::fromUtf8(c[2])), "/prog/"),
                  c[3] == "1")
            << c[0].toStdString() << " from " << c[2].toStdString();
    }
}

#include "PreviewGuardE2eTest.moc"
