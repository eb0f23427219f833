#include "editor/UserSnippets.h"

#include <QStringList>

namespace markwright::snippets {

std::vector<UserSnippet> parse(const QString& file) {
    std::vector<UserSnippet> out;
    QStringList body;
    const auto close = [&] {
        if (out.empty()) {
            return;
        }
        while (!body.isEmpty() && body.back().trimmed().isEmpty()) {
            body.removeLast();
        }
        out.back().body = body.join('\n');
        body.clear();
    };
    QString text = file;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    for (const QString& line : text.split('\n')) {
        if (line.startsWith(QLatin1String("snippet ")) || line == QLatin1String("snippet")) {
            close();
            const QString head = line.mid(8).trimmed();
            const qsizetype space = head.indexOf(' ');
            const QString trigger = space < 0 ? head : head.left(space);
            if (trigger.isEmpty()) {
                continue;
            }
            out.push_back({trigger, space < 0 ? QString() : head.mid(space + 1).trimmed(), {}});
            continue;
        }
        if (out.empty()) {
            continue; // comments and notes before the first snippet
        }
        body << line;
    }
    close();
    return out;
}

SnippetText resolve(const QString& body, const QString& indent, const QString& lineEnd) {
    SnippetText result;
    QString& out = result.text;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == '\\' && i + 1 < body.size() && body[i + 1] == '$') {
            out += '$';
            ++i;
        } else if (c == '\n') {
            out += lineEnd + indent;
        } else if (c == '$' && i + 1 < body.size() && body[i + 1].isDigit()) {
            qsizetype end = i + 1;
            while (end < body.size() && body[end].isDigit()) {
                ++end;
            }
            const int number = body.mid(i + 1, end - i - 1).toInt();
            result.stops.push_back({number, int(out.size()), int(out.size())});
            i = end - 1;
        } else if (c == '$' && body.mid(i, 2) == QLatin1String("${")) {
            qsizetype colon = i + 2;
            while (colon < body.size() && body[colon].isDigit()) {
                ++colon;
            }
            const qsizetype close = body.indexOf('}', colon);
            if (colon == i + 2 || close < 0 || (body[colon] != ':' && body[colon] != '}')) {
                out += c;
                continue;
            }
            const int number = body.mid(i + 2, colon - i - 2).toInt();
            const QString value =
                body[colon] == ':' ? body.mid(colon + 1, close - colon - 1) : QString();
            const int start = int(out.size());
            out += value;
            result.stops.push_back({number, start, int(out.size())});
            i = close;
        } else {
            out += c;
        }
    }
    return result;
}

QString starterFile() {
    return QStringLiteral(
        "# Your snippets. Type a snippet's trigger word in the source pane and press\n"
        "# Tab: its text takes the word's place. Save this file and the snippets are\n"
        "# ready at once.\n"
        "#\n"
        "# A snippet begins with a line\n"
        "#     snippet TRIGGER A description in words\n"
        "# and its text is the lines below, up to the next \"snippet\" line. In the\n"
        "# text, $1, $2... are the places Tab goes to in turn (Shift+Tab goes back),\n"
        "# ${1:text} gives a place a text to start with, a number used twice is\n"
        "# typed in both places at once, and $0 is where the caret ends. Write \\$\n"
        "# for a dollar sign.\n"
        "\n"
        "snippet html5 A whole page\n"
        "<!DOCTYPE html>\n"
        "<html lang=\"${1:en}\">\n"
        "<head>\n"
        "\t<meta charset=\"utf-8\">\n"
        "\t<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "\t<title>${2:Title}</title>\n"
        "</head>\n"
        "<body>\n"
        "\t<h1>$2</h1>\n"
        "\t$0\n"
        "</body>\n"
        "</html>\n"
        "\n"
        "snippet figure An image with a caption\n"
        "<figure>\n"
        "\t<img src=\"$1\" alt=\"$2\">\n"
        "\t<figcaption>$2</figcaption>\n"
        "</figure>$0\n"
        "\n"
        "snippet link A link that opens in a new tab\n"
        "<a href=\"${1:https://}\" target=\"_blank\" rel=\"noopener\">${2:text}</a>$0\n"
        "\n"
        "snippet table A table with a heading row\n"
        "<table>\n"
        "\t<caption>${1:Caption}</caption>\n"
        "\t<tr><th>${2:Heading}</th><th>${3:Heading}</th></tr>\n"
        "\t<tr><td>$4</td><td>$5</td></tr>\n"
        "</table>$0\n");
}

} // namespace markwright::snippets
