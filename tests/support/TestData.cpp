#include "support/TestData.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray unescape(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char c = field[++i];
        if (c == 'x' && i + 2 < field.size()) {
            out += static_cast<char>(field.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        }
    }
    return out;
}
} // namespace

QByteArray testdata::bytes(const QString& name) {
    const QString path = QStringLiteral(TEST_DATA_DIR "/") + name;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing test data " << path.toStdString();
        return {};
    }
    return file.readAll();
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
        QByteArrayList fields{QByteArray()};
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == '|') {
                fields.append(QByteArray());
            } else {
                fields.last() += line[i];
                if (line[i] == '\\' && i + 1 < line.size()) {
                    fields.last() += line[++i];
                }
            }
        }
        for (QByteArray& field : fields) {
            field = unescape(field);
        }
        rows.append(fields);
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
