#pragma once

#include <QString>
#include <functional>

class CommandRegistry;
class CommonDialog;
class Launcher;

// The two external browsers (locate and preview) and the test resolutions.
class ExternalBrowsers {
  public:
    enum class Browser { Netscape, IE };

    struct Window {
        // Writes the active slot's text to `path`; false when it cannot.
        std::function<bool(const QString& path)> writeActiveText;
        // slot 1's folder + the active slot's preview file name
        std::function<QString()> externalPreviewPath;
        // Normal state, then the size in twips; the resize lays out as usual.
        std::function<void(int widthTwips, int heightTwips)> resize;
    };

    ExternalBrowsers(CommonDialog& dialog, Launcher& launcher, QString& netscapePath,
                     QString& iePath, Window window);

    void registerAll(CommandRegistry& commands);

    void locate(Browser browser);
    // Writes the external preview file and starts the browser on it, without
    // waiting. A program that cannot be started changes nothing.
    void preview(Browser browser);

  private:
    CommonDialog& m_dialog;
    Launcher& m_launcher;
    QString& m_netscapePath;
    QString& m_iePath;
    Window m_window;
};
