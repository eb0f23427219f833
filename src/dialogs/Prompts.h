#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

class QWidget;

namespace markwright {

// The title of every box the program shows.
inline QString appTitle() {
    return QStringLiteral("Markwright");
}

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

    // A question answered with buttons of its own wording, `buttons` from left
    // to right; Return presses `defaultButton`. Returns the index of the
    // button pressed, or -1 when the box was closed without one.
    virtual int choose(const QString& text, const QString& title, const QStringList& buttons,
                       int defaultButton) = 0;

    // What an open or save dialog is asked to show.
    struct FileRequest {
        bool open = true;        // open dialog, else save dialog
        QString title;           // empty: the platform's own ("Open", "Save As")
        QStringList nameFilters; // Qt form: "web pages (*.htm *.html)"
        QString selectedFilter;  // one of nameFilters, or empty
        QString fileName;        // pre-filled name or path
        QString folder;          // initial folder, or empty
        QString defaultSuffix;   // added to a typed name without one
        bool multiSelect = false;
        bool confirmOverwrite = false;
        QWidget* parent = nullptr; // null: the window the prompts belong to
    };

    // Shows an open or save dialog; returns the chosen paths, or an empty
    // list when the user cancels.
    virtual QStringList fileDialog(const FileRequest& request) = 0;

    // Shows the colour dialog starting at `initial`; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;

    // What a print dialog is handed, and what it hands back when confirmed.
    struct PrintRequest {
        bool allowSelection = true;
        bool allowPageRange = true;
        bool allowPrintToFile = true;
        // Handed back: the printer chosen, or the file to print to (a PDF).
        QString printerName;
        QString outputFile;
        QWidget* parent = nullptr; // null: the window the prompts belong to
        int fromPage = 0;
        int toPage = 0;
        int minPage = 0;
        int maxPage = 0;
        int copies = 0;
    };
    // Shows the print dialog; true when confirmed, `request` then holding the
    // chosen values.
    virtual bool printDialog(PrintRequest& request) = 0;

    // A one-line input box. Returns false when the user cancels; `value`
    // carries the default in and the entered text out.
    virtual bool inputBox(const QString& prompt, const QString& title, QString& value) = 0;

    // Tells the user that something failed, in the program's own box.
    void showError(const QString& text, Icon icon = Icon::Critical) {
        message(text, appTitle(), icon);
    }
    // A yes/no/cancel question in the program's own box.
    Answer ask(const QString& text) { return askYesNoCancel(text, appTitle()); }

  protected:
    Prompts() = default;
    Q_DISABLE_COPY(Prompts)
};

} // namespace markwright
