#pragma once

#include "core/AppState.h"

#include <QString>

class CommandRegistry;
class CommonDialog;
class DocumentHost;
class Launcher;

// The two external browsers (locate and preview) and the test resolutions.
class ExternalBrowsers {
  public:
    using Browser = AppState::Browser;

    ExternalBrowsers(DocumentHost& host, CommonDialog& dialog, Launcher& launcher, AppState& state);

    void registerAll(CommandRegistry& commands);

    void locate(Browser browser);
    // Writes the external preview file and starts the browser on it, without
    // waiting. A program that cannot be started changes nothing.
    void preview(Browser browser);

  private:
    DocumentHost& m_host;
    CommonDialog& m_dialog;
    Launcher& m_launcher;
    AppState& m_state;
};
