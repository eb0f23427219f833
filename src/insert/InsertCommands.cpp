#include "insert/InsertCommands.h"

#include "core/CommandRegistry.h"
#include "dialogs/CommonDialog.h"
#include "editor/SourcePane.h"
#include "insert/DropDownMenu.h"
#include "insert/FontTags.h"
#include "insert/Forms.h"
#include "insert/StyleSnippets.h"
#include "insert/Tables.h"

namespace markwright {

void InsertCommands::registerAll(CommandRegistry& commands) {
    for (const SnippetList* list :
         {&styleSnippets(), &fontSnippets(), &formSnippets(), &dropDownSnippets()}) {
        for (const Snippet& snippet : *list) {
            const QString text = snippet.text;
            commands.add(QLatin1String(snippet.command), [this, text] { insertAtCaret(text); });
        }
    }
    for (int rows = 1; rows <= 4; ++rows) {
        for (int columns = 1; columns <= 4; ++columns) {
            commands.add(QStringLiteral("mnu%1x%2").arg(rows).arg(columns),
                         [this, rows, columns] { insertAtCaret(tableBlock(rows, columns)); });
        }
    }
    commands.add("mnuJustCode", [this] { insertColor(ColorForm::JustCode); });
    commands.add("mnuColorCode", [this] { insertColor(ColorForm::ColorAttribute); });
    commands.add("mnuFontColor", [this] { insertColor(ColorForm::FontColor); });
    commands.add("mnuSameFrame", [this] { insertLink("_self"); });
    commands.add("mnuWholePage", [this] { insertLink("_top"); });
    commands.add("mnuNewWindow", [this] { insertLink("_blank"); });
    commands.add("mnuParentFrame", [this] { insertLink("_parent"); });
    commands.add("mnuImage", [this] { insertImage(links::ImageForm::CompleteTags); });
    commands.add("mnuImagePath", [this] { insertImage(links::ImageForm::PathOnly); });
    commands.add("mnuImageBackground", [this] { insertImage(links::ImageForm::Background); });
    commands.add("mnuInsertFilePath", [this] { insertFilePath(); });
}

void InsertCommands::insertAtCaret(const QString& text) {
    m_pane.replaceSelection(text);
}

void InsertCommands::insertColor(ColorForm form) {
    // Cancel inserts nothing (the last colour is kept for next time).
    if (m_dialog.showColor()) {
        insertAtCaret(colorText(form, colorToHex(m_dialog.color)));
    }
}

void InsertCommands::insertLink(const QString& target) {
    m_dialog.filter = QLatin1String(links::WebPagesFilter);
    m_dialog.showOpen();
    if (m_dialog.fileTitle.isEmpty()) {
        return;
    }
    m_linkPath = links::webPath(m_dialog.fileName);
    insertAtCaret(links::hyperlink(m_linkPath, target));
}

void InsertCommands::insertImage(links::ImageForm form) {
    m_dialog.filter = QLatin1String(links::ImagesFilter);
    m_dialog.dialogTitle = QStringLiteral("Open");
    m_dialog.showOpen();
    if (m_dialog.fileTitle.isEmpty()) {
        return;
    }
    // The text goes in as typing would put it: into the focused pane, each
    // Enter as the line break Enter types, characters taken literally.
    m_pane.giveFocus();
    m_pane.replaceSelection(
        links::image(form, links::webPath(m_dialog.fileName), m_pane.enterText()));
}

void InsertCommands::insertFilePath() {
    // The dialog shows whatever filter and title the last command left.
    m_dialog.showOpen();
    if (m_dialog.fileTitle.isEmpty()) {
        return;
    }
    insertAtCaret(links::webPath(m_dialog.fileName));
}

} // namespace markwright
