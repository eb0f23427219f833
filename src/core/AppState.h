#pragma once

#include "core/UserSettings.h"

#include <QString>

namespace markwright {

// The window-wide state the commands share, with this one owner: the folder
// Open starts in, the folder the program started in, and the programs of
// the two external browsers (kept per user).
class AppState {
  public:
    enum class Browser { Netscape, IE };

    explicit AppState(UserSettings& settings) : m_settings(settings) {}

    const QString& openPath() const { return m_openPath; }
    void setOpenPath(const QString& folder) { m_openPath = folder; }
    const QString& startFolder() const { return m_startFolder; }
    void setStartFolder(const QString& folder) { m_startFolder = folder; }

    // The stored program, or the platform's default when none is stored.
    QString browserPath(Browser browser) const;
    void setBrowserPath(Browser browser, const QString& path);
    static QString defaultBrowserPath(Browser browser);

    // A switch kept per user ("FollowCaret"...), `fallback` until set.
    bool switchOn(const QString& key, bool fallback) const;
    void setSwitch(const QString& key, bool on);

  private:
    UserSettings& m_settings;
    QString m_openPath;
    QString m_startFolder;
};

} // namespace markwright
