#include "preview/ElementLink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace markwright::elementlink {

namespace {
const char* const Script = R"JS((function() {
  var token = %1;
  var host = null, box = null, label = null, lit = null, lastContext = null;
  function elementOf(node) {
    return node && node.nodeType !== 1 ? node.parentElement : node;
  }
  function describe(el) {
    var indices = [], names = [];
    for (; el && el !== document.documentElement; el = el.parentElement) {
      if (!el.parentElement) return null;
      indices.unshift(Array.prototype.indexOf.call(el.parentElement.children, el));
      names.unshift(el.localName);
    }
    if (!el) return null;
    names.unshift(el.localName);
    return {indices: indices, names: names};
  }
  function find(indices, names) {
    var el = document.documentElement;
    if (!el || el.localName !== names[0]) return null;
    for (var i = 0; i < indices.length; ++i) {
      el = el.children[indices[i]];
      if (!el || el.localName !== names[i + 1]) return null;
    }
    return el;
  }
  function ensureHost() {
    if (host && host.isConnected) return;
    host = document.createElement('markwright-outline');
    host.style.cssText = 'all: initial; position: fixed; left: 0; top: 0; width: 0; ' +
        'height: 0; pointer-events: none; z-index: 2147483647';
    var root = host.attachShadow({mode: 'closed'});
    box = document.createElement('div');
    box.style.cssText = 'position: fixed; box-sizing: border-box; pointer-events: none; ' +
        'border: 2px solid #3a6ed8; background: rgba(58, 110, 216, 0.08)';
    label = document.createElement('div');
    label.style.cssText = 'position: fixed; pointer-events: none; padding: 0 4px; ' +
        'font: 11px/16px sans-serif; color: #fff; background: #3a6ed8; white-space: nowrap';
    root.appendChild(box);
    root.appendChild(label);
    document.documentElement.appendChild(host);
  }
  function place() {
    if (!host) return;
    if (!lit || !lit.isConnected) { host.style.display = 'none'; return; }
    var r = lit.getBoundingClientRect();
    host.style.display = 'block';
    box.style.left = r.left + 'px';
    box.style.top = r.top + 'px';
    box.style.width = r.width + 'px';
    box.style.height = r.height + 'px';
    label.textContent = lit.localName;
    label.style.left = Math.max(0, r.left) + 'px';
    label.style.top = Math.max(0, r.top - 16) + 'px';
  }
  window.addEventListener('scroll', place, true);
  window.addEventListener('resize', place);
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
    light: function(indices, names) {
      lit = indices === null ? null : find(indices, names);
      if (!lit) { place(); return false; }
      ensureHost();
      var r = lit.getBoundingClientRect();
      if (r.bottom < 0 || r.top > innerHeight || r.right < 0 || r.left > innerWidth) {
        lit.scrollIntoView({block: 'center', inline: 'nearest'});
      }
      place();
      return true;
    },
    context: function() { return lastContext; },
    lit: function() {
      if (!lit || !host || host.style.display === 'none') return null;
      var d = describe(lit), r = box.getBoundingClientRect();
      d.box = [r.left, r.top, r.width, r.height];
      return d;
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
        return QStringLiteral("window.__markwrightLink && window.__markwrightLink.light(null)");
    }
    QJsonArray indices;
    for (int i : path.indices) {
        indices.append(i);
    }
    QJsonArray names;
    for (const QByteArray& name : path.names) {
        names.append(QString::fromUtf8(name));
    }
    return QStringLiteral("window.__markwrightLink && window.__markwrightLink.light(%1, %2)")
        .arg(json(indices), json(names));
}

QString contextCall() {
    return QStringLiteral("window.__markwrightLink ? window.__markwrightLink.context() : null");
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
