#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <vector>

namespace markwright::html {

// What HTML knows by name: its elements with the attributes each takes and
// how its tags are written, the values of its attributes, and its named
// character references. Read once from data files compiled into the program
// (resources/html/).
class HtmlTables {
  public:
    struct ElementInfo {
        QByteArray name;
        bool isVoid = false;      // no end tag (<br>)
        bool optionalEnd = false; // the end tag may be left out (<p>, <li>)
        bool raw = false;         // holds text only (<script>, <textarea>)
        bool obsolete = false;    // no longer part of HTML (<font>)
        QSet<QByteArray> attributes;
        QSet<QByteArray> obsoleteAttributes;
    };

    // The tables of the HTML this program knows.
    static const HtmlTables& standard();

    // Reads tables in the data files' format (see resources/html/).
    HtmlTables(QByteArrayView elements, QByteArrayView entities, QByteArrayView values = {});

    // The element named `name` (lower case), or null for one HTML lacks.
    const ElementInfo* element(QByteArrayView name) const;
    const std::vector<ElementInfo>& elements() const { return m_elements; }

    // Whether element `info` takes attribute `name` (lower case): its own,
    // the global ones, data-*, aria-* and event handlers. Obsolete
    // attributes are not counted here.
    bool takes(const ElementInfo& info, QByteArrayView name) const;
    // Whether `name` is an obsolete attribute of `info` (or of every element).
    bool isObsoleteAttribute(const ElementInfo& info, QByteArrayView name) const;
    const QSet<QByteArray>& globalAttributes() const { return m_global.attributes; }

    // For completion, sorted: the current (not obsolete) elements' names;
    // the attributes element `info` takes besides `present` (its own and
    // the global ones); the values attribute `attribute` takes on `element`
    // (a boolean attribute: its own name); the character references.
    QByteArrayList elementNames() const;
    QByteArrayList attributeNames(const ElementInfo& info, const QByteArrayList& present) const;
    QByteArrayList values(QByteArrayView element, QByteArrayView attribute) const;
    QByteArrayList referenceNames() const;

    // Whether `name` (without '&' and ';') is a named character reference.
    bool isCharacterReference(QByteArrayView name) const;
    // Whether `name` begins with one of the old references browsers read
    // without the ';' too ("copyx" begins with "copy").
    bool startsWithOldReference(QByteArrayView name) const;

  private:
    std::vector<ElementInfo> m_elements;
    QHash<QByteArray, int> m_byName;
    ElementInfo m_global;
    QSet<QByteArray> m_references;
    struct Values {
        QSet<QByteArray> elements; // empty: every element
        QByteArrayList values;
    };
    QHash<QByteArray, QList<Values>> m_values; // by attribute
    QSet<QByteArray> m_booleans;
    QSet<QByteArray> m_legacyReferences;
};

} // namespace markwright::html
