#include "printing/PrintCommand.h"

#include "core/CommandRegistry.h"
#include "core/SourceText.h"
#include "dialogs/CPrintDialog.h"
#include "dialogs/Prompts.h"
#include "editor/SourcePane.h"

#include <QFont>
#include <QPrinter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace markwright {

bool printSource(QPrinter& printer, const QString& text, QString* error) {
    // With no printer installed the default one is a PDF file without a name.
    if (!printer.isValid() ||
        (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())) {
        if (error != nullptr) {
            *error = QStringLiteral("No printer is available.");
        }
        return false;
    }
    // Every kind of line break prints as one.
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QTextDocument document;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    // Source is printed letter for letter, without joining "fi" and the like
    // into ligatures.
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(QLatin1Char('\n') + lines);
    // A file holds every copy asked for (a printer makes its own), each
    // starting on a new page.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.copyCount() > 1) {
        const int copies = printer.copyCount();
        printer.setCopyCount(1);
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        for (int copy = 1; copy < copies; ++copy) {
            QTextBlockFormat newPage;
            newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(newPage); // the empty line each copy starts with
            cursor.insertBlock(QTextBlockFormat());
            cursor.insertText(lines);
        }
    }
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        if (error != nullptr) {
            *error = QStringLiteral("The printer did not accept the job.");
        }
        return false;
    }
    return true;
}

PrintCommand::PrintCommand(SourceText& source, QWidget* dialogParent, Prompts& prompts,
                           PrinterFactory makePrinter)
    : m_source(source), m_dialogParent(dialogParent), m_prompts(prompts),
      m_makePrinter(std::move(makePrinter)) {}

void PrintCommand::registerAll(CommandRegistry& commands) {
    commands.add("mnuPrint", [this] { run(); });
}

void PrintCommand::run() {
    CPrintDialog dialog(m_prompts);
    // Printing to a file stays offered, so a machine without printers can
    // still print (to a PDF file).
    dialog.setFlags(CPrintDialog::NoSelection | CPrintDialog::NoPageNumbers |
                    CPrintDialog::ReturnDeviceContext | CPrintDialog::UseDeviceCopies);
    dialog.setHWndParent(m_dialogParent);
    if (!dialog.Show()) {
        return;
    }
    std::unique_ptr<QPrinter> printer =
        m_makePrinter ? m_makePrinter() : std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Where and how many the user chose.
    if (!dialog.outputFileName().isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dialog.outputFileName());
    } else if (!dialog.printerName().isEmpty()) {
        printer->setPrinterName(dialog.printerName());
    }
    printer->setCopyCount(qMax<int>(1, dialog.copies()));
    QString error;
    if (!printSource(*printer, m_source.text(), &error)) {
        m_prompts.showError(QStringLiteral("The source could not be printed.\n\n") + error,
                            Prompts::Icon::Warning);
    }
}

} // namespace markwright
