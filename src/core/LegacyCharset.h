#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace markwright {

// A charset a page can name in its <meta> tag (KOI8-R, Shift_JIS, GBK...),
// found by any of the labels browsers know it by, and text converted to and
// from it by the system's iconv. Conversions are strict: a byte sequence the
// charset has no character for, or a character it has no bytes for, fails
// the whole conversion instead of becoming something else.
class LegacyCharset {
  public:
    // The charset `label` names, case and surrounding blanks ignored, or
    // nullopt for a label browsers do not know. As in a page's <meta> tag,
    // the UTF-16 labels name UTF-8 and the Latin-1 and ASCII ones
    // windows-1252.
    static std::optional<LegacyCharset> forLabel(QByteArrayView label);

    // The charset's own name ("KOI8-R", "Shift_JIS", "GBK"), which browsers
    // know it by too.
    QString name() const { return QLatin1String(m_name); }

    std::optional<QString> decode(QByteArrayView bytes) const;
    std::optional<QByteArray> encode(const QString& text) const;

  private:
    LegacyCharset(const char* name, const char* iconvName) : m_name(name), m_iconv(iconvName) {}

    const char* m_name;
    const char* m_iconv;
};

} // namespace markwright
