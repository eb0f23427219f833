#include "insert/DropDownMenu.h"

namespace markwright {

const SnippetList& dropDownSnippets() {
    static const SnippetList list{
        {"mnuDropDown",
         "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\n"
         "<tr>\n"
         "<td width=\"50%\"><font color=\"#400000\" face=\"Arial\"><form NAME=\"LWform\" "
         "align=\"left\" target=\"_self\">\n"
         "<div align=\"center\"><center><p><small><font "
         "color=\"#400000\"><strong>Goto</strong></font></small>\n"
         "<font face=\"Arial\" color=\"#0080FF\"><select NAME=\"list\" onChange = "
         "\"top.location.href=this.form.list.options[this.form.list.selectedIndex].value\" "
         "size=\"1\">\n"
         "<option SELECTED VALUE>Make Selection</option>\n"
         "<option VALUE=\"Add lnk to Page 1 here\">Page 1</option>\n"
         "<option VALUE=\"Add lnk to Page 2 here\">Page 2</option>\n"
         "<option VALUE=\"Add lnk to Page 3 here\">Page 3</option>\n"
         "</select></font></font></p>\n"
         "</center></div>\n"
         "</form>\n"
         "</td>\n"
         "</tr>\n"
         "</table>\n"},
    };
    return list;
}

} // namespace markwright
