#pragma once

#include <string>

// Texts the program must produce, written out by hand from the requirements
// (never produced by the code under test), shared by the tests that need them.
namespace expected {

// The head of the new-page template: its first nine lines, up to "</head>"
// and the empty line after it.
inline const std::string PageTemplateHead =
    "<html>\n"
    "\n"
    "<head><!-- Company Remarks -->\n"
    "<title>New Page</title>\n"
    "<meta name=\"GENERATOR\" content=\"Markwright by Tollvane\">\n"
    "<meta NAME=\"description\" CONTENT=\"Website Desription here.\">\n"
    "<meta NAME=\"keywords\" CONTENT=\"Descriptive, Keywords, here,\">\n"
    "</head>\n"
    "\n";

// The whole template: 17 lines, each ended by one LF.
inline const std::string PageTemplate =
    PageTemplateHead +
    "<body>\n"
    "<body TOPMARGIN=\"10\" LEFTMARGIN=\"10\" MARGINWIDTH=\"10\" MARGINHEIGHT=\"0\" "
    "bgcolor=\"#FFFFFF\" text=\"#000000\" vlink=\"#808080\">\n"
    "\n"
    "Content here\n"
    "\n"
    "</body>\n"
    "\n"
    "</html>\n";

} // namespace expected
