#pragma once

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

#include "support/ProjectNames.h"

// Expected texts and fixtures are written out by hand in tests/data, never
// produced by the code under test; the tests read them through these. This
// header brings what every test uses: files, folders and GoogleTest.
namespace testdata {
// The bytes of tests/data/<name>; a missing file fails the test.
QByteArray bytes(const QString& name);
// tests/data/<name> read as UTF-8.
QString text(const QString& name);
// The table tests/data/<name>: a row a line, fields split at '|', with the
// escapes \n \r \t \0 \\ \| and \xHH decoded. Blank lines and lines starting
// with '#' are skipped; blanks leading a row are kept.
QList<QByteArrayList> table(const QString& name);
// The text of prompt `key` in tests/data/expected/prompts.txt, with "%1"
// standing for `path`.
QString prompt(const QByteArray& key, const QString& path = QString());
} // namespace testdata

// The bytes of a file the test made or the program wrote ("<missing>" when
// it cannot be read), and a file written for the program to find.
QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// Test failures show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
