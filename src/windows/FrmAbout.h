#pragma once

#include <QDialog>

namespace markwright {

// The about box: the product picture, the name, the maker and "Exit".
class FrmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit FrmAbout(QWidget* parent = nullptr);
};

} // namespace markwright
