#include "frames/FramesPages.h"

#include "core/PageTemplate.h"

namespace markwright {

namespace frames {

namespace {
constexpr QLatin1String CommentA("<!-- Set Frameset border to 0 to hide frames -->");
constexpr QLatin1String
    CommentB("<!-- Remove \"noresize\" if you want the frame resizable in the browser -->");
constexpr QLatin1String
    CommentC("<!-- Change the back slashes\"\\\" in the path to \"/\" for NETSCAPE Users -->");
constexpr QLatin1String
    CommentD("<!-- Set Scolling to \"yes\" for always scoll, or \"no\" for never scoll -->");

Split frame() {
    return Split{};
}
Split rows(QStringList sizes, std::vector<Split> parts) {
    return Split{true, sizes, parts};
}
Split cols(QStringList sizes, std::vector<Split> parts) {
    return Split{false, sizes, parts};
}
Split rows(QStringList sizes) {
    return Split{true, sizes, std::vector<Split>(static_cast<std::size_t>(sizes.size()))};
}
Split cols(QStringList sizes) {
    return Split{false, sizes, std::vector<Split>(static_cast<std::size_t>(sizes.size()))};
}

// Two columns or two rows of single frames: Command1, 2, 7 and 8.
QStringList twoFrames(const QString& frameset, const QString& first, const QString& second,
                      const QString& firstName, const QString& secondName) {
    return {"<frameset border=\"1\" frameset " + frameset + ">",
            CommentA,
            "<frame src=\"{dir}\\" + first + "\" name=\"" + firstName +
                "\" scrolling=\"auto\" noresize>",
            CommentB,
            "<frame src=\"{dir}\\" + second + "\" name=\"" + secondName + "\" scrolling=\"auto\">",
            CommentC,
            CommentD,
            "</frameset>"};
}

// A narrow left column beside two rows: Command3 and 4.
QStringList leftAndRows(const QString& rowSizes) {
    return {"<frameset border=\"1\" frameset cols=\"15%,85%\">",
            CommentA,
            "<frame name=\"leftFrame\" scrolling=\"no\" noresize target=\"TopFrame\" "
            "src=\"{dir}\\lefthtmlframe.html\">",
            CommentB,
            "<frameset rows=\"" + rowSizes + "\">",
            "<frame name=\"topFrame\" target=\"BottomFrame\" src=\"{dir}\\tophtmlframe.html\">",
            "<frame name=\"bottomFrame\" src=\"{dir}\\bottomhtmlframe.html\">",
            CommentC,
            CommentD,
            "</frameset>"};
}

// A top and a bottom bar around two columns: Command5 and 6.
QStringList barsAndColumns(const QString& columnSizes) {
    return {"<frameset border=\"1\" frameset rows=\"64,*,64\">",
            "<frame name=\"topFrame\" scrolling=\"no\" noresize target=\"LeftFrame\" "
            "src=\"{dir}\\tophtmlframe.html\"><frameset border=\"1\" frameset cols=\"" +
                columnSizes + "\">",
            CommentA,
            "<frame name=\"LeftFrame\" target=\"RightFrame\" src=\"{dir}\\lefthtmlframe.html\">",
            CommentB,
            "<frame name=\"RightFrame\" src=\"{dir}\\righthtmlframe.html\">",
            "</frameset>",
            "<frame name=\"bottom\" scrolling=\"no\" noresize target=\"LeftFrame\" "
            "src=\"{dir}\\bottomhtmlframe.html\">",
            CommentC,
            CommentD};
}

// Three rows: Command9 and 10.
QStringList threeRows(const QString& rowSizes) {
    return {"<frameset border=\"1\" frameset rows=\"" + rowSizes + "\">",
            CommentA,
            "<frame src=\"{dir}\\tophtmlframe.html\" name=\"TopFrame\" target=\"MiddleFrame\" "
            "scrolling=\"auto\" noresize>",
            "<frame src=\"{dir}\\Middlehtmlframe.html\" name=\"MiddleFrame\" target=\"middle\" "
            "scrolling=\"auto\" noresize>",
            CommentB,
            "<frame src=\"{dir}\\bottomhtmlframe.html\" name=\"BottomFrame\" scrolling=\"auto\">",
            CommentC,
            CommentD,
            "</frameset>"};
}

std::vector<FrameLayout> makeLayouts() {
    std::vector<FrameLayout> all;
    all.push_back({"Command1", cols({"20%", "80%"}),
                   twoFrames("cols=\"20%,80%\"", "lefthtmlframe.html", "righthtmlframe.html",
                             "LeftFrame", "RightFrame")});
    all.push_back({"Command2", rows({"10%", "90%"}),
                   twoFrames("rows=\"10%,90%\"", "tophtmlframe.html", "bottomhtmlframe.html",
                             "TopFrame", "BottomFrame")});
    all.push_back(
        {"Command3", cols({"15%", "85%"}, {frame(), rows({"10%", "*"})}), leftAndRows("10%,*")});
    all.push_back({"Command5", rows({"64", "*", "64"}, {frame(), cols({"15%", "*"}), frame()}),
                   barsAndColumns("15%,*")});
    all.push_back({"Command9", rows({"64", "25%", "*"}), threeRows("64,25%,*")});
    all.push_back(
        {"Command12",
         rows({"15%", "*"}, {cols({"25%", "*"}), frame()}),
         {"<frameset border=\"1\" rows=\"15%,*\">", CommentA, CommentB,
          " <frameset border=\"1\" cols=\"25%,*\">", CommentC, CommentD,
          "<frame name=\"LeftFrame\" target=\"BottomFrame\" scrolling=\"no\" "
          "src=\"{dir}\\lefthtmlframe.html\">",
          "<frame name=\"RightFrame\" target=\"BottomFrame\" scrolling=\"no\" "
          "src=\"{dir}\\righthtmlframe.html\">",
          "</frameset>", "<frame name=\"BottomFrame\" src=\"{dir}\\bottomhtmlframe.html\">"}});
    all.push_back({"Command7", cols({"80%", "20%"}),
                   twoFrames("cols=\"80%,20%\"", "lefthtmlframe.html", "righthtmlframe.html",
                             "LeftFrame", "RightFrame")});
    all.push_back({"Command8", rows({"90%", "10%"}),
                   twoFrames("rows=\"90%,10%\"", "tophtmlframe.html", "bottomhtmlframe.html",
                             "TopFrame", "BottomFrame")});
    all.push_back({"Command4", cols({"15%", "85%"}, {frame(), rows({"90%", "10%"})}),
                   leftAndRows("90%,10%")});
    all.push_back({"Command6", rows({"64", "*", "64"}, {frame(), cols({"85%", "*"}), frame()}),
                   barsAndColumns("85%,*")});
    all.push_back({"Command10", rows({"*", "25%", "64"}), threeRows("*,25%,64")});
    all.push_back({"Command13",
                   rows({"90%", "*"}, {frame(), cols({"25%", "*"})}),
                   {"<frameset border=\"1\" rows=\"90%,*\">",
                    "<frame name=\"TopFrame\" src=\"{dir}\\Tophtmlframe.html\">", CommentA,
                    CommentB, " <frameset border=\"1\" cols=\"25%,*\">", CommentC, CommentD,
                    "<frame name=\"LeftFrame\" target=\"TopFrame\" scrolling=\"no\" "
                    "src=\"{dir}\\lefthtmlframe.html\">",
                    "<frame name=\"RightFrame\" target=\"TopFrame\" scrolling=\"no\" "
                    "src=\"{dir}\\righthtmlframe.html\">",
                    "</frameset>"}});
    return all;
}
} // namespace

const std::vector<FrameLayout>& layouts() {
    static const std::vector<FrameLayout> all = makeLayouts();
    return all;
}

const FrameLayout* layoutFor(const QString& button) {
    for (const FrameLayout& layout : layouts()) {
        if (button == QLatin1String(layout.button)) {
            return &layout;
        }
    }
    return nullptr;
}

QString page(const FrameLayout& layout, const QString& programFolder) {
    QString text;
    // The head of the new-page template: its first nine lines.
    const QStringList head = pageTemplate().split(QLatin1Char('\n')).mid(0, 9);
    for (const QString& line : head) {
        text += line + QLatin1Char('\n');
    }
    for (const QString& line : layout.lines) {
        QString withDir = line;
        text += withDir.replace(QLatin1String("{dir}"), programFolder) + QLatin1Char('\n');
    }
    for (const char* line :
         {"<noframes>", "<body>",
          "<p>Viewing this page requires a browser capable of displaying frames.</p>", "</body>",
          "</noframes>", "</frameset>", "", "</html>"}) {
        text += QLatin1String(line) + QLatin1Char('\n');
    }
    return text;
}

} // namespace frames

} // namespace markwright
