#pragma once

#include "core/AppState.h"

#include <QString>

namespace markwright {

class CommandRegistry;
class CommonDialog;
class DocumentController;
class Launcher;
class Prompts;

// The two external browsers: locate and preview.
class ExternalBrowsers {
  public:
    using Browser = AppState::Browser;

    ExternalBrowsers(DocumentController& controller, CommonDialog& dialog, Launcher& launcher,
                     Prompts& prompts, AppState& state);

    void registerAll(CommandRegistry& commands);

    void locate(Browser browser);
    // Writes the external preview file and starts the browser on it, without
    // waiting. Where the browser is still the untouched default and is not
    // installed, the desktop's own browser shows the file instead (not on
    // Windows); a browser that cannot be started is told to the user.
    void preview(Browser browser);

  private:
    DocumentController& m_controller;
    CommonDialog& m_dialog;
    Launcher& m_launcher;
    Prompts& m_prompts;
    AppState& m_state;
};

} // namespace markwright
