#pragma once

#include <QString>

class DocumentSlots;
class SourcePane;

// What the file commands need of the main window: its slots, its source
// pane, and the captions and panes they update.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;

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
    virtual void showPanes(bool visible) = 0;
    // Slot n's text now has nothing unsaved that a crash could lose.
    virtual void slotSettled(int n) = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
    virtual void* dialogOwner() = 0;
};
