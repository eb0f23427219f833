#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

ScriptedPrompts::~ScriptedPrompts() {
    verifyDone();
}

ScriptedPrompts::Step& ScriptedPrompts::expect(Kind kind, const QString& text,
                                               const QString& title) {
    Step step;
    step.kind = kind;
    step.text = text;
    step.title = title;
    m_script.push_back(step);
    return m_script.back();
}

void ScriptedPrompts::expectMessage(const QString& text, const QString& title) {
    expect(Kind::Message, text, title);
}

void ScriptedPrompts::expectMessagePrefix(const QString& prefix) {
    expect(Kind::Message, prefix, QStringLiteral("Markwright")).prefixOnly = true;
}

void ScriptedPrompts::expectQuestion(const QString& text, Answer answer, const QString& title) {
    expect(Kind::YesNoCancel, text, title).answer = answer;
}

void ScriptedPrompts::expectChoice(const QString& text, int choice, const QString& title) {
    expect(Kind::Choice, text, title).choice = choice;
}

void ScriptedPrompts::expectInput(const QString& prompt, const QString& title, const QString& value,
                                  bool accepted) {
    Step& step = expect(Kind::Input, prompt, title);
    step.inputValue = value;
    step.inputAccepted = accepted;
}

void ScriptedPrompts::expectFile(const QString& title, const QStringList& paths) {
    expect(Kind::File, QString(), title).files = paths;
}

void ScriptedPrompts::expectColor(std::optional<QColor> answer) {
    expect(Kind::Color, QString(), QString()).color = answer;
}

void ScriptedPrompts::expectPrint(bool confirm, int copies, const QString& outputFile) {
    Step& step = expect(Kind::Print, QString(), QString());
    step.inputAccepted = confirm;
    step.choice = copies;
    step.inputValue = outputFile;
}

bool ScriptedPrompts::take(const Seen& seen, Step& step) {
    m_seen.push_back(seen);
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected prompt: \"" << seen.text.toStdString() << "\" titled \""
                      << seen.title.toStdString() << "\"";
        return false;
    }
    step = m_script.front();
    m_script.pop_front();
    const bool textMatches =
        step.prefixOnly ? seen.text.startsWith(step.text) : step.text == seen.text;
    if (step.kind != seen.kind || !textMatches || step.title != seen.title) {
        ADD_FAILURE() << "expected prompt \"" << step.text.toStdString() << "\" titled \""
                      << step.title.toStdString() << "\", got \"" << seen.text.toStdString()
                      << "\" titled \"" << seen.title.toStdString() << "\"";
        return false;
    }
    return true;
}

void ScriptedPrompts::message(const QString& text, const QString& title, Icon icon) {
    Step step;
    take({Kind::Message, text, title, icon}, step);
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(const QString& text, const QString& title) {
    Step step;
    return take({Kind::YesNoCancel, text, title, Icon::Question}, step) ? step.answer
                                                                        : Answer::Cancel;
}

int ScriptedPrompts::choose(const QString& text, const QString& title, const QStringList&, int) {
    Step step;
    return take({Kind::Choice, text, title}, step) ? step.choice : -1;
}

bool ScriptedPrompts::inputBox(const QString& prompt, const QString& title, QString& value) {
    Step step;
    if (!take({Kind::Input, prompt, title}, step) || !step.inputAccepted) {
        return false;
    }
    value = step.inputValue;
    return true;
}

QStringList ScriptedPrompts::fileDialog(const FileRequest& request) {
    Seen seen{Kind::File, QString(), request.title};
    seen.file = request;
    Step step;
    return take(seen, step) ? step.files : QStringList();
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor& initial) {
    Seen seen{Kind::Color};
    seen.color = initial;
    Step step;
    return take(seen, step) ? step.color : std::nullopt;
}

bool ScriptedPrompts::printDialog(PrintRequest& request) {
    Seen seen{Kind::Print};
    seen.print = request;
    Step step;
    if (!take(seen, step) || !step.inputAccepted) {
        return false;
    }
    request.copies = step.choice;
    request.outputFile = step.inputValue;
    return true;
}

const ScriptedPrompts::Seen& ScriptedPrompts::last() const {
    static const Seen none;
    if (m_seen.empty()) {
        ADD_FAILURE() << "no prompt was shown";
        return none;
    }
    return m_seen.back();
}

void ScriptedPrompts::verifyDone() {
    for (const Step& step : m_script) {
        ADD_FAILURE() << "expected prompt never shown: \"" << step.text.toStdString() << "\"";
    }
    m_script.clear();
}
