#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <memory>

namespace markwright {

// One program per user and display: a later start hands its files to the
// running one (which opens them and comes to the front) and ends, so two
// windows never write the same preview files, and a start on another display
// never sends its files to a window the user there cannot see. The running
// one holds a lock file for its whole life and listens on a local socket
// whose name holds the user and the display.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // The socket for this user and display, in the per-user runtime folder
    // where there is one.
    static QString socketName();

    // Gives `files` to a running program; true when it took them. False when
    // this start is the first: it then holds the claim on `name`, and a
    // SingleInstance listening on `name` keeps it. While another live program
    // holds the claim, it is given up to `timeoutMs` to answer (it may still
    // be starting up); false after that means it never answered, and this
    // start holds no claim.
    static bool handOver(const QString& name, const QStringList& files, int timeoutMs = 10000);

    explicit SingleInstance(QObject* parent = nullptr);
    // Starts listening (taking over a socket a crashed program left) and
    // keeps the claim until this object ends. False, without listening, when
    // another live program holds the claim.
    bool listen(const QString& name);
    // After a failed listen: another program that is still running holds
    // the claim (it did not answer the hand-over).
    bool heldElsewhere() const { return m_heldElsewhere; }

  signals:
    // Another start handed these files over (possibly none: it only wants
    // the window brought to the front).
    void filesArrived(const QStringList& files);

  private:
    // Declared before the server so the socket closes before the claim ends.
    std::unique_ptr<QLockFile> m_claim;
    QLocalServer m_server;
    bool m_heldElsewhere = false;
};

} // namespace markwright
