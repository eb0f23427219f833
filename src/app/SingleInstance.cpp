#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
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
    // The display the window goes to: an X display, a Wayland session, or
    // both. Each value is made safe for a file name; a long one (a Wayland
    // socket may be named by its full path) is shortened to a hash.
    QString display;
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const QByteArray value = qgetenv(variable);
        if (value.isEmpty()) {
            continue;
        }
        QByteArray safe = QUrl::toPercentEncoding(value).replace('%', '_');
        if (safe.size() > 32) {
            safe = QCryptographicHash::hash(value, QCryptographicHash::Sha1).toHex().left(16);
        }
        display += QLatin1Char('-') + QString::fromLatin1(safe);
    }
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return QDir(runtime).filePath(QStringLiteral("markwright%1.socket").arg(display));
    }
    return QStringLiteral("markwright-%1%2").arg(qEnvironmentVariable("USER"), display);
}

namespace {
enum class Claim { Taken, HeldElsewhere, Impossible };

// Takes the lock file beside the socket that makes one program the instance
// for `name`. Whoever holds it decides alone whether to listen, so two starts
// at the same moment cannot both become the instance.
Claim claim(const QString& name, std::unique_ptr<QLockFile>& lock) {
    const QString path = QDir::isAbsolutePath(name) ? name + QStringLiteral(".lock")
                                                    : QDir::temp().filePath(name + ".lock");
    auto candidate = std::make_unique<QLockFile>(path);
    // Held for the program's whole life: only a holder that has ended (its
    // process is gone) makes the lock stale, never its age.
    candidate->setStaleLockTime(0);
    if (candidate->tryLock(0)) {
        lock = std::move(candidate);
        return Claim::Taken;
    }
    return candidate->error() == QLockFile::LockFailedError ? Claim::HeldElsewhere
                                                            : Claim::Impossible;
}

// The claim handOver took for a start that found nobody to hand to, kept
// until the instance listens (or the process ends).
struct PendingClaim {
    QString name;
    std::unique_ptr<QLockFile> lock;
};
PendingClaim& pendingClaim() {
    static PendingClaim pending;
    return pending;
}

bool send(const QString& name, const QStringList& files, int timeoutMs) {
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
} // namespace

bool SingleInstance::handOver(const QString& name, const QStringList& files, int timeoutMs) {
    PendingClaim& pending = pendingClaim();
    if (pending.lock && pending.name == name) {
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (true) {
        std::unique_ptr<QLockFile> lock;
        switch (claim(name, lock)) {
        case Claim::Taken:
            pending = {name, std::move(lock)};
            return false;
        case Claim::Impossible:
            // No lock can be made here: only a program already listening
            // tells that this start is not the first.
            return send(name, files, timeoutMs);
        case Claim::HeldElsewhere:
            break;
        }
        // The holder may not listen yet, or be busy starting: try again
        // until it answers, ends (and its claim comes free) or time is up.
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0) {
            return false;
        }
        if (send(name, files, left)) {
            return true;
        }
        QThread::msleep(50);
    }
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
    PendingClaim& pending = pendingClaim();
    if (pending.lock && pending.name == name) {
        m_claim = std::move(pending.lock);
        pending.name.clear();
    } else if (!m_claim && claim(name, m_claim) == Claim::HeldElsewhere) {
        // Another program is the instance: its socket is not ours to take.
        m_heldElsewhere = true;
        return false;
    }
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(name)) {
        return true;
    }
    // With the claim held (or where no lock can be made), a socket still
    // there is a crashed program's leftover.
    QLocalServer::removeServer(name);
    return m_server.listen(name);
}

} // namespace markwright
