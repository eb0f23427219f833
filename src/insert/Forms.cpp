#include "insert/Forms.h"

namespace markwright {

namespace {
const char* const FormLine = "<form action=\"\" method=\"POST\" name=\"Form1\">\n";
const char* const ButtonLine = "<p><input type=\"submit\" name=\"B1\" value=\"Submit\">"
                               "<input type=\"reset\" name=\"B2\" value=\"Reset\"></p>\n";
const char* const CloseLine = "</form>\n";
// Inside the sample forms the text area's paragraph stays open until the
// button line.
const char* const TextAreaLine =
    "<p>Label Here<br><textarea rows=\"4\" name=\"S1\" cols=\"30\"></textarea>\n";

QString sampleForm(const QString& body) {
    return QLatin1String(FormLine) + body + QLatin1String(ButtonLine) + QLatin1String(CloseLine);
}
} // namespace

const SnippetList& formSnippets() {
    static const QString textField =
        "<p>enter your field label name <input type=\"text\" size=\"20\" name=\"T1\"></p>\n";
    static const SnippetList list{
        {"mnuForm", sampleForm(textField + textField)},
        {"mnuScrollingTextBox", sampleForm(TextAreaLine)},
        {"mnu1and2",
         sampleForm("<p>enter your field label name<br><input type=\"text\" size=\"20\" "
                    "name=\"T1\"></p>\n" +
                    QLatin1String(TextAreaLine))},
        {"mnuRadioButton",
         "<p><input type=\"radio\" value=\"V1\" checked name=\"R1\">Radio Button label</p>\n"},
        {"mnuCheckBox",
         "<p><input type=\"checkbox\" value=\"ON\" checked name=\"C1\">Check box label</p>\n"},
        {"mnuButton", "<p><input type=\"button\" value=\"Button label\" name=\"B1\"></p>\n"},
        {"mnuScrollingTextBox2",
         "<p><textarea rows=\"4\" name=\"S1\" cols=\"30\"></textarea></p>\n"},
    };
    return list;
}

} // namespace markwright
