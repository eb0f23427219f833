#include "app/FixedTabBar.h"

namespace markwright {

FixedTabBar::FixedTabBar(QWidget* parent) : QTabBar(parent) {
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    setDrawBase(false);
    setFocusPolicy(Qt::NoFocus);
    // Slim tabs: five captions such as "New Page 1" must fit side by side in
    // half of an 800-pixel window.
    setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 4px; margin-right: 1px; border: 1px solid palette(mid);"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: palette(button); }"
        "QTabBar::tab:selected { background: palette(base); }"));
}

int FixedTabBar::addKeyedTab(const QString& key, const QString& caption) {
    const int index = addTab(QString());
    setTabData(index, key);
    setCaption(index, caption);
    return index;
}

void FixedTabBar::setCaption(int index, const QString& caption) {
    setTabText(index, QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")));
}

QString FixedTabBar::caption(int index) const {
    return tabText(index).replace(QLatin1String("&&"), QLatin1String("&"));
}

QString FixedTabBar::keyAt(int index) const {
    return tabData(index).toString();
}

int FixedTabBar::indexOfKey(const QString& key) const {
    for (int i = 0; i < count(); ++i) {
        if (keyAt(i) == key) {
            return i;
        }
    }
    return -1;
}

void FixedTabBar::setFixedTabWidth(int pixels) {
    if (pixels == m_tabWidth) {
        return;
    }
    m_tabWidth = pixels;
    updateGeometry();
    // Recompute the tab rectangles for the new width.
    setIconSize(iconSize());
    update();
}

QSize FixedTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    if (m_tabWidth > 0) {
        size.setWidth(m_tabWidth);
    }
    return size;
}

QSize FixedTabBar::minimumTabSizeHint(int index) const {
    return tabSizeHint(index);
}

} // namespace markwright
