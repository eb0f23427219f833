#pragma once

#include "html/HtmlModel.h"
#include "html/PageCheck.h"

#include <QObject>
#include <atomic>
#include <memory>

namespace markwright::html {

// Parses pages into HTML models on a worker, one at a time, and checks each
// page for problems there too: a newer request gives up the work under way
// (or has its result thrown away), so only the model and problems of the
// latest text are ever handed out. Each is tagged with the slot and the
// text revision it was made from.
class ModelKeeper : public QObject {
    Q_OBJECT

  public:
    explicit ModelKeeper(QObject* parent = nullptr);
    ~ModelKeeper() override;

    // Parses `page`, the text of slot `slot` at `revision`, and checks it
    // with `options`.
    void request(int slot, quint64 revision, QByteArray page, CheckOptions options = {});
    // The model of slot `slot` at `revision`, or null when there is none (yet).
    std::shared_ptr<const HtmlModel> model(int slot, quint64 revision) const;
    // The problems found in that text, or null.
    std::shared_ptr<const std::vector<Problem>> problems(int slot, quint64 revision) const;

  signals:
    // The model of slot `slot` at `revision` is ready.
    void ready(int slot, quint64 revision);

  private:
    struct Job;
    void start();

    std::shared_ptr<Job> m_running;
    std::shared_ptr<Job> m_next;
    int m_slot = 0;
    quint64 m_revision = 0;
    std::shared_ptr<const HtmlModel> m_model;
    std::shared_ptr<const std::vector<Problem>> m_problems;
};

} // namespace markwright::html
