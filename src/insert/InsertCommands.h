#pragma once

#include "insert/ColorCode.h"
#include "insert/Links.h"

#include <QString>

namespace markwright {

class CommandRegistry;
class CommonDialog;
class SourcePane;

// Every command that puts HTML at the caret: the fixed snippets, font tags,
// tables, forms and the drop-down menu from their tables, and the colour,
// link, image and file-path commands through the shared common dialog.
class InsertCommands {
  public:
    InsertCommands(SourcePane& pane, CommonDialog& dialog) : m_pane(pane), m_dialog(dialog) {}

    void registerAll(CommandRegistry& commands);

    // Replaces the pane's selection (or inserts at the caret) with `text` in
    // one edit; the caret ends after it. Focus and preview are left alone;
    // the pane's change hook marks the document.
    void insertAtCaret(const QString& text);

    // The path of the last link inserted; kept when a link dialog is cancelled.
    const QString& linkPath() const { return m_linkPath; }

  private:
    void insertColor(ColorForm form);
    void insertLink(const QString& target);
    void insertImage(links::ImageForm form);
    void insertFilePath();

    SourcePane& m_pane;
    CommonDialog& m_dialog;
    QString m_linkPath;
};

} // namespace markwright
