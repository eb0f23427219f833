#include "insert/Tables.h"

#include <QStringList>

namespace markwright {

namespace {
QStringList cellWidths(int rows, int columns) {
    switch (columns) {
    case 1:
        return {"100%"};
    case 2:
        return {"50%", "50%"};
    case 3:
        // A single-row table splits evenly; deeper ones give the spare
        // percent to the first column.
        return rows == 1 ? QStringList{"33%", "33%", "33%"} : QStringList{"34%", "33%", "33%"};
    default:
        return {"25%", "25%", "25%", "25%"};
    }
}
} // namespace

QString tableBlock(int rows, int columns) {
    // The 3 by 3 table has always carried its own cell font line; pages made
    // with it rely on that exact text, so it is kept.
    const QString fontLine =
        rows == 3 && columns == 3
            ? QStringLiteral("<p align=\"center\"><font color=\"#000000\" face=Arial><strong>")
            : QStringLiteral("<p align=\"center\"><font color=\"#000000\" face=\"Arial\" "
                             "size=\"3\"><strong>");
    // Every cell carries a background attribute of one blank.
    const QString background = QStringLiteral(" ");

    QString text = QStringLiteral("<div align=\"center\"><center>\n"
                                  "<table border=\"1\" cellspacing=\"1\" width=\"100%\" "
                                  "bgcolor=\"#FFFFFF\">\n");
    const QStringList widths = cellWidths(rows, columns);
    for (int r = 0; r < rows; ++r) {
        text += QStringLiteral("<tr>\n");
        for (const QString& width : widths) {
            text += QStringLiteral("<td width=\"%1\" background=\"%2\" bgcolor=\"#FFFFFF\">\n")
                        .arg(width, background);
            text += fontLine + QLatin1Char('\n');
            text += QStringLiteral("Enter Text Here\n</strong></font></td>\n");
        }
        text += QStringLiteral("</tr>\n");
    }
    // The centring is closed twice, as the block has always done.
    text += QStringLiteral("</table></center></div>\n</center></div>\n");
    return text;
}

} // namespace markwright
