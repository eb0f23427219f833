#pragma once

#include <QDialog>
#include <array>

class QLineEdit;

namespace markwright {

class Launcher;
class Prompts;

// The web pages window: the maker's three pages, each opened in the
// desktop's browser from the address its box holds at the moment of the
// click, and the dial-up connection.
class FrmWeb : public QDialog {
    Q_OBJECT

  public:
    FrmWeb(Launcher& launcher, Prompts& prompts, QWidget* parent = nullptr);

    // Opens the address of box `row` (0 to 2).
    void openPage(int row);

    static const char* const HomePage;
    static const char* const SalesPage;
    static const char* const DownloadPage;

  private:
    Launcher& m_launcher;
    Prompts& m_prompts;
    std::array<QLineEdit*, 3> m_urls{};
};

} // namespace markwright
