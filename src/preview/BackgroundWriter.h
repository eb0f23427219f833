#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QStringList>
#include <QThreadPool>

namespace markwright {

// Writes files on a thread of its own, one job after another in the order
// given, so copies of a large page do not hold up the window. A later job
// always lands after an earlier one.
class BackgroundWriter {
  public:
    BackgroundWriter();
    ~BackgroundWriter();

    // Writes `bytes` to every path as a preview file with `permissions`; a
    // path that cannot be written is passed over.
    void write(const QStringList& paths, const QByteArray& bytes,
               QFileDevice::Permissions permissions);
    // Returns once every job given so far is done.
    void waitForDone();

  private:
    QThreadPool m_pool;
};

} // namespace markwright
