#include "app/BackgroundWriter.h"

#include <QFile>

BackgroundWriter::BackgroundWriter() {
    m_pool.setMaxThreadCount(1);
}

BackgroundWriter::~BackgroundWriter() {
    m_pool.waitForDone();
}

void BackgroundWriter::write(const QStringList& paths, const QByteArray& bytes) {
    m_pool.start([paths, bytes] {
        for (const QString& path : paths) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                file.write(bytes);
            }
        }
    });
}

void BackgroundWriter::waitForDone() {
    m_pool.waitForDone();
}
