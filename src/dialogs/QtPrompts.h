#pragma once

#include "dialogs/Prompts.h"

class QWidget;

namespace markwright {

// Shows the platform's own message and input boxes, owned by `parent`.
class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title, Icon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& title) override;
    int choose(const QString& text, const QString& title, const QStringList& buttons,
               int defaultButton) override;
    bool inputBox(const QString& prompt, const QString& title, QString& value) override;
    QStringList fileDialog(const FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool printDialog(PrintRequest& request) override;

  private:
    QWidget* m_parent;
};

} // namespace markwright
