#include "windows/FrmAbout.h"

#include "windows/ProductPicture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace markwright {

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Markwright"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* picture = new QLabel(this);
    picture->setPixmap(productPicture(QSize(300, 233)));
    auto* name = new QLabel(QStringLiteral("Markwright"), this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont black(QStringLiteral("Arial Black"));
    black.setPointSize(20);
    black.setWeight(QFont::Black);
    name->setFont(black);
    auto* maker = new QLabel(QStringLiteral("Tollvane"), this);
    maker->setObjectName(QStringLiteral("lblMaker"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("cmdAceptar"));
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(maker);
    text->addStretch(1);
    text->addWidget(exit, 0, Qt::AlignRight);
    auto* row = new QHBoxLayout(this);
    row->addWidget(picture);
    row->addLayout(text);
}

} // namespace markwright
