#pragma once

#include <QtGlobal>

#include <QString>

class QWidget;

namespace markwright {

// What only the main window can do for the documents: show their captions
// and marks, select a tab, lay the panes out, and end the program.
class DocumentView {
  public:
    DocumentView() = default;
    virtual ~DocumentView() = default;
    Q_DISABLE_COPY(DocumentView)

    // Captions of tab n on both strips; `tip` shows on hover.
    virtual void showTabCaptions(int n, const QString& sourceTab, const QString& previewTab,
                                 const QString& tip) = 0;
    // Colours the caption of a tab whose page has unsaved changes.
    virtual void markUnsaved(int n, bool unsaved) = 0;
    virtual void setWindowCaption(const QString& caption) = 0;
    virtual void setPaneTitles(const QString& sourceTitle, const QString& previewTitle) = 0;
    // Selects tab n; the window then tells the controller to switch.
    virtual void selectSlot(int n) = 0;
    // A short progress text in the status bar ("" clears it).
    virtual void showStatus(const QString& text) = 0;
    // The window dialogs and side windows belong to.
    virtual QWidget* dialogParent() = 0;
    // Whether the source pane may take the keyboard back: the window is
    // active and no menu, popup or dialog is open.
    virtual bool mayTakeKeyboard() const = 0;

    virtual void showPanes(bool visible) = 0;
    // The preview across the whole window.
    virtual void showPreviewOnly() = 0;
    // Lays the panes out again shortly (after a side window closes).
    virtual void recentreSoon() = 0;

    // Ends the program at once.
    virtual void endProgram() = 0;
};

} // namespace markwright
