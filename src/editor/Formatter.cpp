#include "editor/Formatter.h"

#include <QElapsedTimer>
#include <array>

namespace fmt {

namespace {
const QString CrLf = QStringLiteral("\r\n");

// The index of the first `what` at or after `from`, remembered so that a
// scan moving forward through the text never searches the same stretch
// twice (which would make the formatters quadratic on texts with few
// matches).
class NextMatch {
  public:
    NextMatch(const QString& text, QString what) : m_text(text), m_what(std::move(what)) {}
    qsizetype at(qsizetype from) {
        if (m_found == Unknown || (m_found != -1 && m_found < from) || from < m_from) {
            m_found = m_text.indexOf(m_what, from);
            m_from = from;
        }
        return m_found;
    }

  private:
    static constexpr qsizetype Unknown = -2;
    const QString& m_text;
    QString m_what;
    qsizetype m_found = Unknown;
    qsizetype m_from = 0;
};

// Reports progress at the first chunk and then about twenty times a second,
// not once per chunk.
class Pacer {
  public:
    explicit Pacer(const Progress& progress) : m_progress(progress) {}
    void tick(qsizetype done, qsizetype total) {
        if (m_progress && (!m_clock.isValid() || m_clock.elapsed() >= 50)) {
            m_progress(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0);
            m_clock.start();
        }
    }

  private:
    const Progress& m_progress;
    QElapsedTimer m_clock;
};

void appendTabs(QString& out, int level) {
    // Below level zero a line gets no indentation at all.
    for (int i = 0; i < level; ++i) {
        out += QLatin1Char('\t');
    }
}
} // namespace

QString replaceAll(const QString& text, const QString& find, const QString& with) {
    if (find.isEmpty()) {
        return text;
    }
    qsizetype hit = text.indexOf(find);
    if (hit < 0) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (hit >= 0) {
        out += QStringView(text).sliced(from, hit - from);
        out += with;
        from = hit + find.size();
        hit = text.indexOf(find, from);
    }
    out += QStringView(text).sliced(from);
    return out;
}

QString toCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += CrLf;
            if (i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
        } else if (c == QLatin1Char('\n')) {
            out += CrLf;
        } else {
            out += c;
        }
    }
    return out;
}

QString tidyTagSpaces(const QString& text) {
    QString out = replaceAll(text, QStringLiteral(" >"), QStringLiteral(">"));
    out = replaceAll(out, QStringLiteral("< "), QStringLiteral("<"));
    return replaceAll(out, QStringLiteral("> <"), QStringLiteral("><"));
}

QString formatCompact(const QString& text) {
    // Single passes, longest run first: a run of 2 to 38 blanks ends as one
    // blank, longer runs can end as two or more (39 end as two).
    QString out = replaceAll(text, CrLf, QString());
    out = replaceAll(out, QStringLiteral("\t"), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("     "), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("    "), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("   "), QStringLiteral(" "));
    out = replaceAll(out, QStringLiteral("  "), QStringLiteral(" "));
    return tidyTagSpaces(out);
}

QString formatSimple(const QString& text) {
    return replaceAll(formatCompact(text), QStringLiteral("><"), QStringLiteral(">\r\n<"));
}

QString formatHierarchal(const QString& text, const Progress& progress) {
    QString out = replaceAll(text, CrLf, QString());
    out = replaceAll(out, QStringLiteral("\t"), QString());
    out = indentTags(out, progress);
    return tidyTagSpaces(out);
}

QString indentTags(const QString& text, const Progress& progress) {
    QString out;
    out.reserve(text.size() + text.size() / 4);
    NextMatch nextOpen(text, QStringLiteral("<"));
    NextMatch nextClose(text, QStringLiteral("</"));
    NextMatch nextGt(text, QStringLiteral(">"));
    Pacer pacer(progress);

    const qsizetype first = nextOpen.at(0);
    if (first != 0) {
        out += first < 0 ? text : text.left(first);
    }
    int level = 0;
    qsizetype from = 0; // the search for the next chunk starts here
    while (true) {
        const qsizetype open = nextOpen.at(from);
        if (open < 0) {
            break;
        }
        const qsizetype close = nextClose.at(from);
        const qsizetype next = nextOpen.at(open + 1);
        const QStringView chunk =
            QStringView(text).sliced(open, (next < 0 ? text.size() : next) - open);
        if (close == open) {
            // The level drops before the line is written, so a closing tag
            // lines up with its opening tag.
            --level;
            out += CrLf;
            appendTabs(out, level);
            out += chunk;
        } else {
            out += CrLf;
            appendTabs(out, level);
            out += chunk;
            // The tag at this "<": up to the first ">" after it.
            const qsizetype gt = nextGt.at(open + 1);
            TagInfo tag;
            if (gt >= 0) {
                tag.tagText = text.mid(open, gt - open + 1);
                tag.tagStart = static_cast<double>(open + 1);
                tag.tagLength = static_cast<double>(gt - open);
            }
            if (opensLevel(tagName(tag))) {
                ++level;
            }
        }
        from = open + 1;
        pacer.tick(open, text.size());
    }
    return out;
}

TagInfo findTag(const QString& text, double after) {
    TagInfo tag;
    // 1-based "after position p" is 0-based "at index p or later".
    const qsizetype from = after < 0 ? 0 : static_cast<qsizetype>(after);
    const qsizetype lt = text.indexOf(QLatin1Char('<'), from);
    if (lt < 0) {
        return tag;
    }
    tag.tagStart = static_cast<double>(lt + 1);
    const qsizetype gt = text.indexOf(QLatin1Char('>'), lt + 1);
    if (gt < 0) {
        return tag;
    }
    tag.tagLength = static_cast<double>(gt - lt);
    tag.tagText = text.mid(lt, gt - lt + 1);
    return tag;
}

QString tagName(const TagInfo& tag) {
    const QString& t = tag.tagText;
    if (t.isEmpty()) {
        return QString();
    }
    if (t.mid(1, 3) == QLatin1String("!--")) {
        return QStringLiteral("!--");
    }
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank >= 0) {
        return t.mid(1, blank - 1);
    }
    const qsizetype gt = t.indexOf(QLatin1Char('>'));
    return t.mid(1, gt - 1);
}

bool opensLevel(const QString& name) {
    static const std::array<QLatin1String, 10> flat{
        QLatin1String("br"),   QLatin1String("hr"),     QLatin1String("img"),
        QLatin1String("meta"), QLatin1String("applet"), QLatin1String("p"),
        QLatin1String("!--"),  QLatin1String("input"),  QLatin1String("!doctype"),
        QLatin1String("area")};
    const QString lower = name.toLower();
    for (const QLatin1String& f : flat) {
        if (lower == f) {
            return false;
        }
    }
    return true;
}

} // namespace fmt
