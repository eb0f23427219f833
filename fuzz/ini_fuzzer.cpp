// Setting a key in any file's bytes: reading the key back gives the value
// written, every other key reads as before, and the bytes taken away all lie
// within one line (the key's own), so every other line is kept byte for byte.
#include "Require.h"
#include "settings/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {
QString consumeName(FuzzedDataProvider& provider) {
    return QString::fromStdString(provider.ConsumeRandomLengthString(40));
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// A name or value as the profile format can hold it on one line: no line
// break, and none of the characters that end it where it is used.
QString oneLine(QString text, const char* cut) {
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    for (const char* c = cut; *c; ++c) {
        text.replace(QLatin1Char(*c), QLatin1Char('_'));
    }
    return text;
}

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a.trimmed(), b.trimmed(), Qt::CaseInsensitive) == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    // A section name ends at "]"; a key at "=", and one starting with ";" or
    // "[" would make a comment or a section header.
    const QString section = oneLine(consumeName(provider), "]");
    QString key = oneLine(consumeName(provider), "=");
    const QString start = key.trimmed().left(1);
    if (start == u";" || start == u"[") {
        key.prepend(QLatin1Char('k'));
    }
    // A value is read without the blanks around it and without one pair of
    // quotes around it, so the one written has neither.
    QString value = oneLine(consumeName(provider), "").trimmed();
    if (value.size() >= 2 && (value[0] == QLatin1Char('"') || value[0] == QLatin1Char('\'')) &&
        value.back() == value[0]) {
        value += QLatin1Char('.');
    }
    const QString otherSection = consumeName(provider);
    const QString otherKey = consumeName(provider);
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QByteArray contents(rest.data(), static_cast<qsizetype>(rest.size()));

    const QByteArray written = ini::writeValue(contents, section, key, value);
    require(ini::readValue(written, section, key) == value, "a written value reads back");
    if (!sameName(section, otherSection) || !sameName(key, otherKey)) {
        require(ini::readValue(written, otherSection, otherKey) ==
                    ini::readValue(contents, otherSection, otherKey),
                "every other key reads as before");
    }

    // The bytes between the longest common start and end of the two files
    // are what was taken away; they hold no line break.
    const qsizetype most = std::min(contents.size(), written.size());
    qsizetype head = 0;
    while (head < most && contents[head] == written[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < most - head &&
           contents[contents.size() - 1 - tail] == written[written.size() - 1 - tail]) {
        ++tail;
    }
    for (qsizetype i = head; i < contents.size() - tail; ++i) {
        require(!isLineBreak(contents[i]), "only the key's own line is changed");
    }
    const qsizetype added = written.size() - contents.size();
    require(added <= (section.toUtf8().size() + key.toUtf8().size() + value.toUtf8().size() + 9),
            "at most a section header and the key line are added");
    return 0;
}
