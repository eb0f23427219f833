#include "html/HtmlTables.h"

#include <QList>
#include <algorithm>

namespace markwright::html {

namespace {
#include "html/HtmlTablesText.inc"

QList<QByteArray> words(QByteArrayView text) {
    QList<QByteArray> out;
    for (const QByteArray& word : text.toByteArray().simplified().split(' ')) {
        if (!word.isEmpty()) {
            out.push_back(word);
        }
    }
    return out;
}

// Lines of a data file without comments and blank lines.
QList<QByteArray> lines(QByteArrayView text) {
    QList<QByteArray> out;
    for (const QByteArray& line : text.toByteArray().split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith('#')) {
            out.push_back(trimmed);
        }
    }
    return out;
}
} // namespace

const HtmlTables& HtmlTables::standard() {
    static const HtmlTables tables(kElementsText, kEntitiesText, kValuesText);
    return tables;
}

HtmlTables::HtmlTables(QByteArrayView elements, QByteArrayView entities, QByteArrayView values) {
    for (const QByteArray& line : lines(values)) {
        // attribute [element...] : values
        const qsizetype colon = line.indexOf(':');
        const QList<QByteArray> head =
            words(QByteArrayView(line).first(std::max<qsizetype>(colon, 0)));
        if (colon < 0 || head.isEmpty()) {
            continue;
        }
        const QList<QByteArray> listed = words(QByteArrayView(line).sliced(colon + 1));
        if (head.front() == "boolean") {
            for (const QByteArray& name : listed) {
                m_booleans.insert(name);
            }
            continue;
        }
        Values entry;
        for (const QByteArray& element : head.mid(1)) {
            entry.elements.insert(element);
        }
        entry.values = listed;
        m_values[head.front()].push_back(std::move(entry));
    }
    for (const QByteArray& line : lines(elements)) {
        // name [kind...] : attributes [| obsolete attributes]
        const qsizetype colon = line.indexOf(':');
        if (colon < 0) {
            continue;
        }
        const QList<QByteArray> head = words(QByteArrayView(line).first(colon));
        if (head.isEmpty()) {
            continue;
        }
        QByteArrayView rest = QByteArrayView(line).sliced(colon + 1);
        const qsizetype bar = rest.indexOf('|');
        ElementInfo info;
        info.name = head.front();
        for (const QByteArray& kind : head.mid(1)) {
            info.isVoid |= kind == "void";
            info.optionalEnd |= kind == "optional";
            info.raw |= kind == "raw";
            info.obsolete |= kind == "obsolete";
        }
        for (const QByteArray& a : words(bar < 0 ? rest : rest.first(bar))) {
            info.attributes.insert(a);
        }
        if (bar >= 0) {
            for (const QByteArray& a : words(rest.sliced(bar + 1))) {
                info.obsoleteAttributes.insert(a);
            }
        }
        if (info.name == "*") {
            m_global = std::move(info);
            continue;
        }
        m_byName.insert(info.name, static_cast<int>(m_elements.size()));
        m_elements.push_back(std::move(info));
    }
    for (const QByteArray& line : lines(entities)) {
        for (QByteArray name : words(line)) {
            if (name.endsWith('*')) {
                name.chop(1);
                m_legacyReferences.insert(name);
            }
            m_references.insert(name);
        }
    }
}

const HtmlTables::ElementInfo* HtmlTables::element(QByteArrayView name) const {
    const auto found = m_byName.constFind(QByteArray::fromRawData(name.data(), name.size()));
    return found == m_byName.cend() ? nullptr : &m_elements[static_cast<std::size_t>(*found)];
}

bool HtmlTables::takes(const ElementInfo& info, QByteArrayView name) const {
    const QByteArray key = QByteArray::fromRawData(name.data(), name.size());
    if (info.attributes.contains(key) || m_global.attributes.contains(key)) {
        return true;
    }
    // data-*, aria-* and the event handlers (on...) belong to every element.
    return (name.startsWith("data-") && name.size() > 5) || name.startsWith("aria-") ||
           (name.startsWith("on") && name.size() > 2);
}

bool HtmlTables::isObsoleteAttribute(const ElementInfo& info, QByteArrayView name) const {
    const QByteArray key = QByteArray::fromRawData(name.data(), name.size());
    return info.obsoleteAttributes.contains(key) || m_global.obsoleteAttributes.contains(key);
}

QByteArrayList HtmlTables::elementNames() const {
    QByteArrayList names;
    for (const ElementInfo& info : m_elements) {
        if (!info.obsolete) {
            names.append(info.name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

QByteArrayList HtmlTables::attributeNames(const ElementInfo& info,
                                          const QByteArrayList& present) const {
    QByteArrayList names;
    for (const QSet<QByteArray>* set : {&info.attributes, &m_global.attributes}) {
        for (const QByteArray& name : *set) {
            if (!present.contains(name) && !names.contains(name) && name != "xmlns" &&
                !name.startsWith("xml:")) {
                names.append(name);
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

QByteArrayList HtmlTables::values(QByteArrayView element, QByteArrayView attribute) const {
    const QByteArray name = attribute.toByteArray();
    if (m_booleans.contains(name)) {
        return {name};
    }
    const QByteArray on = element.toByteArray();
    const QList<Values> entries = m_values.value(name);
    for (const Values& entry : entries) {
        if (entry.elements.contains(on)) {
            return entry.values;
        }
    }
    for (const Values& entry : entries) {
        if (entry.elements.isEmpty()) {
            return entry.values;
        }
    }
    return {};
}

QByteArrayList HtmlTables::referenceNames() const {
    QByteArrayList names(m_references.begin(), m_references.end());
    std::sort(names.begin(), names.end());
    return names;
}

bool HtmlTables::isCharacterReference(QByteArrayView name) const {
    return m_references.contains(QByteArray::fromRawData(name.data(), name.size()));
}

bool HtmlTables::startsWithOldReference(QByteArrayView name) const {
    for (qsizetype length = name.size(); length >= 2; --length) {
        if (m_legacyReferences.contains(QByteArray::fromRawData(name.data(), length))) {
            return true;
        }
    }
    return false;
}

} // namespace markwright::html
