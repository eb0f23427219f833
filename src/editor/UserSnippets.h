#pragma once

#include <QString>
#include <vector>

namespace markwright {

// One of the user's snippets: Tab after its trigger word puts its text in.
struct UserSnippet {
    QString trigger;
    QString description;
    QString body; // with tab stops: $1, ${1:default}, $0
};

// A snippet's text made ready to insert: the stops' defaults in place, and
// where each stop stands (a number may stand in several places).
struct SnippetText {
    struct Stop {
        int number = 0; // 0 is the final place
        int start = 0;  // UTF-16 indices into text
        int end = 0;
    };
    QString text;
    std::vector<Stop> stops; // in text order
};

namespace snippets {

// The snippets file, a plain text:
//   # a comment (outside a snippet's text)
//   snippet TRIGGER A description in words
//   the text, any number of lines, up to the next "snippet" line
// A snippet's text ends before the blank lines that close it.
std::vector<UserSnippet> parse(const QString& file);

// `body` with its stops resolved: "$1", "${2:default}", "$0"; "\$" is a
// dollar sign. Lines after the first are indented by `indent`, and line ends
// become `lineEnd`.
SnippetText resolve(const QString& body, const QString& indent, const QString& lineEnd);

// The file written the first time it is opened: how the format goes, and a
// few snippets worth having.
QString starterFile();

} // namespace snippets
} // namespace markwright
