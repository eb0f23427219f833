#include "editor/TextSearch.h"

#include <Qsci/qsciscintillabase.h>

namespace markwright::textsearch {

Match search(QsciScintillaBase& editor, const QByteArray& what, int flags, long from, long to) {
    if (what.isEmpty()) {
        return {};
    }
    editor.SendScintilla(QsciScintillaBase::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(flags));
    editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETSTART, static_cast<unsigned long>(from));
    editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETEND, static_cast<unsigned long>(to));
    const long at = editor.SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET,
                                         static_cast<unsigned long>(what.size()), what.constData());
    if (at < 0) {
        return {};
    }
    return {at, editor.SendScintilla(QsciScintillaBase::SCI_GETTARGETEND)};
}

long replace(QsciScintillaBase& editor, Match match, const QByteArray& with, bool regex) {
    // The search just made left its groups for a regular expression's \1.
    editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE,
                         static_cast<unsigned long>(match.start), match.end);
    return editor.SendScintilla(regex ? QsciScintillaBase::SCI_REPLACETARGETRE
                                      : QsciScintillaBase::SCI_REPLACETARGET,
                                static_cast<unsigned long>(with.size()), with.constData());
}

int replaceAll(QsciScintillaBase& editor, const QByteArray& what, const QByteArray& with, int flags,
               long from, long to) {
    const bool regex = (flags & QsciScintillaBase::SCFIND_REGEXP) != 0;
    int count = 0;
    editor.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
    for (Match match = search(editor, what, flags, from, to); match.found();
         match = search(editor, what, flags, from, to)) {
        const long written = replace(editor, match, with, regex);
        ++count;
        to += written - (match.end - match.start);
        from = match.start + written;
        if (match.end == match.start) {
            ++from; // past an empty match
        }
        if (from > to) {
            break;
        }
    }
    editor.SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    return count;
}

} // namespace markwright::textsearch
