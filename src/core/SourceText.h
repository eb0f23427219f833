#pragma once

#include <QtGlobal>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace markwright {

// The text of the source pane as the documents see it: read whole, replaced
// whole, or switched to another slot's. The pane implements it; nothing here
// knows it is a widget.
class SourceText {
  public:
    SourceText() = default;
    virtual ~SourceText() = default;
    Q_DISABLE_COPY(SourceText)

    virtual QString text() const = 0;
    // The raw UTF-8 bytes; valid until the next change.
    virtual QByteArrayView bytes() const = 0;
    // Replaces the text, caret at the start, with a fresh undo history.
    virtual void setText(const QString& text) = 0;
    // Replaces the text as one edit that Undo takes back.
    virtual void replaceWholeText(const QString& text) = 0;
    // Shows slot `slot`'s text, which should be `text`.
    virtual void showSlot(int slot, const QString& text) = 0;
    // Makes `utf8` slot `slot`'s text without the window waiting, then
    // calls `done`.
    virtual void loadInBackground(int slot, QByteArray utf8, std::function<void()> done) = 0;
};

} // namespace markwright
