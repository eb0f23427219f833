#include "windows/FrmWeb.h"

#include "platform/Launcher.h"
#include "dialogs/Prompts.h"
#include "platform/Platform.h"
#include "windows/ProductPicture.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace markwright {

const char* const FrmWeb::HomePage = "https://www.tollvane.com/markwright/";
const char* const FrmWeb::SalesPage = "https://www.tollvane.com/markwright/order/";
const char* const FrmWeb::DownloadPage = "https://www.tollvane.com/markwright/download/";

FrmWeb::FrmWeb(Launcher& launcher, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_launcher(launcher), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmWeb"));
    setWindowTitle(QStringLiteral("Web Pages"));
    setAttribute(Qt::WA_DeleteOnClose);

    struct Row {
        const char* label;
        const char* address;
        const char* button;
        const char* caption;
    };
    const Row rows[] = {
        {"Tollvane Home Page:", HomePage, "cmdGo", "Go To Web"},
        {"Tollvane Sales Page:", SalesPage, "Command1", "Go to Web"},
        {"Tollvane Download Page:", DownloadPage, "Command2", "Go To Web"},
    };
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(QLatin1String(rows[i].label), this), i, 0);
        auto* url = new QLineEdit(QLatin1String(rows[i].address), this);
        url->setObjectName(QStringLiteral("txtUrl%1").arg(i));
        url->setMinimumWidth(300);
        grid->addWidget(url, i, 1);
        m_urls[static_cast<std::size_t>(i)] = url;
        auto* go = new QPushButton(QLatin1String(rows[i].caption), this);
        go->setObjectName(QLatin1String(rows[i].button));
        connect(go, &QPushButton::clicked, this, [this, i] { openPage(i); });
        grid->addWidget(go, i, 2);
    }

    auto* connection = new QGroupBox(QStringLiteral("Are you connected to the internet?"), this);
    auto* connect_ = new QPushButton(QStringLiteral("Connect"), connection);
    connect_->setObjectName(QStringLiteral("cmdConnect"));
    auto* disconnect_ = new QPushButton(QStringLiteral("Disconnect"), connection);
    disconnect_->setObjectName(QStringLiteral("cmdDisconnect"));
    connect(connect_, &QPushButton::clicked, this, [] { platform::autodial(); });
    connect(disconnect_, &QPushButton::clicked, this, [] { platform::autodialHangup(); });
    auto* connectionRow = new QHBoxLayout(connection);
    connectionRow->addWidget(connect_);
    connectionRow->addWidget(disconnect_);

    auto* quit = new QPushButton(QStringLiteral("Cancel"), this);
    quit->setObjectName(QStringLiteral("cmdQuit"));
    connect(quit, &QPushButton::clicked, this, &QDialog::close);

    auto* picture = new QLabel(this);
    picture->setPixmap(productPicture(QSize(160, 124)));
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    status->showMessage(QStringLiteral("Markwright on the web"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(connection);
    bottom->addStretch(1);
    bottom->addWidget(quit, 0, Qt::AlignBottom);
    auto* right = new QVBoxLayout;
    right->addLayout(grid);
    right->addLayout(bottom);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(status);
}

void FrmWeb::openPage(int row) {
    const QString address = m_urls[static_cast<std::size_t>(row)]->text();
    const std::optional<QString> browser = m_launcher.defaultBrowser();
    if (!browser) {
        m_prompts.message(QStringLiteral("Could not open your Browser"),
                          QStringLiteral("Browser Not Found"), Prompts::Icon::Warning);
        return;
    }
    if (!m_launcher.openWith(*browser, address)) {
        m_prompts.message(QStringLiteral("Web Page not Opened"), QStringLiteral("URL Failed"),
                          Prompts::Icon::Warning);
    }
}

} // namespace markwright
