#include "dialogs/QtPrompts.h"

#include "core/BusyGate.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace markwright {

namespace {
QMessageBox::Icon toQt(Prompts::Icon icon) {
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Critical:
        return QMessageBox::Critical;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtPrompts::message(const QString& text, const QString& title, Icon icon) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

Prompts::Answer QtPrompts::askYesNoCancel(const QString& text, const QString& title) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

int QtPrompts::choose(const QString& text, const QString& title, const QStringList& buttons,
                      int defaultButton) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons) {
        added.append(box.addButton(caption, QMessageBox::AcceptRole));
    }
    if (defaultButton >= 0 && defaultButton < added.size()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added[defaultButton]));
    }
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

bool QtPrompts::inputBox(const QString& prompt, const QString& title, QString& value) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    bool ok = false;
    const QString entered =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, value, &ok);
    if (ok) {
        value = entered;
    }
    return ok;
}

QStringList QtPrompts::fileDialog(const FileRequest& request) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    QFileDialog dialog(request.parent != nullptr ? request.parent : m_parent, request.title);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? (request.multiSelect ? QFileDialog::ExistingFiles
                                                           : QFileDialog::ExistingFile)
                                    : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.nameFilters.isEmpty()) {
        dialog.setNameFilters(request.nameFilters);
        if (!request.selectedFilter.isEmpty()) {
            dialog.selectNameFilter(request.selectedFilter);
        }
    }
    if (!request.folder.isEmpty()) {
        dialog.setDirectory(request.folder);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (!request.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultSuffix);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

std::optional<QColor> QtPrompts::chooseColor(const QColor& initial) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

bool QtPrompts::printDialog(PrintRequest& request) {
    const BusyGate waiting(BusyGate::Kind::Dialog);
    QPrinter printer;
    QPrintDialog dialog(&printer, request.parent != nullptr ? request.parent : m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.allowSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.allowPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, request.allowPrintToFile);
    if (request.minPage > 0 && request.maxPage >= request.minPage) {
        dialog.setMinMax(request.minPage, request.maxPage);
    }
    if (request.fromPage > 0 && request.toPage >= request.fromPage) {
        printer.setFromTo(request.fromPage, request.toPage);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    request.fromPage = printer.fromPage();
    request.toPage = printer.toPage();
    request.copies = printer.copyCount();
    request.printerName = printer.printerName();
    request.outputFile = printer.outputFileName();
    return true;
}

} // namespace markwright
