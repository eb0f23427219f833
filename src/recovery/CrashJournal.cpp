#include "recovery/CrashJournal.h"

#include "core/DocumentSlots.h"
#include "files/DocumentFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace markwright {

namespace {
const QByteArray Magic = "Markwright journal 1\n";

QString pageFile(const QString& session, int slot) {
    return QStringLiteral("%1/slot%2.page").arg(session).arg(slot);
}

QString lockFileFor(const QString& session) {
    return session + QStringLiteral(".lock");
}

QByteArray field(const QString& value) {
    return QUrl::toPercentEncoding(value);
}

std::unique_ptr<QLockFile> takeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // Only a dead owner makes a lock stale: a session that has simply run
    // for a long time is still alive.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return nullptr;
    }
    return lock;
}

void writePage(const QString& session, CrashJournal::Page page) {
    if (page.text.isNull()) {
        page.text = QString::fromUtf8(page.paneBytes); // decoded here, off the window's thread
    }
    docfile::writeAtomically(pageFile(session, page.slot), CrashJournal::encode(page));
}
} // namespace

QByteArray CrashJournal::encode(const Page& page) {
    QByteArray out = Magic;
    out += "slot=" + QByteArray::number(page.slot) + '\n';
    out += "title=" + field(page.title) + '\n';
    out += "folder=" + field(page.folder) + '\n';
    out += "encoding=" + QByteArray::number(static_cast<int>(page.encoding)) + '\n';
    if (page.encoding == TextEncoding::Declared) {
        out += "charset=" + field(page.charset) + '\n';
    }
    out += "changed=" + QByteArray(page.changed ? "1" : "0") + '\n';
    out += "richtext=" + QByteArray(page.richText ? "1" : "0") + '\n';
    out += "file=" + field(page.file) + '\n';
    out += "stamp=" + QByteArray(page.known.exists ? "1" : "0") + ',' +
           QByteArray::number(page.known.size) + ',' + QByteArray::number(page.known.modified) +
           '\n';
    const auto bytes = static_cast<qsizetype>(page.text.size()) * 2;
    out += "length=" + QByteArray::number(bytes) + "\n\n";
    const qsizetype start = out.size();
    out.resize(start + bytes);
    char* data = out.data() + start;
    for (qsizetype i = 0; i < page.text.size(); ++i) {
        const char16_t unit = page.text.at(i).unicode();
        data[2 * i] = static_cast<char>(unit & 0xff);
        data[2 * i + 1] = static_cast<char>(unit >> 8);
    }
    return out;
}

std::optional<CrashJournal::Page> CrashJournal::decode(const QByteArray& bytes) {
    if (!bytes.startsWith(Magic)) {
        return std::nullopt;
    }
    const qsizetype headerEnd = bytes.indexOf("\n\n", Magic.size() - 1);
    if (headerEnd < 0) {
        return std::nullopt;
    }
    Page page;
    qint64 length = -1;
    bool haveSlot = false;
    bool haveStamp = false;
    const QList<QByteArray> lines = bytes.mid(Magic.size(), headerEnd - Magic.size()).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) {
            return std::nullopt;
        }
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1);
        bool ok = true;
        if (key == "slot") {
            page.slot = value.toInt(&ok);
            haveSlot = ok;
        } else if (key == "title") {
            page.title = QUrl::fromPercentEncoding(value);
        } else if (key == "folder") {
            page.folder = QUrl::fromPercentEncoding(value);
        } else if (key == "encoding") {
            const int encoding = value.toInt(&ok);
            ok = ok && encoding >= 0 && encoding <= static_cast<int>(TextEncoding::Declared);
            page.encoding = static_cast<TextEncoding>(encoding);
        } else if (key == "charset") {
            page.charset = QUrl::fromPercentEncoding(value);
        } else if (key == "changed") {
            page.changed = value == "1";
        } else if (key == "richtext") {
            page.richText = value == "1";
        } else if (key == "file") {
            page.file = QUrl::fromPercentEncoding(value);
        } else if (key == "stamp") {
            const QList<QByteArray> parts = value.split(',');
            ok = parts.size() == 3;
            if (ok) {
                bool sizeOk = false, modifiedOk = false;
                page.known.exists = parts[0] == "1";
                page.known.size = parts[1].toLongLong(&sizeOk);
                page.known.modified = parts[2].toLongLong(&modifiedOk);
                ok = sizeOk && modifiedOk;
            }
            haveStamp = ok;
        } else if (key == "length") {
            length = value.toLongLong(&ok);
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    const qsizetype textStart = headerEnd + 2;
    if (!haveSlot || page.slot < 1 || length < 0 || length % 2 != 0 ||
        bytes.size() - textStart != length) {
        return std::nullopt;
    }
    if (!haveStamp && page.title != DocumentSlots::initialTitle(page.slot)) {
        page.file = page.title; // written before files were stamped
    }
    // A charset this program cannot write: the text is kept, as UTF-8.
    if (page.encoding == TextEncoding::Declared &&
        !encodeText(QString(), page.encoding, page.charset)) {
        page.encoding = TextEncoding::Utf8;
        page.charset.clear();
    }
    page.text.resize(static_cast<qsizetype>(length / 2));
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData() + textStart);
    for (qsizetype i = 0; i < page.text.size(); ++i) {
        page.text[i] = QChar(static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)));
    }
    return page;
}

CrashJournal::CrashJournal(const QString& folder) : m_folder(folder) {
    m_pool.setMaxThreadCount(1); // writes land in the order they were asked for
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return;
    }
    const QString id = QStringLiteral("%1-%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QDateTime::currentMSecsSinceEpoch());
    m_session = QDir(folder).filePath(id);
    m_lock = takeLock(lockFileFor(m_session));
    if (m_lock && !QDir().mkpath(m_session)) {
        m_lock.reset();
    }
}

CrashJournal::~CrashJournal() {
    m_pool.waitForDone();
    // A session with nothing unsaved leaves nothing behind; one with pages
    // keeps them for the next start.
    if (active() && QDir(m_session).isEmpty()) {
        finish();
    }
}

void CrashJournal::store(const Page& page) {
    if (!active()) {
        return;
    }
    const QString session = m_session;
    m_pool.start([session, page] { writePage(session, page); });
}

void CrashJournal::remove(int slot) {
    if (!active()) {
        return;
    }
    const QString path = pageFile(m_session, slot);
    m_pool.start([path] { QFile::remove(path); });
}

void CrashJournal::flush() {
    m_pool.waitForDone();
}

void CrashJournal::finish() {
    if (!active()) {
        return;
    }
    m_pool.waitForDone();
    QDir(m_session).removeRecursively();
    m_lock.reset(); // removes the lock file
}

std::vector<CrashJournal::Page> CrashJournal::leftPages() {
    std::vector<Page> pages;
    if (!active()) {
        return pages;
    }
    QFileInfoList sessions = QDir(m_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                          QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : sessions) {
        const QString session = info.absoluteFilePath();
        if (session == QFileInfo(m_session).absoluteFilePath()) {
            continue;
        }
        const bool claimedAlready =
            std::any_of(m_claimed.begin(), m_claimed.end(),
                        [&](const Claimed& claimed) { return claimed.folder == session; });
        if (claimedAlready) {
            continue;
        }
        std::unique_ptr<QLockFile> lock = takeLock(lockFileFor(session));
        if (!lock) {
            continue; // another program is running with it
        }
        const QStringList files =
            QDir(session).entryList({QStringLiteral("slot*.page")}, QDir::Files);
        for (const QString& name : files) {
            QFile file(QDir(session).filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                continue;
            }
            if (std::optional<Page> page = decode(file.readAll())) {
                page->origin = file.fileName();
                pages.push_back(std::move(*page));
            }
        }
        m_claimed.push_back({session, std::move(lock)});
    }
    return pages;
}

void CrashJournal::discardLeft(const std::vector<Page>& keep) {
    for (Claimed& claimed : m_claimed) {
        QDir folder(claimed.folder);
        const auto kept = [&](const QString& path) {
            return std::any_of(keep.begin(), keep.end(),
                               [&](const Page& page) { return page.origin == path; });
        };
        bool keptAny = false;
        for (const QString& name : folder.entryList(QDir::Files)) {
            if (kept(folder.filePath(name))) {
                keptAny = true;
            } else {
                folder.remove(name);
            }
        }
        if (!keptAny) {
            folder.removeRecursively();
        }
        claimed.lock.reset(); // a kept page is a left page again
    }
    m_claimed.clear();
}

} // namespace markwright
