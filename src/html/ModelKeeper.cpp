#include "html/ModelKeeper.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace markwright::html {

struct ModelKeeper::Job {
    int slot = 0;
    quint64 revision = 0;
    QByteArray page;
    CheckOptions options;
    std::atomic<bool> cancel{false};
};

namespace {
struct Made {
    std::shared_ptr<const HtmlModel> model;
    std::shared_ptr<const std::vector<Problem>> problems;
};
} // namespace

ModelKeeper::ModelKeeper(QObject* parent) : QObject(parent) {}

ModelKeeper::~ModelKeeper() {
    if (m_running != nullptr) {
        m_running->cancel = true;
    }
}

void ModelKeeper::request(int slot, quint64 revision, QByteArray page, CheckOptions options) {
    auto job = std::make_shared<Job>();
    job->slot = slot;
    job->revision = revision;
    job->page = std::move(page);
    job->options = std::move(options);
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
    auto* watcher = new QFutureWatcher<Made>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, job] {
        watcher->deleteLater();
        Made made = watcher->result();
        m_running.reset();
        if (m_next != nullptr) {
            m_running = std::move(m_next);
            start();
        }
        if (made.model != nullptr && made.problems != nullptr && !job->cancel) {
            m_slot = job->slot;
            m_revision = job->revision;
            m_model = std::move(made.model);
            m_problems = std::move(made.problems);
            emit ready(m_slot, m_revision);
        }
    });
    watcher->setFuture(QtConcurrent::run([job]() -> Made {
        Made made;
        std::optional<HtmlModel> model = HtmlModel::parse(job->page, &job->cancel);
        if (model) {
            std::optional<std::vector<Problem>> problems =
                checkPage(*model, job->page, job->options, &job->cancel);
            if (problems) {
                made.problems = std::make_shared<const std::vector<Problem>>(std::move(*problems));
                made.model = std::make_shared<const HtmlModel>(std::move(*model));
            }
        }
        job->page = QByteArray(); // the worker lets go of the copy
        return made;
    }));
}

std::shared_ptr<const HtmlModel> ModelKeeper::model(int slot, quint64 revision) const {
    return slot == m_slot && revision == m_revision ? m_model : nullptr;
}

std::shared_ptr<const std::vector<Problem>> ModelKeeper::problems(int slot,
                                                                  quint64 revision) const {
    return slot == m_slot && revision == m_revision ? m_problems : nullptr;
}

} // namespace markwright::html
