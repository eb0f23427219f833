#include "insert/StyleSnippets.h"

namespace markwright {

const SnippetList& styleSnippets() {
    static const SnippetList list{
        // Start tags: inline, no line break.
        {"mnuBold", "<strong>"},
        {"mnuUnderline", "<u>"},
        {"mnuItalics", "<em>"},
        {"mnuStrike", "<strike>"},
        {"mnuTT", "<tt>"},
        {"mnuBlinking", "<blink>"},
        {"mnuStartSup", "<sup>"},
        {"mnuStartSub", "<sub>"},
        // End tags end their line.
        {"mnuEndBold", "</strong>\n"},
        {"mnuEndUnderline", "</u>\n"},
        {"mnuEndItalics", "</em>\n"},
        {"mnuEndStrike", "</strike>\n"},
        {"mnuEndTT", "</tt>\n"},
        {"mnuEndBlinking", "</blink>\n"},
        {"mnuEndSup", "</sup>\n"},
        {"mnuEndSub", "</sub>\n"},
        {"mnuEndHyperLink", "</a>\n"},
        // Text samples, one paragraph each. The combined samples close their
        // tags in the order they were opened.
        {"mnuBoldText", "<p><strong>Bold Text</strong></p>\n"},
        {"mnuUnderlinedText", "<p><u>Underlined Text</u></p>\n"},
        {"mnuItalicText", "<p><em>Italic Text</em></p>\n"},
        {"mnuBoldItalic", "<p><strong><em>Bold Italic Text</strong></em></p>\n"},
        {"mnuBoldItalicUnderlined",
         "<p><strong><em><u>Bold Italic Underlined Text</strong></em></u></p>\n"},
        {"mnuTWText", "<p><tt>Typewriter Text</tt></p>\n"},
        {"mnuStrikedText", "<p><strike>Striked Text</strike></p>\n"},
        {"mnuBlinkingText", "<p><blink>Blinking Text</blink></p>\n"},
        {"mnuSuperscriptText", "<p><sup>Superscript Text</sup></p>\n"},
        {"mnuSubscriptText", "<p><sub>Subscript Text</sub></p>\n"},
        // Line breaks.
        {"mnuBr", "<br>\n"},
        {"mnuBRLeft", "<br clear=\"left\">\n"},
        {"mnuBRRight", "<br clear=\"right\">\n"},
        {"mnuBrClear", "<br clear=\"all\">\n"},
        {"mnuBlankLine", "<p>&nbsp;</p>"},
        // Justify: the attribute values are lower case whatever the captions show.
        {"mnuDivLeft", "<div align=\"left\">"},
        {"mnuDivCenter", "<div align=\"center\">"},
        {"mnuDivRight", "<div align=\"right\">"},
        {"mnuEndDiv", "</div>"},
        // Other blocks. The numbered list carries the bullet list's items.
        {"mnuHR", "<hr>\n"},
        {"mnuBullets", "<ul>\n<li>Bullet 1</li>\n<li>Bullet 2</li>\n<li>Bullet 3</li>\n</ul>\n"},
        {"mnuNumbered", "<ol>\n<li>Bullet 1</li>\n<li>Bullet 2</li>\n<li>Bullet 3</li>\n</ol>\n"},
        {"mnuComments", "<!-- Your comments go in here -->\n"},
        // Bookmarks: no line break after the anchor.
        {"mnuBookMark", "<a name=\"Bookmark Name Here\">Bookmarked Object Here</a>"},
        {"mnuBookMarkLink", "<!-- The # must be before the Bookmark Name -->\n"
                            "<a href=\"#Bookmark Name Here\">Bookmark Link Object Here</a>"},
    };
    return list;
}

} // namespace markwright
