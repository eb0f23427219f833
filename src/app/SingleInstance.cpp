#include "app/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QUrl>

namespace markwright {

namespace {
// The message: one absolute path per line, then an empty line. The answer:
// "ok" and a line end.
QByteArray message(const QStringList& files) {
    QByteArray out;
    for (const QString& file : files) {
        out += QUrl::toPercentEncoding(QDir().absoluteFilePath(file)) + '\n';
    }
    return out + '\n';
}
} // namespace

QString SingleInstance::socketName() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return QDir(runtime).filePath(QStringLiteral("markwright.socket"));
    }
    return QStringLiteral("markwright-%1").arg(qEnvironmentVariable("USER"));
}

bool SingleInstance::handOver(const QString& name, const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(message(files));
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (!socket.canReadLine()) {
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0 || !socket.waitForReadyRead(left)) {
            return false;
        }
    }
    return socket.readLine().trimmed() == "ok";
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // A long list may come in several pieces: wait for the blank
                // line that ends it.
                const QByteArray waiting = socket->peek(socket->bytesAvailable());
                if (!waiting.startsWith('\n') && !waiting.contains("\n\n")) {
                    return;
                }
                QStringList files;
                while (socket->canReadLine()) {
                    const QByteArray line = socket->readLine().chopped(1);
                    if (line.isEmpty()) {
                        socket->write("ok\n");
                        socket->flush();
                        emit filesArrived(files);
                        return;
                    }
                    files.append(QUrl::fromPercentEncoding(line));
                }
            });
        }
    });
}

bool SingleInstance::listen(const QString& name) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(name)) {
        return true;
    }
    // Nobody answered on it (handOver came first), so it is a crashed
    // program's leftover.
    QLocalServer::removeServer(name);
    return m_server.listen(name);
}

} // namespace markwright
