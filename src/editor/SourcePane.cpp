#include "editor/SourcePane.h"

#include "editor/Utf8Offsets.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>

namespace {
QFont paneFont() {
    QFont fixedsys(QStringLiteral("Fixedsys"), 9);
    if (QFontInfo(fixedsys).family().compare(QLatin1String("Fixedsys"), Qt::CaseInsensitive) == 0) {
        return fixedsys;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    return font;
}
} // namespace

SourcePane::SourcePane(QWidget* parent) : QsciScintilla(parent) {
    setObjectName(QStringLiteral("htmlSource"));
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 0UL);
    setWrapMode(WrapNone);
    setFont(paneFont());
    // Line numbers in a narrow margin; no folding, no markers, no colouring.
    setMarginWidth(1, 0);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, QStringLiteral("000000"));
    setMarginsFont(font());
    setTabWidth(4);
    setCaretLineVisible(false);
    connect(this, &QsciScintilla::textChanged, this, &SourcePane::onScintillaChanged);
}

template <typename Edit> void SourcePane::asOneChange(Edit edit) {
    ++m_batchDepth;
    edit();
    --m_batchDepth;
    if (m_batchDepth == 0 && m_batchChanged) {
        m_batchChanged = false;
        emit changed();
    }
}

void SourcePane::onScintillaChanged() {
    if (m_batchDepth > 0) {
        m_batchChanged = true;
        return;
    }
    emit changed();
}

QByteArrayView SourcePane::bytes() const {
    const auto length = static_cast<qsizetype>(SendScintilla(SCI_GETLENGTH));
    const auto* data = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return QByteArrayView(data, data ? length : 0);
}

QString SourcePane::text() const {
    const QByteArrayView raw = bytes();
    return QString::fromUtf8(raw.data(), raw.size());
}

void SourcePane::setText(const QString& text) {
    const QByteArray raw = text.toUtf8();
    asOneChange([&] {
        SendScintilla(SCI_CLEARALL);
        SendScintilla(SCI_ADDTEXT, static_cast<unsigned long>(raw.size()), raw.constData());
        SendScintilla(SCI_GOTOPOS, 0UL);
        SendScintilla(SCI_EMPTYUNDOBUFFER);
    });
}

QString SourcePane::selectedText() const {
    const auto start = static_cast<qsizetype>(SendScintilla(SCI_GETSELECTIONSTART));
    const auto end = static_cast<qsizetype>(SendScintilla(SCI_GETSELECTIONEND));
    const QByteArrayView raw = bytes().sliced(start, end - start);
    return QString::fromUtf8(raw.data(), raw.size());
}

void SourcePane::replaceSelection(const QString& text) {
    const QByteArray raw = text.toUtf8();
    asOneChange([&] {
        SendScintilla(SCI_TARGETFROMSELECTION);
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(raw.size()), raw.constData());
        const long end = SendScintilla(SCI_GETTARGETEND);
        SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(end));
    });
}

int SourcePane::selectionStart() const {
    const auto start = static_cast<qsizetype>(SendScintilla(SCI_GETSELECTIONSTART));
    return static_cast<int>(utf8::utf16Length(bytes(), start));
}

int SourcePane::selectionLength() const {
    const QByteArrayView raw = bytes();
    const auto start = static_cast<qsizetype>(SendScintilla(SCI_GETSELECTIONSTART));
    const auto end = static_cast<qsizetype>(SendScintilla(SCI_GETSELECTIONEND));
    return static_cast<int>(utf8::utf16Length(raw.sliced(start), end - start));
}

void SourcePane::setSelection(int start, int length) {
    const QByteArrayView raw = bytes();
    const qsizetype from = utf8::byteOffset(raw, qMax(0, start));
    const qsizetype to = from + utf8::byteOffset(raw.sliced(from), qMax(0, length));
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(from), static_cast<long>(to));
}

int SourcePane::find(const QString& what, int from, Qt::CaseSensitivity cs) {
    if (what.isEmpty()) {
        return -1;
    }
    const int index = static_cast<int>(text().indexOf(what, qMax(0, from), cs));
    if (index >= 0) {
        setSelection(index, static_cast<int>(what.size()));
    }
    return index;
}

bool SourcePane::loadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    setText(QString::fromUtf8(file.readAll()));
    return true;
}

bool SourcePane::saveAsPlainText(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArrayView raw = bytes();
    return file.write(raw.data(), raw.size()) == raw.size() && file.flush();
}

void SourcePane::giveFocus() {
    setFocus(Qt::OtherFocusReason);
}

bool SourcePane::canUndo() const {
    return isUndoAvailable();
}

void SourcePane::undoOnce() {
    if (canUndo()) {
        undo();
    }
}
