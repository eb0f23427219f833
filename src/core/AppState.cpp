#include "core/AppState.h"

namespace markwright {

namespace {
QString keyOf(AppState::Browser browser) {
    return browser == AppState::Browser::Netscape ? QStringLiteral("Settings/netscapePath")
                                                  : QStringLiteral("Settings/iePath");
}
} // namespace

QString AppState::defaultBrowserPath(Browser browser) {
#ifdef Q_OS_WIN
    return browser == Browser::Netscape
               ? QStringLiteral("C:\\Program Files\\Netscape\\Netscape.exe")
               : QStringLiteral("C:\\Program Files\\Internet Explorer\\ie.exe");
#else
    return browser == Browser::Netscape ? QStringLiteral("/usr/bin/firefox")
                                        : QStringLiteral("/usr/bin/chromium");
#endif
}

QString AppState::browserPath(Browser browser) const {
    return m_settings.value(keyOf(browser), defaultBrowserPath(browser));
}

bool AppState::switchOn(const QString& key, bool fallback) const {
    const QString stored = m_settings.value(key, QString());
    return stored.isEmpty() ? fallback : stored == QLatin1String("1");
}

void AppState::setSwitch(const QString& key, bool on) {
    m_settings.setValue(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void AppState::setBrowserPath(Browser browser, const QString& path) {
    m_settings.setValue(keyOf(browser), path);
}

} // namespace markwright
