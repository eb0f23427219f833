#include "core/CharsetPrescan.h"

#include "core/LegacyCharset.h"

#include <QByteArray>
#include <QByteArrayList>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

namespace markwright {

namespace {
// The pre-scan browsers make of a page's first bytes for its charset.
class CharsetScan {
  public:
    explicit CharsetScan(QByteArrayView head)
        : m_in(head.first(std::min<qsizetype>(head.size(), 1024))) {}

    QString run() {
        while (m_pos < m_in.size()) {
            if (at("<!--")) {
                const qsizetype end = m_in.indexOf("-->", m_pos + 2);
                if (end < 0) {
                    return QString();
                }
                m_pos = end + 3;
            } else if (atNoCase("<meta") && m_pos + 5 < m_in.size() &&
                       (space(m_in[m_pos + 5]) || m_in[m_pos + 5] == '/')) {
                m_pos += 6;
                if (const QString name = metaCharset(); !name.isEmpty()) {
                    return name;
                }
            } else if (m_pos + 1 < m_in.size() && m_in[m_pos] == '<' &&
                       (letter(m_in[m_pos + 1]) ||
                        (m_in[m_pos + 1] == '/' && m_pos + 2 < m_in.size() &&
                         letter(m_in[m_pos + 2])))) {
                while (m_pos < m_in.size() && !space(m_in[m_pos]) && m_in[m_pos] != '>') {
                    ++m_pos;
                }
                while (attribute()) {
                }
            } else if (at("<!") || at("</") || at("<?")) {
                const qsizetype end = m_in.indexOf('>', m_pos);
                if (end < 0) {
                    return QString();
                }
                m_pos = end + 1;
            } else {
                ++m_pos;
            }
        }
        return QString();
    }

  private:
    static bool space(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
    }
    static bool letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    bool at(const char* s) const { return m_in.sliced(m_pos).startsWith(s); }
    bool atNoCase(const char* s) const {
        const qsizetype length = qsizetype(std::strlen(s));
        return m_pos + length <= m_in.size() &&
               m_in.sliced(m_pos, length).compare(s, Qt::CaseInsensitive) == 0;
    }
    void skipSpaces() {
        while (m_pos < m_in.size() && space(m_in[m_pos])) {
            ++m_pos;
        }
    }

    // The next attribute of a tag into m_name and m_value (both lower case);
    // false at the tag's end or the end of the bytes.
    bool attribute() {
        m_name.clear();
        m_value.clear();
        while (m_pos < m_in.size() && (space(m_in[m_pos]) || m_in[m_pos] == '/')) {
            ++m_pos;
        }
        if (m_pos >= m_in.size() || m_in[m_pos] == '>') {
            return false;
        }
        for (;; ++m_pos) {
            if (m_pos >= m_in.size()) {
                return false;
            }
            const char c = m_in[m_pos];
            if (c == '=' && !m_name.isEmpty()) {
                break;
            }
            if (space(c)) {
                skipSpaces();
                if (m_pos >= m_in.size() || m_in[m_pos] != '=') {
                    return m_pos < m_in.size();
                }
                break;
            }
            if (c == '/' || c == '>') {
                return true;
            }
            m_name += char(std::tolower(static_cast<unsigned char>(c)));
        }
        ++m_pos; // the '='
        skipSpaces();
        if (m_pos >= m_in.size()) {
            return false;
        }
        if (const char quote = m_in[m_pos]; quote == '"' || quote == '\'') {
            const qsizetype end = m_in.indexOf(quote, m_pos + 1);
            if (end < 0) {
                return false;
            }
            m_value = m_in.sliced(m_pos + 1, end - m_pos - 1).toByteArray().toLower();
            m_pos = end + 1;
            return true;
        }
        if (m_in[m_pos] == '>') {
            return true;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && !space(m_in[m_pos]) && m_in[m_pos] != '>') {
            ++m_pos;
        }
        if (m_pos >= m_in.size()) {
            return false;
        }
        m_value = m_in.sliced(start, m_pos - start).toByteArray().toLower();
        return true;
    }

    // The charset a <meta> tag declares (its attributes follow m_pos).
    QString metaCharset() {
        QByteArrayList seen;
        bool gotPragma = false;
        enum { None, Yes, No } needPragma = None;
        QByteArray label;
        while (attribute()) {
            if (seen.contains(m_name)) {
                continue;
            }
            seen << m_name;
            if (m_name == "http-equiv") {
                gotPragma = gotPragma || m_value == "content-type";
            } else if (m_name == "content" && label.isEmpty()) {
                label = fromContent(m_value);
                needPragma = label.isEmpty() ? needPragma : Yes;
            } else if (m_name == "charset") {
                label = m_value;
                needPragma = No;
            }
        }
        if (needPragma == None || (needPragma == Yes && !gotPragma)) {
            return QString();
        }
        const std::optional<LegacyCharset> charset = LegacyCharset::forLabel(label);
        return charset ? charset->name() : QString();
    }

    // The charset named in a Content-Type value: "text/html; charset=koi8-r".
    static QByteArray fromContent(const QByteArray& content) {
        for (qsizetype pos = 0;;) {
            pos = content.indexOf("charset", pos);
            if (pos < 0) {
                return QByteArray();
            }
            pos += 7;
            while (pos < content.size() && space(content[pos])) {
                ++pos;
            }
            if (pos >= content.size() || content[pos] != '=') {
                continue;
            }
            ++pos;
            while (pos < content.size() && space(content[pos])) {
                ++pos;
            }
            if (pos < content.size() && (content[pos] == '"' || content[pos] == '\'')) {
                const qsizetype end = content.indexOf(content[pos], pos + 1);
                return end < 0 ? QByteArray() : content.mid(pos + 1, end - pos - 1);
            }
            qsizetype end = pos;
            while (end < content.size() && !space(content[end]) && content[end] != ';') {
                ++end;
            }
            return content.mid(pos, end - pos);
        }
    }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    QByteArray m_name;
    QByteArray m_value;
};

} // namespace

QString declaredCharset(QByteArrayView head) {
    return CharsetScan(head).run();
}

} // namespace markwright
