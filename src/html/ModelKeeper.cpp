#include "html/ModelKeeper.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace markwright::html {

struct ModelKeeper::Job {
    int slot = 0;
    quint64 revision = 0;
    QByteArray page;
    std::atomic<bool> cancel{false};
};

ModelKeeper::ModelKeeper(QObject* parent) : QObject(parent) {}

ModelKeeper::~ModelKeeper() {
    if (m_running != nullptr) {
        m_running->cancel = true;
    }
}

void ModelKeeper::request(int slot, quint64 revision, QByteArray page) {
    auto job = std::make_shared<Job>();
    job->slot = slot;
    job->revision = revision;
    job->page = std::move(page);
    if (m_running != nullptr) {
        // One parse at a time: the one under way gives up, this one waits.
        m_running->cancel = true;
        m_next = std::move(job);
        return;
    }
    m_running = std::move(job);
    start();
}

void ModelKeeper::start() {
    const std::shared_ptr<Job> job = m_running;
    auto* watcher = new QFutureWatcher<std::shared_ptr<const HtmlModel>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, job] {
        watcher->deleteLater();
        std::shared_ptr<const HtmlModel> made = watcher->result();
        m_running.reset();
        if (m_next != nullptr) {
            m_running = std::move(m_next);
            start();
        }
        if (made != nullptr && !job->cancel) {
            m_slot = job->slot;
            m_revision = job->revision;
            m_model = std::move(made);
            emit ready(m_slot, m_revision);
        }
    });
    watcher->setFuture(QtConcurrent::run([job]() -> std::shared_ptr<const HtmlModel> {
        std::optional<HtmlModel> model = HtmlModel::parse(job->page, &job->cancel);
        job->page = QByteArray(); // the worker lets go of the copy
        if (!model) {
            return nullptr;
        }
        return std::make_shared<const HtmlModel>(std::move(*model));
    }));
}

std::shared_ptr<const HtmlModel> ModelKeeper::model(int slot, quint64 revision) const {
    return slot == m_slot && revision == m_revision ? m_model : nullptr;
}

} // namespace markwright::html
