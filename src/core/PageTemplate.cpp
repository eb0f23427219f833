#include "core/PageTemplate.h"

#include <QStringList>

namespace markwright {

QString pageTemplate() {
    static const QString text = [] {
        const QStringList lines{
            "<html>",
            "",
            "<head><!-- Company Remarks -->",
            "<title>New Page</title>",
            R"(<meta name="GENERATOR" content="Markwright by Tollvane">)",
            R"(<meta NAME="description" CONTENT="Website Desription here.">)",
            R"(<meta NAME="keywords" CONTENT="Descriptive, Keywords, here,">)",
            "</head>",
            "",
            "<body>",
            R"(<body TOPMARGIN="10" LEFTMARGIN="10" MARGINWIDTH="10" MARGINHEIGHT="0" )"
            R"(bgcolor="#FFFFFF" text="#000000" vlink="#808080">)",
            "",
            "Content here",
            "",
            "</body>",
            "",
            "</html>",
        };
        QString joined;
        for (const QString& line : lines) {
            joined += line;
            joined += QLatin1Char('\n');
        }
        return joined;
    }();
    return text;
}

} // namespace markwright
