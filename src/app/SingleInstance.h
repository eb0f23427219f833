#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace markwright {

// One program per user: a later start hands its files to the running one
// (which opens them and comes to the front) and ends, so two windows never
// write the same preview files. The running one listens on a local socket
// whose name holds the user.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // The socket for this user, in the per-user runtime folder where there
    // is one.
    static QString socketName();

    // Gives `files` to a running program; true when it took them within
    // `timeoutMs`. False when none answers: this one is then the first.
    static bool handOver(const QString& name, const QStringList& files, int timeoutMs = 1500);

    explicit SingleInstance(QObject* parent = nullptr);
    // Starts listening (taking over a socket a crashed program left).
    bool listen(const QString& name);

  signals:
    // Another start handed these files over (possibly none: it only wants
    // the window brought to the front).
    void filesArrived(const QStringList& files);

  private:
    QLocalServer m_server;
};

} // namespace markwright
