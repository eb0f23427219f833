#pragma once

#include "dialogs/Prompts.h"

#include <QString>
#include <deque>
#include <optional>

// Test double of the prompts seam. A test queues the prompts it expects, in
// order, each with its answer; any prompt that was not expected (or that
// differs in kind or text) fails the test and is answered with Cancel, so a
// test can never hang on a dialog. `verifyDone()` fails the test when
// expected prompts were never shown.
class ScriptedPrompts : public Prompts {
  public:
    enum class Kind { Message, YesNoCancel, Input, File, Color, Print, Choice };
    struct Step {
        Kind kind = Kind::Message;
        QString text;
        QString title;
        Answer answer = Answer::Ok;
        QString inputValue;
        bool inputAccepted = true;
        bool prefixOnly = false;
        QStringList files;           // File: the chosen paths, empty = cancel
        std::optional<QColor> color; // Color: the chosen colour, nullopt = cancel
        int choice = -1;             // Choice: the button pressed, -1 = closed
    };
    struct Seen {
        Kind kind = Kind::Message;
        QString text;
        QString title;
        Icon icon = Icon::None;
        FileRequest file;   // for File prompts
        QColor color;       // for Color prompts: the initial colour
        PrintRequest print; // for Print prompts: the request as handed over
    };

    ~ScriptedPrompts() override;

    void expectMessage(const QString& text, const QString& title = QString());
    // A message titled "Markwright" whose text starts with `prefix` (the
    // rest is a reason the system words).
    void expectMessagePrefix(const QString& prefix);
    void expectQuestion(const QString& text, Answer answer, const QString& title = "Markwright");
    // A question with buttons of its own, answered with button `choice`.
    void expectChoice(const QString& text, int choice, const QString& title = "Markwright");
    void expectInput(const QString& prompt, const QString& title, const QString& value,
                     bool accepted = true);

    // A file dialog titled `title` (empty: the platform's own); answered
    // with `paths` (empty: Cancel).
    void expectFile(const QString& title, const QStringList& paths);
    void expectColor(std::optional<QColor> answer);
    // A print dialog; when confirmed, printing `copies` to `outputFile`
    // (empty: the printer the test window makes).
    void expectPrint(bool confirm, int copies = 1, const QString& outputFile = QString());

    void message(const QString& text, const QString& title, Icon icon) override;
    QStringList fileDialog(const FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool printDialog(PrintRequest& request) override;
    Answer askYesNoCancel(const QString& text, const QString& title) override;
    bool inputBox(const QString& prompt, const QString& title, QString& value) override;
    int choose(const QString& text, const QString& title, const QStringList& buttons,
               int defaultButton) override;

    // Every prompt shown so far, expected or not.
    const std::deque<Seen>& seen() const { return m_seen; }
    // The last prompt shown; when none was, a test failure and an empty one.
    const Seen& last() const;
    bool allShown() const { return m_script.empty(); }
    void verifyDone();

  private:
    Step& expect(Kind kind, const QString& text, const QString& title);
    // Records `seen` and takes the next step of the script, which must match it.
    bool take(const Seen& seen, Step& step);

    std::deque<Step> m_script;
    std::deque<Seen> m_seen;
};
