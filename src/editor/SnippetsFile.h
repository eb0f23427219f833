#pragma once

#include "editor/UserSnippets.h"

#include <QObject>
#include <QString>
#include <vector>

class QFileSystemWatcher;

namespace markwright {

// The user's snippets file (snippets.txt in the per-user configuration
// folder): read at start and again whenever it changes on disk, so a save
// of it in the editor takes effect at once.
class SnippetsFile : public QObject {
    Q_OBJECT

  public:
    SnippetsFile(QString folder, QObject* parent = nullptr);

    const QString& path() const { return m_path; }
    const std::vector<UserSnippet>& snippets() const { return m_snippets; }
    // Writes the starter file (how the format goes, a few examples) when
    // there is none yet; false when it cannot be written.
    bool ensure();

  signals:
    void loaded();

  private:
    void load();

    QString m_path;
    QFileSystemWatcher* m_watcher;
    std::vector<UserSnippet> m_snippets;
};

} // namespace markwright
