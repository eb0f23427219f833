#pragma once

#include <QtGlobal>

#include <QString>
#include <QStringList>

class QWidget;

namespace markwright {

class DocumentSlots;
class SourcePane;

// The one way the commands talk back to the main window: its slots, its
// source pane, and the captions, panes, layout and status they update.
class DocumentHost {
  public:
    DocumentHost() = default;
    virtual ~DocumentHost() = default;
    Q_DISABLE_COPY(DocumentHost)

    virtual DocumentSlots& documents() = 0;
    virtual SourcePane& source() = 0;
    // The slot selected on TabStrip1, 0 when none.
    virtual int currentSlot() const = 0;
    virtual QString tabCaption(int n) const = 0;
    // Captions of tab n of TabStrip1 and TabStrip2.
    virtual void setTabCaptions(int n, const QString& sourceTab, const QString& previewTab) = 0;
    virtual void setWindowCaption(const QString& caption) = 0;
    virtual void setPaneTitles(const QString& sourceTitle, const QString& previewTitle) = 0;
    virtual void refreshPreview() = 0;
    // Returns once every preview file being written is on disk.
    virtual void flushPreviewFiles() = 0;
    // Every folder preview files were written to, each ending in '/'.
    virtual QStringList previewFolders() const = 0;
    virtual void showPanes(bool visible) = 0;
    // Slot n's text now has nothing unsaved that a crash could lose.
    virtual void slotSettled(int n) = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
    // The window dialogs and side windows belong to.
    virtual QWidget* dialogParent() = 0;
    // The preview across the whole window.
    virtual void showPreviewOnly() = 0;
    // Lays the panes out again shortly (after a side window closes).
    virtual void recentreSoon() = 0;
    // Writes the active slot's text to `path` as the preview does; false
    // when it cannot be written.
    virtual bool writeActiveText(const QString& path) = 0;
    // Normal state, then this size in twips; the panes follow as usual.
    virtual void resizeWindowTwips(int width, int height) = 0;
    // A short progress text in the status bar ("" clears it).
    virtual void showStatus(const QString& text) = 0;
    // Whether the source pane may take the keyboard back: the window is
    // active and no menu, popup or dialog is open.
    virtual bool mayTakeKeyboard() const = 0;
};

} // namespace markwright
