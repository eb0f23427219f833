#pragma once

#include "dialogs/Prompts.h"

#include "support/ProjectNames.h"
#include <QString>
#include <deque>
#include <optional>

// Test double of the prompts seam. A test queues the prompts it expects, in
// order, each with its answer; any prompt that was not expected (or that
// differs in kind, text or title) fails the test and is answered with Cancel,
// so a test can never hang on a dialog. Expected prompts never shown fail the
// test when the double goes away, or at `verifyDone()`.
class ScriptedPrompts : public Prompts {
  public:
    enum class Kind { Message, YesNoCancel, Input, File, Color, Print, Choice };
    struct Step {
        Kind kind = Kind::Message;
        QString text;
        QString title;
        bool prefixOnly = false; // the text need only start with `text`
        Answer answer = Answer::Ok;
        bool accepted = true;        // Input, Print: confirmed rather than cancelled
        QString value;               // Input: the typed text; Print: the output file
        int number = -1;             // Choice: the button pressed (-1 closed); Print: copies
        QStringList files;           // File: the chosen paths, empty = cancel
        std::optional<QColor> color; // Color: the chosen colour, nullopt = cancel
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

    ~ScriptedPrompts() override { verifyDone(); }

    void expectMessage(const QString& text, const QString& title = QString()) {
        expect(Kind::Message, text, title);
    }
    // A message titled "Markwright" whose text starts with `prefix` (the
    // rest is a reason the system words).
    void expectMessagePrefix(const QString& prefix) {
        expect(Kind::Message, prefix, appTitle()).prefixOnly = true;
    }
    void expectQuestion(const QString& text, Answer answer, const QString& title = appTitle()) {
        expect(Kind::YesNoCancel, text, title).answer = answer;
    }
    // A question with buttons of its own, answered with button `choice`.
    void expectChoice(const QString& text, int choice) {
        expect(Kind::Choice, text, appTitle()).number = choice;
    }
    void expectInput(const QString& prompt, const QString& title, const QString& value,
                     bool accepted = true) {
        Step& step = expect(Kind::Input, prompt, title);
        step.value = value;
        step.accepted = accepted;
    }
    // A file dialog titled `title` (empty: the platform's own); answered
    // with `paths` (empty: Cancel).
    void expectFile(const QString& title, const QStringList& paths) {
        expect(Kind::File, QString(), title).files = paths;
    }
    void expectColor(std::optional<QColor> answer) { expect(Kind::Color).color = answer; }
    // A print dialog; when confirmed, printing `copies` to `outputFile`
    // (empty: the printer the test window makes).
    void expectPrint(bool confirm, int copies = 1, const QString& outputFile = QString()) {
        Step& step = expect(Kind::Print);
        step.accepted = confirm;
        step.number = copies;
        step.value = outputFile;
    }

    void message(const QString& text, const QString& title, Icon icon) override {
        take(Kind::Message, text, title, icon);
    }
    Answer askYesNoCancel(const QString& text, const QString& title) override;
    int choose(const QString& text, const QString& title, const QStringList&, int) override;
    bool inputBox(const QString& prompt, const QString& title, QString& value) override;
    QStringList fileDialog(const FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool printDialog(PrintRequest& request) override;

    // Every prompt shown so far, expected or not.
    const std::deque<Seen>& seen() const { return m_seen; }
    // The last prompt shown; when none was, a test failure and an empty one.
    const Seen& last() const;
    bool allShown() const { return m_script.empty(); }
    void verifyDone();

  private:
    Step& expect(Kind kind, const QString& text = QString(), const QString& title = QString()) {
        Step& step = m_script.emplace_back();
        step.kind = kind;
        step.text = text;
        step.title = title;
        return step;
    }
    // Records the prompt shown and takes the next step of the script when it
    // matches.
    std::optional<Step> take(Kind kind, const QString& text, const QString& title,
                             Icon icon = Icon::None);

    std::deque<Step> m_script;
    std::deque<Seen> m_seen;
};
