#include "editor/SnippetsFile.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QSaveFile>

namespace markwright {

SnippetsFile::SnippetsFile(QString folder, QObject* parent)
    : QObject(parent), m_path(QDir(folder).filePath(QStringLiteral("snippets.txt"))),
      m_watcher(new QFileSystemWatcher(this)) {
    // A save may replace the file (write and rename): the folder tells of
    // that, the file of writes in place.
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &SnippetsFile::load);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &SnippetsFile::load);
    load();
}

bool SnippetsFile::ensure() {
    if (QFile::exists(m_path)) {
        return true;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(snippets::starterFile().toUtf8()) < 0 ||
        !file.commit()) {
        return false;
    }
    load();
    return true;
}

void SnippetsFile::load() {
    QFile file(m_path);
    m_snippets = file.open(QIODevice::ReadOnly) ? snippets::parse(QString::fromUtf8(file.readAll()))
                                                : std::vector<UserSnippet>();
    const QString folder = QFileInfo(m_path).absolutePath();
    if (QDir(folder).exists() && !m_watcher->directories().contains(folder)) {
        m_watcher->addPath(folder);
    }
    if (QFile::exists(m_path) && !m_watcher->files().contains(m_path)) {
        m_watcher->addPath(m_path);
    }
    emit loaded();
}

} // namespace markwright
