#pragma once

#include "windows/FrmAbout.h"
#include "windows/FrmWeb.h"

#include <QPointer>

class QWidget;

namespace markwright {

class CommandRegistry;
class Launcher;
class Prompts;

// The About menu: the about box (non-modal, one at a time) and the web
// pages window (modal).
class SideWindows {
  public:
    SideWindows(Launcher& launcher, Prompts& prompts, QWidget* owner)
        : m_launcher(launcher), m_prompts(prompts), m_owner(owner) {}

    void registerAll(CommandRegistry& commands);
    void showAbout();
    void showWeb();

    FrmAbout* about() const { return m_about; }
    FrmWeb* web() const { return m_web; }

  private:
    Launcher& m_launcher;
    Prompts& m_prompts;
    QWidget* m_owner;
    QPointer<FrmAbout> m_about;
    QPointer<FrmWeb> m_web;
};

} // namespace markwright
