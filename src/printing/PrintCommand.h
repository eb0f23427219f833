#pragma once

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace markwright {

class CommandRegistry;
class SourceText;
class Prompts;

// Prints `text` in Arial 10 points: one empty line, then the text once with
// its own line breaks; long lines wrap and pages break where they fill.
// False, with `error` saying why, when the printer cannot take the job.
bool printSource(QPrinter& printer, const QString& text, QString* error);

// "Print Source": the print dialog, then the whole source on the default
// printer (one copy, whatever the dialog chose). A printer failure is told in
// a message; the document is untouched either way.
class PrintCommand {
  public:
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    PrintCommand(SourceText& source, QWidget* dialogParent, Prompts& prompts,
                 PrinterFactory makePrinter);

    void registerAll(CommandRegistry& commands);
    void run();

  private:
    SourceText& m_source;
    QWidget* m_dialogParent;
    Prompts& m_prompts;
    PrinterFactory m_makePrinter;
};

} // namespace markwright
