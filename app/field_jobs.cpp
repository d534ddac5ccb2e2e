// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_jobs.h"

#include <algorithm>

#include <QCoreApplication>
#include <QPointer>
#include <QRunnable>
#include <QThread>

namespace tarvel::ui {

namespace {

// One job on the pool. Nothing of the job is touched after it has posted
// its end: the GUI thread deletes it then, maybe before run() returns.
class Job : public QRunnable {
public:
    Job(FieldJobs* jobs, std::uint64_t id, FieldJobs::Work work, std::shared_ptr<std::atomic<bool>> cancel)
        : jobs_(jobs), id_(id), work_(std::move(work)), cancel_(std::move(cancel))
    {
        setAutoDelete(false);
    }
    std::function<void(std::uint64_t, std::function<void()>)> ended;

    void run() override
    {
        std::function<void()> deliver;
        if (!cancel_->load())
            try {
                deliver = work_(*cancel_);
            } catch (...) {
                // Out of memory in a solve: the job ends with nothing to show.
                deliver = {};
            }
        auto end = ended;
        const std::uint64_t id = id_;
        QMetaObject::invokeMethod(
            jobs_, [end, id, deliver = std::move(deliver)] { end(id, deliver); }, Qt::QueuedConnection);
    }

private:
    FieldJobs* jobs_;
    std::uint64_t id_;
    FieldJobs::Work work_;
    std::shared_ptr<std::atomic<bool>> cancel_;
};

} // namespace

FieldJobs& FieldJobs::instance()
{
    static QPointer<FieldJobs> jobs;
    if (!jobs) {
        jobs = new FieldJobs(QCoreApplication::instance());
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, jobs,
                         &FieldJobs::cancelEverything);
    }
    return *jobs;
}

FieldJobs::FieldJobs(QObject* parent) : QObject(parent)
{
    pool_.setObjectName(QStringLiteral("FieldJobs"));
    pool_.setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 1, 2));
    // A field solve is CPU work at normal priority; the GUI thread must win.
    pool_.setThreadPriority(QThread::LowPriority);
}

FieldJobs::~FieldJobs()
{
    cancelEverything();
    pool_.waitForDone();
    for (auto& [id, r] : jobs_)
        delete r.runnable;
    jobs_.clear();
    for (auto& [owner, c] : watched_)
        disconnect(c);
}

void FieldJobs::watch(QObject* owner)
{
    if (watched_.count(owner))
        return;
    watched_[owner] = connect(owner, &QObject::destroyed, this, [this, owner] {
        cancelAll(owner);
        watched_.erase(owner);
    });
}

void FieldJobs::submit(QObject* owner, int key, Work work, int priority)
{
    cancel(owner, key);
    watch(owner);
    const std::uint64_t id = ++next_;
    auto flag = std::make_shared<std::atomic<bool>>(false);
    auto* job = new Job(this, id, std::move(work), flag);
    job->ended = [this](std::uint64_t i, std::function<void()> deliver) { finished(i, deliver); };
    jobs_.emplace(id, Record{owner, key, flag, job});
    pool_.start(job, priority);
}

void FieldJobs::cancel(std::map<std::uint64_t, Record>::iterator it)
{
    it->second.cancel->store(true);
    // Not started yet: off the queue at once.
    if (pool_.tryTake(it->second.runnable)) {
        delete it->second.runnable;
        jobs_.erase(it);
    }
}

void FieldJobs::cancel(QObject* owner, int key)
{
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        auto next = std::next(it);
        if (it->second.owner == owner && it->second.key == key && !it->second.cancel->load())
            cancel(it);
        it = next;
    }
}

void FieldJobs::cancelAll(QObject* owner)
{
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        auto next = std::next(it);
        if (it->second.owner == owner)
            cancel(it);
        it = next;
    }
}

void FieldJobs::cancelEverything()
{
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        auto next = std::next(it);
        cancel(it);
        it = next;
    }
}

bool FieldJobs::pending(const QObject* owner, int key) const
{
    for (const auto& [id, r] : jobs_)
        if (r.owner == owner && r.key == key && !r.cancel->load())
            return true;
    return false;
}

void FieldJobs::finished(std::uint64_t id, const std::function<void()>& deliver)
{
    auto it = jobs_.find(id);
    if (it == jobs_.end())
        return;
    const bool current = !it->second.cancel->load();
    delete it->second.runnable;
    jobs_.erase(it);
    if (current && deliver)
        deliver();
}

bool FieldJobs::waitForIdle(int ms)
{
    const bool idle = pool_.waitForDone(ms);
    QCoreApplication::sendPostedEvents(this);
    return idle;
}

} // namespace tarvel::ui
