#include "frames/FrmFrames.h"

#include "frames/FramePicture.h"
#include "frames/FramesPages.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace markwright {

const char* const FrmFrames::HintText =
    "Clcik on the above frame images to preview the Frames Page.";

FrmFrames::FrmFrames(std::function<void(const QString& button)> choose, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmFrames"));
    setWindowTitle(QStringLiteral("Insert Frames"));

    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    const QSize pictureSize(72, 54);
    int position = 0;
    for (const frames::FrameLayout& layout : frames::layouts()) {
        auto* button = new QToolButton(this);
        const QString name = QLatin1String(layout.button);
        button->setObjectName(name);
        button->setIcon(QIcon(frames::picture(layout.geometry, pictureSize)));
        button->setIconSize(pictureSize);
        button->setAutoRaise(false);
        button->setToolTip(layout.lines.first());
        connect(button, &QToolButton::clicked, this, [choose, name] { choose(name); });
        grid->addWidget(button, position / 6, position % 6);
        ++position;
    }

    auto* hint = new QLabel(QLatin1String(HintText), this);
    hint->setObjectName(QStringLiteral("Label1"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Command11"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(exit);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(bottom);
    setModal(true);
}

} // namespace markwright
