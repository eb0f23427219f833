#include "editor/Completion.h"

#include "core/DocumentSlots.h"
#include "html/HtmlTables.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

namespace markwright {

namespace {

QStringList strings(const QByteArrayList& names) {
    QStringList out;
    out.reserve(names.size());
    for (const QByteArray& name : names) {
        out.append(QString::fromUtf8(name));
    }
    return out;
}

bool isPathAttribute(const QByteArray& name) {
    static const QSet<QByteArray> names{"href", "src", "action", "srcset", "poster", "data"};
    return names.contains(name);
}

bool isImage(const QString& name) {
    static const QSet<QString> kinds{"png",  "jpg",  "jpeg", "gif", "svg",
                                     "webp", "avif", "ico",  "bmp"};
    return kinds.contains(QFileInfo(name).suffix().toLower());
}

// The files the editor writes beside a page for its preview.
bool isPreviewFile(const QString& name) {
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        if (name == DocumentSlots::previewFileName(n)) {
            return true;
        }
    }
    return false;
}

// The files and folders where the typed path leads, after its last '/'.
Completion paths(const CaretContext& context, QByteArrayView text, qint64 caret,
                 const QString& folder) {
    Completion completion;
    const QString typed =
        QString::fromUtf8(text.sliced(context.wordStart, caret - context.wordStart));
    const qsizetype colon = typed.indexOf(':');
    if (folder.isEmpty() || typed.startsWith('#') || typed.startsWith('/') ||
        (colon >= 0 && (typed.indexOf('/') < 0 || colon < typed.indexOf('/')))) {
        return completion;
    }
    const qsizetype slash = typed.lastIndexOf('/');
    const QString sub = slash < 0 ? QString() : typed.left(slash + 1);
    const QDir dir(QDir(folder).filePath(QUrl::fromPercentEncoding(sub.toUtf8())));
    if (!dir.exists()) {
        return completion;
    }
    completion.start = context.wordStart + sub.toUtf8().size();
    completion.sorted = false;
    const bool images = context.element == "img" && context.attribute == "src";
    QStringList first;
    QStringList folders;
    QStringList files;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                                    QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (isPreviewFile(entry.fileName())) {
            continue;
        }
        if (entry.isDir()) {
            folders << entry.fileName() + '/';
        } else if (images && isImage(entry.fileName())) {
            first << entry.fileName();
        } else {
            files << entry.fileName();
        }
    }
    completion.items = first + folders + files;
    return completion;
}

} // namespace

Completion Completion::at(const CaretContext& context, QByteArrayView text, qint64 caret,
                          const QString& folder) {
    const html::HtmlTables& tables = html::HtmlTables::standard();
    Completion completion;
    completion.start = context.wordStart;
    switch (context.kind) {
    case CaretContext::Kind::TagName:
        completion.items = strings(tables.elementNames());
        break;
    case CaretContext::Kind::EndTagName:
        for (qsizetype i = context.open.size(); i-- > 0;) {
            completion.items.append(QString::fromUtf8(context.open[i]));
        }
        completion.items.removeDuplicates();
        completion.sorted = false;
        break;
    case CaretContext::Kind::AttributeName:
        if (const auto* info = tables.element(context.element)) {
            completion.items = strings(tables.attributeNames(*info, context.present));
        }
        break;
    case CaretContext::Kind::AttributeValue:
        if (isPathAttribute(context.attribute)) {
            return paths(context, text, caret, folder);
        }
        completion.items = strings(tables.values(context.element, context.attribute));
        break;
    case CaretContext::Kind::Reference:
        completion.items = strings(tables.referenceNames());
        break;
    default:
        break;
    }
    // In the order the list looks names up in (case aside): the list need
    // not sort them itself.
    if (completion.sorted) {
        completion.items.sort(Qt::CaseInsensitive);
    }
    return completion;
}

} // namespace markwright
