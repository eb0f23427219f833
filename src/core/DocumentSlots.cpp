#include "core/DocumentSlots.h"

namespace markwright {

DocumentSlots::DocumentSlots(std::function<QString()> paneText) : m_paneText(std::move(paneText)) {}

void DocumentSlots::reset(const QString& pageTemplate, const QString& folder) {
    m_pageTemplate = pageTemplate;
    for (int n = 1; n <= Count; ++n) {
        Slot& slot = at(n);
        slot.text = pageTemplate;
        slot.title = initialTitle(n);
        slot.folder = folder;
        slot.changed = false;
        slot.encoding = TextEncoding::Utf8;
        slot.charset.clear();
    }
}

int DocumentSlots::slotForKey(const QString& key) {
    for (int n = 1; n <= Count; ++n) {
        if (key == keyFor(n)) {
            return n;
        }
    }
    return 0;
}

QString DocumentSlots::keyFor(int n) {
    return QStringLiteral("Document %1").arg(n);
}

QString DocumentSlots::initialTitle(int n) {
    return QStringLiteral("New Page %1").arg(n);
}

QString DocumentSlots::previewFileName(int n) {
    return QStringLiteral("~tmp%1-Mkwr.html").arg(n);
}

QString DocumentSlots::text(int n) const {
    if (n == m_paneSlot && m_paneText) {
        return m_paneText();
    }
    return at(n).text;
}

void DocumentSlots::setStoredText(int n, const QString& text) {
    at(n).text = text;
}

void DocumentSlots::handOverPane(int n) {
    if (valid(m_paneSlot) && m_paneSlot != n && m_paneText) {
        at(m_paneSlot).text = m_paneText();
    }
    m_paneSlot = n;
}

void DocumentSlots::recordEdit(int n, double now) {
    if (!valid(n)) {
        return;
    }
    m_lastEditTime = now;
    m_previewStale = true;
    at(n).changed = true;
    ++at(n).revision;
}

std::vector<int> DocumentSlots::slotsForArrivals(int current, int count) const {
    std::vector<int> chosen;
    for (int k = 0; k < Count && static_cast<int>(chosen.size()) < count; ++k) {
        const int n = (current - 1 + k) % Count + 1;
        if (untouched(n)) {
            chosen.push_back(n);
        }
    }
    if (chosen.empty() && count > 0 && valid(current)) {
        chosen.push_back(current);
    }
    return chosen;
}

} // namespace markwright
