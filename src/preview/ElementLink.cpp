#include "preview/ElementLink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace markwright::elementlink {

namespace {
const char* const Script = R"JS((function() {
  var token = %1;
  var lit = null, lastContext = null;
  function elementOf(node) {
    return node && node.nodeType !== 1 ? node.parentElement : node;
  }
  function describe(el) {
    var indices = [], names = [];
    for (; el && el !== document.documentElement; el = el.parentElement) {
      if (!el.parentElement) return null;
      indices.unshift(Array.prototype.indexOf.call(el.parentElement.children, el));
      names.unshift(el.localName.toLowerCase());
    }
    if (!el) return null;
    names.unshift(el.localName.toLowerCase());
    return {indices: indices, names: names};
  }
  function find(indices, names) {
    var el = document.documentElement;
    if (!el || el.localName.toLowerCase() !== names[0]) return null;
    for (var i = 0; i < indices.length; ++i) {
      el = el.children[indices[i]];
      if (!el || el.localName.toLowerCase() !== names[i + 1]) return null;
    }
    return el;
  }
  document.addEventListener('contextmenu', function(e) {
    var el = elementOf(e.target);
    lastContext = el ? describe(el) : null;
  }, true);
  document.addEventListener('click', function(e) {
    if (!e.ctrlKey) return;
    var el = elementOf(e.target), d = el ? describe(el) : null;
    if (!d) return;
    e.preventDefault();
    e.stopImmediatePropagation();
    console.log(token + JSON.stringify(d));
  }, true);
  window.__markwrightLink = {
    // The element's box in the document and the page's scroll, after
    // scrolling the element into view when none of it was; null for none.
    light: function(indices, names) {
      lit = indices === null ? null : find(indices, names);
      if (!lit) return null;
      var r = lit.getBoundingClientRect();
      if (r.bottom < 0 || r.top > innerHeight || r.right < 0 || r.left > innerWidth) {
        lit.scrollIntoView({block: 'center', inline: 'nearest'});
        r = lit.getBoundingClientRect();
      }
      return {box: [r.left + scrollX, r.top + scrollY, r.width, r.height],
              scroll: [scrollX, scrollY], name: lit.localName};
    },
    context: function() { return lastContext; },
    // The names from <html> down to the element last found, and its box in
    // the view; null for none.
    lit: function() {
      if (!lit || !lit.isConnected) return null;
      var names = [], r = lit.getBoundingClientRect();
      for (var el = lit; el; el = el.parentElement) names.unshift(el.localName);
      return {names: names, box: [r.left, r.top, r.width, r.height]};
    }
  };
})();)JS";

QString json(const QJsonValue& value) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}
} // namespace

QString script(const QString& token) {
    return QString::fromLatin1(Script).arg(json(token));
}

QString lightCall(const PreviewPane::ElementPath& path) {
    if (path.names.empty()) {
        return QStringLiteral(
            "window.__markwrightLink ? window.__markwrightLink.light(null) : null");
    }
    QJsonArray indices;
    for (int i : path.indices) {
        indices.append(i);
    }
    QJsonArray names;
    for (const QByteArray& name : path.names) {
        names.append(QString::fromUtf8(name));
    }
    return QStringLiteral("window.__markwrightLink ? window.__markwrightLink.light(%1, %2) : null")
        .arg(json(indices), json(names));
}

QString contextCall() {
    return QStringLiteral("window.__markwrightLink ? window.__markwrightLink.context() : null");
}

std::optional<Found> foundFrom(const QVariant& answer) {
    const QVariantMap map = answer.toMap();
    const QVariantList box = map.value(QStringLiteral("box")).toList();
    const QVariantList scroll = map.value(QStringLiteral("scroll")).toList();
    if (box.size() != 4 || scroll.size() != 2) {
        return std::nullopt;
    }
    return Found{QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble()),
                 QPointF(scroll[0].toDouble(), scroll[1].toDouble()),
                 map.value(QStringLiteral("name")).toString()};
}

std::optional<PreviewPane::ElementPath> pathFrom(const QVariant& report) {
    QJsonObject object;
    if (report.typeId() == QMetaType::QString) {
        object = QJsonDocument::fromJson(report.toString().toUtf8()).object();
    } else {
        object = QJsonObject::fromVariantMap(report.toMap());
    }
    const QJsonArray indices = object.value(QLatin1String("indices")).toArray();
    const QJsonArray names = object.value(QLatin1String("names")).toArray();
    if (names.isEmpty() || names.size() != indices.size() + 1) {
        return std::nullopt;
    }
    PreviewPane::ElementPath path;
    for (const QJsonValue& index : indices) {
        if (!index.isDouble() || index.toDouble() < 0) {
            return std::nullopt;
        }
        path.indices.push_back(index.toInt());
    }
    for (const QJsonValue& name : names) {
        path.names.push_back(name.toString().toUtf8());
    }
    return path;
}

} // namespace markwright::elementlink
