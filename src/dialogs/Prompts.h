#pragma once

#include <QString>

// The one seam for every modal interaction with the user. The editor never
// shows a message box or dialog directly; it asks this interface. The Qt
// implementation shows real dialogs; tests plug in a scripted double that
// plays expected prompts and answers, so no test ever waits for a person.
class Prompts {
  public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Yes, No, Cancel, Ok };

    virtual ~Prompts() = default;

    // A message with a single OK button.
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;

    // A Yes/No/Cancel question.
    virtual Answer askYesNoCancel(const QString& text, const QString& title) = 0;

    // A one-line input box. Returns false when the user cancels; `value`
    // carries the default in and the entered text out.
    virtual bool inputBox(const QString& prompt, const QString& title, QString& value) = 0;
};
