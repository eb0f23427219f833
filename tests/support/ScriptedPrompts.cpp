#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

ScriptedPrompts::~ScriptedPrompts() {
    verifyDone();
}

void ScriptedPrompts::expectMessage(const QString& text, const QString& title) {
    m_script.push_back({Kind::Message, text, title, Answer::Ok, {}, true});
}

void ScriptedPrompts::expectMessagePrefix(const QString& prefix) {
    Step step;
    step.kind = Kind::Message;
    step.text = prefix;
    step.title = QStringLiteral("Markwright");
    step.prefixOnly = true;
    m_script.push_back(step);
}

void ScriptedPrompts::expectQuestion(const QString& text, Answer answer, const QString& title) {
    m_script.push_back({Kind::YesNoCancel, text, title, answer, {}, true});
}

void ScriptedPrompts::expectChoice(const QString& text, int choice, const QString& title) {
    Step step;
    step.kind = Kind::Choice;
    step.text = text;
    step.title = title;
    step.choice = choice;
    m_script.push_back(step);
}

int ScriptedPrompts::choose(const QString& text, const QString& title, const QStringList&, int) {
    Seen seen;
    seen.kind = Kind::Choice;
    seen.text = text;
    seen.title = title;
    m_seen.push_back(seen);
    Step step;
    return take(Kind::Choice, text, title, step) ? step.choice : -1;
}

void ScriptedPrompts::expectInput(const QString& prompt, const QString& title, const QString& value,
                                  bool accepted) {
    m_script.push_back({Kind::Input, prompt, title, Answer::Ok, value, accepted});
}

bool ScriptedPrompts::take(Kind kind, const QString& text, const QString& title, Step& step) {
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected prompt: \"" << text.toStdString() << "\" titled \""
                      << title.toStdString() << "\"";
        return false;
    }
    step = m_script.front();
    m_script.pop_front();
    const bool textMatches = step.prefixOnly ? text.startsWith(step.text) : step.text == text;
    if (step.kind != kind || !textMatches || step.title != title) {
        ADD_FAILURE() << "expected prompt \"" << step.text.toStdString() << "\" titled \""
                      << step.title.toStdString() << "\", got \"" << text.toStdString()
                      << "\" titled \"" << title.toStdString() << "\"";
        return false;
    }
    return true;
}

void ScriptedPrompts::expectFile(const QString& title, const QStringList& paths) {
    Step step;
    step.kind = Kind::File;
    step.title = title;
    step.files = paths;
    m_script.push_back(step);
}

void ScriptedPrompts::expectColor(std::optional<QColor> answer) {
    Step step;
    step.kind = Kind::Color;
    step.color = answer;
    m_script.push_back(step);
}

QStringList ScriptedPrompts::fileDialog(const FileRequest& request) {
    Seen seen;
    seen.kind = Kind::File;
    seen.title = request.title;
    seen.file = request;
    m_seen.push_back(seen);
    Step step;
    return take(Kind::File, QString(), request.title, step) ? step.files : QStringList();
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor& initial) {
    Seen seen;
    seen.kind = Kind::Color;
    seen.color = initial;
    m_seen.push_back(seen);
    Step step;
    return take(Kind::Color, QString(), QString(), step) ? step.color : std::nullopt;
}

void ScriptedPrompts::expectPrint(bool confirm) {
    Step step;
    step.kind = Kind::Print;
    step.inputAccepted = confirm;
    m_script.push_back(step);
}

bool ScriptedPrompts::printDialog(PrintRequest& request) {
    Seen seen;
    seen.kind = Kind::Print;
    seen.print = request;
    m_seen.push_back(seen);
    Step step;
    return take(Kind::Print, QString(), QString(), step) && step.inputAccepted;
}

void ScriptedPrompts::message(const QString& text, const QString& title, Icon icon) {
    m_seen.push_back({Kind::Message, text, title, icon});
    Step step;
    take(Kind::Message, text, title, step);
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(const QString& text, const QString& title) {
    m_seen.push_back({Kind::YesNoCancel, text, title, Icon::Question});
    Step step;
    return take(Kind::YesNoCancel, text, title, step) ? step.answer : Answer::Cancel;
}

bool ScriptedPrompts::inputBox(const QString& prompt, const QString& title, QString& value) {
    m_seen.push_back({Kind::Input, prompt, title, Icon::None});
    Step step;
    if (!take(Kind::Input, prompt, title, step) || !step.inputAccepted) {
        return false;
    }
    value = step.inputValue;
    return true;
}

void ScriptedPrompts::verifyDone() {
    for (const Step& step : m_script) {
        ADD_FAILURE() << "expected prompt never shown: \"" << step.text.toStdString() << "\"";
    }
    m_script.clear();
}
