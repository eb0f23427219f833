#include "preview/BackgroundWriter.h"

#include "files/PreviewFile.h"

namespace markwright {

BackgroundWriter::BackgroundWriter() {
    m_pool.setMaxThreadCount(1);
}

BackgroundWriter::~BackgroundWriter() {
    m_pool.waitForDone();
}

void BackgroundWriter::write(const QStringList& paths, const QByteArray& bytes,
                             QFileDevice::Permissions permissions) {
    m_pool.start([paths, bytes, permissions] {
        for (const QString& path : paths) {
            previewfile::write(path, bytes, permissions);
        }
    });
}

void BackgroundWriter::waitForDone() {
    m_pool.waitForDone();
}

} // namespace markwright
