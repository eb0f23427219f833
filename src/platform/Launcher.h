#pragma once

#include <QtGlobal>

#include <QString>
#include <QStringList>
#include <optional>

namespace markwright {

// Starting other programs and opening addresses: the seam tests replace.
class Launcher {
  public:
    Launcher() = default;
    virtual ~Launcher() = default;
    Q_DISABLE_COPY(Launcher)
    // Starts `program` with `arguments` (each one argument, however many
    // blanks it holds) without waiting for it. False when it cannot start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Opens an address in the user's default browser. False on failure.
    virtual bool openUrl(const QString& address) = 0;
    // The program the desktop opens web pages with, or nullopt when none is
    // set up.
    virtual std::optional<QString> defaultBrowser() = 0;
    // Opens `address` in `browser` (as defaultBrowser named it). False when
    // it cannot be started.
    virtual bool openWith(const QString& browser, const QString& address) = 0;
};

class SystemLauncher : public Launcher {
  public:
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QString& address) override;
    std::optional<QString> defaultBrowser() override;
    bool openWith(const QString& browser, const QString& address) override;
};

} // namespace markwright
