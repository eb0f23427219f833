#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

std::optional<ScriptedPrompts::Step> ScriptedPrompts::take(Kind kind, const QString& text,
                                                           const QString& title, Icon icon) {
    Seen& seen = m_seen.emplace_back();
    seen.kind = kind;
    seen.text = text;
    seen.title = title;
    seen.icon = icon;
    const std::string got =
        '"' + seen.text.toStdString() + "\" titled \"" + seen.title.toStdString() + '"';
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected prompt: " << got;
        return std::nullopt;
    }
    const Step step = m_script.front();
    m_script.pop_front();
    if (step.kind != seen.kind || step.title != seen.title ||
        !(step.prefixOnly ? seen.text.startsWith(step.text) : step.text == seen.text)) {
        ADD_FAILURE() << "expected prompt \"" << step.text.toStdString() << "\" titled \""
                      << step.title.toStdString() << "\", got " << got;
        return std::nullopt;
    }
    return step;
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(const QString& text, const QString& title) {
    const auto step = take(Kind::YesNoCancel, text, title, Icon::Question);
    return step ? step->answer : Answer::Cancel;
}

int ScriptedPrompts::choose(const QString& text, const QString& title, const QStringList&, int) {
    const auto step = take(Kind::Choice, text, title);
    return step ? step->number : -1;
}

bool ScriptedPrompts::inputBox(const QString& prompt, const QString& title, QString& value) {
    const auto step = take(Kind::Input, prompt, title);
    if (step && step->accepted) {
        value = step->value;
    }
    return step && step->accepted;
}

QStringList ScriptedPrompts::fileDialog(const FileRequest& request) {
    const auto step = take(Kind::File, QString(), request.title);
    m_seen.back().file = request;
    return step ? step->files : QStringList();
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor& initial) {
    const auto step = take(Kind::Color, QString(), QString());
    m_seen.back().color = initial;
    return step ? step->color : std::nullopt;
}

bool ScriptedPrompts::printDialog(PrintRequest& request) {
    const auto step = take(Kind::Print, QString(), QString());
    m_seen.back().print = request;
    if (step && step->accepted) {
        request.copies = step->number;
        request.outputFile = step->value;
    }
    return step && step->accepted;
}

const ScriptedPrompts::Seen& ScriptedPrompts::last() const {
    static const Seen none;
    if (m_seen.empty()) {
        ADD_FAILURE() << "no prompt was shown";
    }
    return m_seen.empty() ? none : m_seen.back();
}

void ScriptedPrompts::verifyDone() {
    for (const Step& step : m_script) {
        ADD_FAILURE() << "expected prompt never shown: \"" << step.text.toStdString() << "\"";
    }
    m_script.clear();
}
