#include "core/LegacyCharset.h"

#include <QStringView>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace markwright {

namespace {
struct Charset {
    const char* name;
    const char* iconv;  // the name the system's iconv knows it by
    const char* labels; // separated by single spaces
};

// The charsets browsers read, with their labels. Shift_JIS, EUC-KR and Big5
// are read as browsers read them: Windows' code page 932 (where 0x5C is the
// backslash, not the yen sign), 949 and Big5-HKSCS.
constexpr std::array<Charset, 27> Charsets{{
    {"UTF-8", "UTF-8",
     "utf-8 utf8 unicode-1-1-utf-8 unicode11utf8 unicode20utf8 x-unicode20utf8 utf-16 utf-16le "
     "utf-16be unicode ucs-2 csunicode iso-10646-ucs-2 unicodefeff unicodefffe"},
    {"windows-1252", "CP1252",
     "windows-1252 cp1252 x-cp1252 iso-8859-1 iso8859-1 iso88591 iso_8859-1 iso_8859-1:1987 "
     "latin1 l1 ascii us-ascii ansi_x3.4-1968 cp819 ibm819 csisolatin1 iso-ir-100"},
    {"KOI8-R", "KOI8-R", "koi8-r koi8_r koi8 koi cskoi8r"},
    {"KOI8-U", "KOI8-U", "koi8-u koi8-ru"},
    {"IBM866", "CP866", "ibm866 866 cp866 csibm866"},
    {"windows-1250", "CP1250", "windows-1250 cp1250 x-cp1250"},
    {"windows-1251", "CP1251", "windows-1251 cp1251 x-cp1251"},
    {"windows-1253", "CP1253", "windows-1253 cp1253 x-cp1253"},
    {"windows-1254", "CP1254",
     "windows-1254 cp1254 x-cp1254 iso-8859-9 iso8859-9 iso88599 iso_8859-9 latin5 l5"},
    {"windows-1255", "CP1255", "windows-1255 cp1255 x-cp1255"},
    {"windows-1256", "CP1256", "windows-1256 cp1256 x-cp1256"},
    {"windows-1257", "CP1257", "windows-1257 cp1257 x-cp1257"},
    {"windows-1258", "CP1258", "windows-1258 cp1258 x-cp1258"},
    {"windows-874", "CP874", "windows-874 dos-874 tis-620 iso-8859-11 iso8859-11 iso885911"},
    {"ISO-8859-2", "ISO-8859-2", "iso-8859-2 iso8859-2 iso88592 iso_8859-2 latin2 l2"},
    {"ISO-8859-5", "ISO-8859-5", "iso-8859-5 iso8859-5 iso88595 iso_8859-5 cyrillic"},
    {"ISO-8859-7", "ISO-8859-7", "iso-8859-7 iso8859-7 iso88597 iso_8859-7 greek greek8"},
    {"ISO-8859-15", "ISO-8859-15", "iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {"macintosh", "MACINTOSH", "macintosh mac x-mac-roman csmacintosh"},
    {"x-mac-cyrillic", "MAC-CYRILLIC", "x-mac-cyrillic x-mac-ukrainian"},
    {"Shift_JIS", "CP932", "shift_jis shift-jis sjis ms_kanji ms932 windows-31j x-sjis csshiftjis"},
    {"EUC-JP", "EUC-JP", "euc-jp x-euc-jp cseucpkdfmtjapanese"},
    {"ISO-2022-JP", "ISO-2022-JP", "iso-2022-jp csiso2022jp"},
    {"GBK", "GBK",
     "gbk x-gbk gb2312 gb_2312 gb_2312-80 chinese csgb2312 csiso58gb231280 iso-ir-58"},
    {"gb18030", "GB18030", "gb18030"},
    {"Big5", "BIG5-HKSCS", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    {"EUC-KR", "CP949",
     "euc-kr cseuckr korean ksc5601 ksc_5601 ks_c_5601-1987 ks_c_5601-1989 windows-949"},
}};

bool hasLabel(const char* labels, QByteArrayView label) {
    const QByteArrayView all(labels);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf(' ', start);
        end = end < 0 ? all.size() : end;
        if (all.sliced(start, end - start) == label) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// Runs all of `in` through iconv from `from` to `to`; nullopt on any byte
// sequence or character it cannot convert exactly.
std::optional<QByteArray> convert(const char* from, const char* to, QByteArrayView in) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    QByteArray out(in.size() + in.size() / 2 + 16, Qt::Uninitialized);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = static_cast<std::size_t>(in.size());
    qsizetype done = 0;
    bool ok = true;
    // The last round, with no input, ends a stateful encoding's shift state.
    for (bool flushing = false;;) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = static_cast<std::size_t>(out.size() - done);
        const std::size_t result = flushing ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft)
                                            : iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        done = outPtr - out.data();
        if (result == static_cast<std::size_t>(-1) && errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // Any other failure, or a conversion iconv itself calls
        // irreversible, would not give the same text or bytes back.
        if (result != 0) {
            ok = false;
            break;
        }
        if (flushing) {
            break;
        }
        flushing = true;
    }
    iconv_close(cd);
    if (!ok) {
        return std::nullopt;
    }
    out.truncate(done);
    return out;
}
} // namespace

std::optional<LegacyCharset> LegacyCharset::forLabel(QByteArrayView label) {
    const QByteArray key = label.trimmed().toByteArray().toLower();
    for (const Charset& charset : Charsets) {
        if (hasLabel(charset.labels, key)) {
            return LegacyCharset(charset.name, charset.iconv);
        }
    }
    return std::nullopt;
}

std::optional<QString> LegacyCharset::decode(QByteArrayView bytes) const {
    const std::optional<QByteArray> utf8 = convert(m_iconv, "UTF-8", bytes);
    if (!utf8) {
        return std::nullopt;
    }
    return QString::fromUtf8(*utf8);
}

std::optional<QByteArray> LegacyCharset::encode(const QString& text) const {
    // A lone surrogate has no UTF-8 form to hand to iconv.
    if (!QStringView(text).isValidUtf16()) {
        return std::nullopt;
    }
    return convert("UTF-8", m_iconv, text.toUtf8());
}

} // namespace markwright
