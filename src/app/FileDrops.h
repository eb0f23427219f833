#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

namespace markwright {

// Lets local files be dropped on a window: accepts drags that carry any,
// and hands the dropped paths on once the drop is over, so questions and
// reads never run inside the other program's drag-and-drop loop.
class FileDrops : public QObject {
  public:
    FileDrops(QWidget* window, std::function<void(const QStringList&)> open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QStringList&)> m_open;
};

} // namespace markwright
