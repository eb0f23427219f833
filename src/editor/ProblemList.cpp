#include "editor/ProblemList.h"

#include "editor/ProblemMarks.h"
#include "editor/SourcePane.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace markwright {

ProblemList::ProblemList(ProblemMarks& marks, SourcePane& pane, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_marks(marks), m_pane(pane), m_list(new QTreeWidget(this)),
      m_summary(new QLabel(this)) {
    setObjectName(QStringLiteral("ProblemList"));
    setWindowTitle(tr("Problems"));
    m_list->setObjectName(QStringLiteral("problemRows"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Line"), tr("Problem")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    resize(560, 260);
    connect(&m_marks, &ProblemMarks::changed, this, [this] {
        if (isVisible()) {
            fill();
        }
    });
    // Enter, a double click, or a single click on a row.
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { choose(m_list->indexOfTopLevelItem(item)); });
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { choose(m_list->indexOfTopLevelItem(item)); });
}

void ProblemList::open() {
    fill();
    show();
    raise();
    activateWindow();
    m_list->setFocus();
}

void ProblemList::fill() {
    m_list->clear();
    // A page with very many problems lists the first thousands: the
    // margin and F8 reach the rest.
    constexpr int MaxRows = 5000;
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < m_marks.count() && i < MaxRows; ++i) {
        auto* row = new QTreeWidgetItem(
            {QString::number(m_marks.lineOf(i)), m_marks.items()[std::size_t(i)].message});
        row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        rows.push_back(row);
    }
    m_list->addTopLevelItems(rows);
    const int n = m_marks.count();
    m_summary->setText(n == 0   ? tr("No problems found.")
                       : n == 1 ? tr("1 problem")
                                : tr("%1 problems").arg(n));
    if (!rows.isEmpty()) {
        m_list->setCurrentItem(rows.front());
    }
}

void ProblemList::choose(int row) {
    if (row >= 0) {
        m_marks.goTo(row);
        m_pane.giveFocus();
    }
}

} // namespace markwright
