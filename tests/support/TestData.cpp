#include "support/TestData.h"

#include <QFile>
#include <gtest/gtest.h>

QByteArray testdata::bytes(const QString& name) {
    const QString path = QStringLiteral(TEST_DATA_DIR "/") + name;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing test data " << path.toStdString();
    }
    return file.isOpen() ? file.readAll() : QByteArray();
}

QString testdata::text(const QString& name) {
    return QString::fromUtf8(bytes(name));
}

QList<QByteArrayList> testdata::table(const QString& name) {
    QList<QByteArrayList> rows;
    for (const QByteArray& line : bytes(name).split('\n')) {
        if (line.trimmed().isEmpty() || line.startsWith('#')) {
            continue;
        }
        QByteArrayList& fields = rows.emplace_back(QByteArrayList{QByteArray()});
        for (qsizetype i = 0; i < line.size(); ++i) {
            const char c = line[i];
            const char next = i + 1 < line.size() ? line[i + 1] : '\0';
            if (c == '|') {
                fields.append(QByteArray());
            } else if (c != '\\' || i + 1 == line.size()) {
                fields.last() += c;
            } else if (next == 'x' && i + 3 < line.size()) {
                fields.last() += static_cast<char>(line.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                // \n \r \t \0; any other character stands for itself
                const qsizetype k = QByteArray("nrt0").indexOf(next);
                fields.last() += k < 0 ? next : "\n\r\t\0"[k];
                ++i;
            }
        }
    }
    return rows;
}

QString testdata::prompt(const QByteArray& key, const QString& path) {
    for (const QByteArrayList& row : table(QStringLiteral("expected/prompts.txt"))) {
        if (row[0] == key) {
            return QString::fromUtf8(row.value(1)).replace(QStringLiteral("%1"), path);
        }
    }
    ADD_FAILURE() << "no prompt " << key.toStdString();
    return {};
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
