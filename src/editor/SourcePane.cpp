#include "editor/SourcePane.h"

#include "editor/DocumentLoader.h"
#include "editor/HtmlStyle.h"
#include "editor/LineEnds.h"
#include "editor/TextSearch.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>

namespace markwright {

namespace {
// QScintilla's own accessibility interface counts the characters from the
// start of the document up to the caret after every change and every caret
// move, which makes typing cost time in proportion to the document. Qt
// creates that interface even when no assistive technology is listening, so
// while none is, the pane gets a plain editable-text interface instead; with
// a screen reader running, QScintilla's full text interface is kept.
QAccessibleInterface* plainPaneAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(SourcePane::staticMetaObject.className()) &&
        !QAccessible::isActive() && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
    }
    return nullptr;
}

QFont fixedPitchFont() {
    QFont fixedsys(QStringLiteral("Fixedsys"), 9);
    if (QFontInfo(fixedsys).family().compare(QLatin1String("Fixedsys"), Qt::CaseInsensitive) == 0) {
        return fixedsys;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    return font;
}
} // namespace

SourcePane::SourcePane(QWidget* parent)
    : QsciScintilla(parent), m_documents(*this), m_marks(*this) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(plainPaneAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // The base class may already have had its interface made while it was
    // being constructed; drop it so the next query comes here.
    if (!QAccessible::isActive()) {
        if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(this)) {
            if (early->role() != QAccessible::EditableText ||
                dynamic_cast<QAccessibleWidget*>(early) == nullptr ||
                early->textInterface() != nullptr) {
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
            }
        }
    }
    setObjectName(QStringLiteral("htmlSource"));
    setUtf8(true);
    keepUtf16Index();
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 0UL);
    setWrapMode(WrapNone);
    setFont(defaultFont());
    // Line numbers in a narrow margin; no folding, no markers, no colouring.
    setMarginWidth(1, 0);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, QStringLiteral("000000"));
    setMarginsFont(font());
    setTabWidth(4);
    applyHtmlStyle(*this, font());
    // QScintilla turns every insertion it is told about into an accessibility
    // event whose position it finds by counting the characters from the start
    // of the document: time in proportion to the document on every keystroke.
    // Asking only for the notices sent before an insertion or deletion avoids
    // that; the change is then reported once the edit is done (see
    // onScintillaChanged).
    SendScintilla(SCI_SETMODEVENTMASK,
                  static_cast<unsigned long>(SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE));
    // A blinking caret repaints its line twice a second, and painting a line
    // of many megabytes measures all of it: on such a line the caret stays
    // steady.
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        m_marks.update(updated);
        if (updated & SC_UPDATE_SELECTION) {
            const long line = SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS));
            const bool steady =
                SendScintilla(SCI_LINELENGTH, static_cast<unsigned long>(line)) > LongLineBytes;
            if (steady != m_steadyCaret) {
                m_steadyCaret = steady;
                SendScintilla(SCI_SETCARETPERIOD,
                              steady ? 0UL
                                     : static_cast<unsigned long>(
                                           qMax(0, QApplication::cursorFlashTime() / 2)));
            }
        }
    });
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int type, const char*, int, int, int, int, int, int, int) {
                if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) {
                    onScintillaChanged();
                }
            });
}

template <typename Edit> void SourcePane::asOneChange(Edit edit) {
    ++m_batchDepth;
    edit();
    --m_batchDepth;
    flushChange();
}

void SourcePane::onScintillaChanged() {
    // The notice arrives just before the text changes. Inside an operation of
    // this class, or while a key, input-method or drop event is handled, the
    // change is reported when that ends; any other edit (a context-menu
    // command, say) is reported from the event loop right after it.
    m_batchChanged = true;
    m_marks.textChanged();
    if (m_marks.model() != nullptr) {
        m_marks.setModel(nullptr); // made from the text as it was
    }
    if (m_batchDepth > 0) {
        return;
    }
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_flushQueued = false;
                flushChange();
            },
            Qt::QueuedConnection);
    }
}

void SourcePane::flushChange() {
    if (m_batchDepth == 0 && m_batchChanged) {
        m_batchChanged = false;
        emit changed();
    }
}

QByteArrayView SourcePane::bytes() const {
    const auto length = static_cast<qsizetype>(SendScintilla(SCI_GETLENGTH));
    const auto* data = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return QByteArrayView(data, data ? length : 0);
}

QFont SourcePane::defaultFont() {
    return fixedPitchFont();
}

void SourcePane::setIndentation(int tabWidth, bool useTabs) {
    m_tabWidth = tabWidth;
    m_useTabs = useTabs;
    setTabWidth(tabWidth);
    setIndentationsUseTabs(useTabs);
}

void SourcePane::setLineNumbersShown(bool shown) {
    setMarginLineNumbers(0, shown);
    if (shown) {
        setMarginWidth(0, QStringLiteral("000000"));
    } else {
        setMarginWidth(0, 0);
    }
}

QByteArrayView SourcePane::bytes(long from, long to) const {
    const long length = SendScintilla(SCI_GETLENGTH);
    from = std::clamp(from, 0L, length);
    to = std::clamp(to, from, length);
    // Scintilla moves its gap only within the range, not across the text.
    const auto* data = reinterpret_cast<const char*>(
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
    return QByteArrayView(data, data ? to - from : 0);
}

QString SourcePane::text() const {
    const QByteArrayView raw = bytes();
    return QString::fromUtf8(raw.data(), raw.size());
}

void SourcePane::setText(const QString& text) {
    const QByteArray raw = text.toUtf8();
    // The pane itself is not painted until the whole text is in: a page
    // written as one long line would otherwise be measured as it grows. A
    // large file is read into a document of its own instead (see
    // detachedDocument), so nothing waits here for long.
    const bool painting = viewport()->updatesEnabled();
    viewport()->setUpdatesEnabled(false);
    asOneChange([&] {
        SendScintilla(SCI_CLEARALL);
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(raw.size()), raw.constData());
        SendScintilla(SCI_GOTOPOS, 0UL);
        SendScintilla(SCI_EMPTYUNDOBUFFER);
    });
    followLineEnds();
    viewport()->setUpdatesEnabled(painting);
    emit textReplaced();
}

void SourcePane::loadInBackground(int slot, QByteArray utf8, std::function<void()> done) {
    if (m_loader == nullptr) {
        m_loader = new DocumentLoader(this);
    }
    m_loader->fill(std::move(utf8), [this, slot, done = std::move(done)](void* document) {
        adoptDocument(slot, document);
        done();
    });
}

void SourcePane::adoptDocument(int slot, void* document) {
    if (!SlotDocuments::valid(slot)) {
        m_documents.release(document);
        return;
    }
    void* const old = m_documents.replace(slot, document);
    if (m_documents.shown() != 0 && slot != m_documents.shown()) {
        // Loaded for a slot not on show: it is there when the slot is.
        m_documents.release(old);
        return;
    }
    const bool painting = viewport()->updatesEnabled();
    viewport()->setUpdatesEnabled(false);
    asOneChange([&] {
        attachDocument(document);
        SendScintilla(SCI_EMPTYUNDOBUFFER);
        SendScintilla(SCI_GOTOPOS, 0UL);
    });
    m_documents.setShown(slot);
    m_documents.release(old);
    followLineEnds();
    viewport()->setUpdatesEnabled(painting);
    emit changed();
    emit textReplaced();
}

SourcePane::~SourcePane() = default;

void SourcePane::showSlot(int slot, const QString& text) {
    if (!SlotDocuments::valid(slot) || slot == m_documents.shown()) {
        setText(text);
        return;
    }
    m_documents.saveView();
    bool fresh = false;
    void* const document = m_documents.documentFor(slot, fresh);
    if (m_documents.shown() != 0) {
        attachDocument(document);
    }
    m_documents.setShown(slot);
    // Compared as they are, UTF-8 against UTF-16, without a copy of either.
    const QByteArrayView shown = bytes();
    if (fresh || !QAnyStringView::equal(QUtf8StringView(shown.data(), shown.size()), text)) {
        setText(text);
        return;
    }
    followLineEnds();
    m_documents.restoreView(slot);
    emit changed();
    emit textReplaced();
}

void SourcePane::setPageModel(std::shared_ptr<const html::HtmlModel> model) {
    m_marks.setModel(std::move(model));
}

long SourcePane::caretByte() const {
    return SendScintilla(SCI_GETCURRENTPOS);
}

void SourcePane::selectBytes(long start, long end) {
    // The caret at the start, where the reader's eye goes.
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(end), start);
    SendScintilla(SCI_SCROLLRANGE, static_cast<unsigned long>(end), start);
}

void SourcePane::attachDocument(void* document) {
    // The tag marks belong to the document being left; clear them there.
    m_marks.leaveDocument();
    emit leavingDocument();
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    // Encoding, tab width, the colouring state and the index of line starts
    // in UTF-16 units belong to the document.
    setUtf8(true);
    setTabWidth(m_tabWidth);
    setIndentationsUseTabs(m_useTabs);
    lexAttachedDocument(*this);
    keepUtf16Index();
}

void SourcePane::redoOnce() {
    asOneChange([&] { SendScintilla(SCI_REDO); });
}

void SourcePane::goToLine(int line) {
    const long lines = SendScintilla(SCI_GETLINECOUNT);
    const long target = qBound(0L, static_cast<long>(line) - 1, lines - 1);
    SendScintilla(SCI_GOTOLINE, static_cast<unsigned long>(target));
    SendScintilla(SCI_SCROLLCARET);
}

void SourcePane::followLineEnds() {
    switch (lineends::first(bytes())) {
    case lineends::Style::Lf:
        setEolMode(EolUnix);
        break;
    case lineends::Style::Cr:
        setEolMode(EolMac);
        break;
    default:
        setEolMode(EolWindows);
        break;
    }
}

QString SourcePane::enterText() const {
    switch (eolMode()) {
    case EolUnix:
        return QStringLiteral("\n");
    case EolMac:
        return QStringLiteral("\r");
    case EolWindows:
        break;
    }
    return QStringLiteral("\r\n");
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
        // The same range selectedText() reads, also for a block selection,
        // so a cut or a format never duplicates or half-removes text.
        SendScintilla(SCI_SETTARGETRANGE,
                      static_cast<unsigned long>(SendScintilla(SCI_GETSELECTIONSTART)),
                      SendScintilla(SCI_GETSELECTIONEND));
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(raw.size()), raw.constData());
        const long end = SendScintilla(SCI_GETTARGETEND);
        SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(end));
    });
}

void SourcePane::keepUtf16Index() {
    if ((SendScintilla(SCI_GETLINECHARACTERINDEX) & SC_LINECHARACTERINDEX_UTF16) == 0) {
        SendScintilla(SCI_ALLOCATELINECHARACTERINDEX,
                      static_cast<unsigned long>(SC_LINECHARACTERINDEX_UTF16));
    }
}

qsizetype SourcePane::utf16At(long bytePos) const {
    // Scintilla keeps where each line starts in UTF-16 units (see
    // attachDocument): only the part of the line before the place is
    // counted.
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(bytePos));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return static_cast<qsizetype>(
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16)) +
        SendScintilla(SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineStart), bytePos));
}

long SourcePane::byteAt(qsizetype utf16Pos) const {
    const long length = SendScintilla(SCI_GETLENGTH);
    const long lines = SendScintilla(SCI_GETLINECOUNT);
    const auto total = static_cast<qsizetype>(
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(lines),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16)));
    if (utf16Pos >= total) {
        return length;
    }
    const long line = SendScintilla(SCI_LINEFROMINDEXPOSITION,
                                    static_cast<unsigned long>(qMax<qsizetype>(0, utf16Pos)),
                                    static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineUnits =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const auto within = static_cast<long>(qMax<qsizetype>(0, utf16Pos) - lineUnits);
    if (within == 0) {
        return lineStart;
    }
    const auto relative = [this, lineStart](long units) {
        return SendScintilla(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(lineStart),
                             units);
    };
    // Scintilla answers 0 for a place inside a surrogate pair: it goes on
    // to the end of the character.
    const long at = relative(within);
    return at != 0 ? at : relative(within + 1);
}

int SourcePane::selectionStart() const {
    return static_cast<int>(utf16At(SendScintilla(SCI_GETSELECTIONSTART)));
}

int SourcePane::selectionLength() const {
    return static_cast<int>(utf16At(SendScintilla(SCI_GETSELECTIONEND)) -
                            utf16At(SendScintilla(SCI_GETSELECTIONSTART)));
}

void SourcePane::setSelection(int start, int length) {
    const qsizetype from = qMax(0, start);
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(byteAt(from)),
                  byteAt(from + qMax(0, length)));
}

void SourcePane::selectAllText() {
    SendScintilla(SCI_SETSEL, 0UL, SendScintilla(SCI_GETLENGTH));
}

int SourcePane::find(const QString& what, int from, Qt::CaseSensitivity cs) {
    return findInRange(what, from, std::numeric_limits<int>::max(), cs);
}

int SourcePane::findInRange(const QString& what, int from, int to, Qt::CaseSensitivity cs) {
    const long length = SendScintilla(SCI_GETLENGTH);
    const long start = byteAt(qMax(0, from));
    const long end = qMin(length, byteAt(qMax(from, to)));
    if (start > length) {
        return -1;
    }
    const textsearch::Match match = textsearch::search(
        *this, what.toUtf8(), cs == Qt::CaseSensitive ? SCFIND_MATCHCASE : 0, start, end);
    if (!match.found()) {
        return -1;
    }
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(match.start), match.end);
    return static_cast<int>(utf16At(match.start));
}

int SourcePane::replaceAll(const QString& what, const QString& with) {
    int count = 0;
    asOneChange([&] {
        count = textsearch::replaceAll(*this, what.toUtf8(), with.toUtf8(), SCFIND_MATCHCASE, 0,
                                       SendScintilla(SCI_GETLENGTH));
        SendScintilla(SCI_GOTOPOS, 0UL);
    });
    followLineEnds();
    emit textReplaced();
    return count;
}

void SourcePane::replaceWholeText(const QString& text) {
    const QByteArray raw = text.toUtf8();
    asOneChange([&] {
        SendScintilla(SCI_BEGINUNDOACTION);
        SendScintilla(SCI_SETTARGETSTART, 0UL);
        SendScintilla(SCI_SETTARGETEND, static_cast<unsigned long>(SendScintilla(SCI_GETLENGTH)));
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(raw.size()), raw.constData());
        SendScintilla(SCI_ENDUNDOACTION);
        SendScintilla(SCI_GOTOPOS, 0UL);
    });
    followLineEnds();
    emit textReplaced();
}

void SourcePane::paste() {
    if (isReadOnly()) {
        return;
    }
    replaceSelection(QApplication::clipboard()->text());
}

void SourcePane::keyPressEvent(QKeyEvent* event) {
    // The built-in paste would turn every line end into CR LF.
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    asOneChange([&] { QsciScintilla::keyPressEvent(event); });
}

void SourcePane::inputMethodEvent(QInputMethodEvent* event) {
    asOneChange([&] { QsciScintilla::inputMethodEvent(event); });
}

void SourcePane::dragEnterEvent(QDragEnterEvent* event) {
    // Files dragged from a file manager are for the window to open; text
    // stays a text drop into the page.
    if (event->mimeData()->hasUrls() && !event->mimeData()->urls().isEmpty() &&
        event->mimeData()->urls().first().isLocalFile()) {
        event->ignore();
        return;
    }
    QsciScintilla::dragEnterEvent(event);
}

void SourcePane::dropEvent(QDropEvent* event) {
    asOneChange([&] { QsciScintilla::dropEvent(event); });
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

} // namespace markwright
