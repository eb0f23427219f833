#include "support/PanePlaces.h"

double& placementValue(panes::Placement& l, const QByteArray& name) {
    static const QByteArrayList controls{"picTitles",  "lblTitle0",   "lblTitle1",   "Toolbar1",
                                         "TabStrip1",  "Back",        "cmdNext",     "TabStrip2",
                                         "htmlSource", "imgSplitter", "picSplitter", "htmlPreview",
                                         "StatusBar1"};
    if (name.startsWith("tabWidth")) {
        return name == "tabWidth1" ? l.tabWidth1 : l.tabWidth2;
    }
    const QByteArrayList parts = name.split('.');
    panes::Box& box = l.boxes.at(controls.indexOf(parts[0]));
    const QByteArray field = parts.value(1);
    return field == "left"
               ? box.left
               : (field == "top" ? box.top : (field == "width" ? box.width : box.height));
}
