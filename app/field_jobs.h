// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own small pool for field solves: the gallery's sections and
// the field line beneath the calculator windows run here, never on Qt's
// global pool (which the raster painter uses to draw, so solves queued
// there would stall every repaint).
//
// A job belongs to an owner (a QObject living on the GUI thread) and a key
// chosen by the owner; a newer job under the same owner and key cancels the
// older one. A cancelled job that has not started is taken off the queue; a
// running one sees its cancel flag set (the field solver stops at its next
// mesh) and whatever it returns is dropped. What a job returns runs on the
// GUI thread, and only when the job is still current and its owner alive.
// At quit everything is cancelled, so quitting waits at most for the meshes
// being solved at that moment.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include <QObject>
#include <QThreadPool>

class QRunnable;

namespace tarvel::ui {

class FieldJobs : public QObject {
    Q_OBJECT
public:
    // Runs on a pool thread; returns what to do on the GUI thread with the
    // result (may be empty).
    using Work = std::function<std::function<void()>(const std::atomic<bool>& cancel)>;

    // The program's pool, created on first use as a child of the
    // application (at most two threads, fewer on a one-core machine).
    static FieldJobs& instance();

    // Higher priorities leave the queue first.
    void submit(QObject* owner, int key, Work work, int priority = 0);
    void cancel(QObject* owner, int key);
    void cancelAll(QObject* owner);
    // Every job of every owner (at quit).
    void cancelEverything();

    // Whether a job of this owner and key is queued or running and not cancelled.
    bool pending(const QObject* owner, int key) const;
    // Jobs not yet finished, cancelled or not.
    int unfinished() const { return int(jobs_.size()); }
    int threads() const { return pool_.maxThreadCount(); }
    // Waits for the pool's threads to finish what they run and hands the
    // results over; false when `ms` passed first.
    bool waitForIdle(int ms);

    ~FieldJobs() override;

private:
    explicit FieldJobs(QObject* parent);
    struct Record {
        QObject* owner;
        int key;
        std::shared_ptr<std::atomic<bool>> cancel;
        QRunnable* runnable; // owned here; the pool never deletes it
    };
    void finished(std::uint64_t id, const std::function<void()>& deliver);
    void cancel(std::map<std::uint64_t, Record>::iterator it);
    void watch(QObject* owner);

    QThreadPool pool_;
    std::map<std::uint64_t, Record> jobs_;
    std::map<QObject*, QMetaObject::Connection> watched_;
    std::uint64_t next_ = 0;
};

} // namespace tarvel::ui
