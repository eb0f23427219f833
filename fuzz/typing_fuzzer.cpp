// What the writing helps read from any text: the caret's context at every
// place stays within the text; an abbreviation found before the caret
// either is none or expands to text with the caret inside it; a snippets
// file of any shape gives snippets whose places lie within their text.
#include "Require.h"
#include "editor/Abbreviation.h"
#include "editor/CaretContext.h"
#include "editor/UserSnippets.h"

#include <QString>
#include <cstddef>
#include <cstdint>

using namespace markwright;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (qint64 caret = 0; caret <= text.size(); caret += 1 + text.size() / 64) {
        const CaretContext context = CaretContext::at(text, caret);
        require(context.wordStart >= 0 && context.wordStart <= caret,
                "the word starts before the caret");
        require(context.tagStart < caret, "the tag starts before the caret");
    }
    const QString line = QString::fromUtf8(text).split('\n').first().left(200);
    const int start = abbreviation::start(line);
    require(start >= -1 && start <= line.size(), "an abbreviation starts in the line");
    if (start >= 0) {
        abbreviation::Style style;
        style.parent = QStringLiteral("ul");
        if (const auto expansion = abbreviation::expand(line.mid(start), style)) {
            require(expansion->caret >= 0 && expansion->caret <= expansion->text.size(),
                    "the caret lands in the expansion");
        }
    }
    for (const UserSnippet& snippet : snippets::parse(QString::fromUtf8(text))) {
        const SnippetText resolved =
            snippets::resolve(snippet.body, QStringLiteral("\t"), QStringLiteral("\r\n"));
        for (const SnippetText::Stop& stop : resolved.stops) {
            require(stop.start >= 0 && stop.start <= stop.end && stop.end <= resolved.text.size(),
                    "a place lies in the snippet");
        }
    }
    return 0;
}
