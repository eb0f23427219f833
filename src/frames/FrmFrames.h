#pragma once

#include <QDialog>
#include <functional>

namespace markwright {

// The frames wizard: twelve layout pictures in two rows of six, an Exit
// button and a hint. Each picture click hands its layout's button name to
// `choose`; the window stays open until Exit or its close box.
class FrmFrames : public QDialog {
    Q_OBJECT

  public:
    FrmFrames(std::function<void(const QString& button)> choose, QWidget* parent = nullptr);

    static const char* const HintText;
};

} // namespace markwright
