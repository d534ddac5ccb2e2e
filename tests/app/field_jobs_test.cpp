// SPDX-License-Identifier: GPL-3.0-or-later
// The field pool: jobs replaced, cancelled or orphaned never deliver, queued
// ones that are cancelled never start, running ones stop at their flag, and
// a full pool leaves Qt's global pool (the raster painter's) alone.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QThreadPool>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/field_jobs.h"
#include "fieldsolve/sections.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

struct Tally {
    std::atomic<int> started{0}, finished{0}, stopped{0};
    int delivered = 0;
};

// Work that runs until its flag is set (or a long while passes).
FieldJobs::Work waiting(const std::shared_ptr<Tally>& t)
{
    return [t](const std::atomic<bool>& cancel) -> std::function<void()> {
        ++t->started;
        for (int k = 0; k < 3000 && !cancel.load(); ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (cancel.load()) {
            ++t->stopped;
            return {};
        }
        ++t->finished;
        return [t] { ++t->delivered; };
    };
}

FieldJobs::Work quick(const std::shared_ptr<Tally>& t)
{
    return [t](const std::atomic<bool>&) -> std::function<void()> {
        ++t->started;
        ++t->finished;
        return [t] { ++t->delivered; };
    };
}

struct FieldPool : ::testing::Test {
    void TearDown() override
    {
        FieldJobs::instance().cancelEverything();
        EXPECT_TRUE(FieldJobs::instance().waitForIdle(60000));
        EXPECT_EQ(FieldJobs::instance().unfinished(), 0);
    }
};

} // namespace

TEST_F(FieldPool, CancelledJobsInTheQueueNeverStartAndRunningOnesStop)
{
    FieldJobs& jobs = FieldJobs::instance();
    QObject owner;
    auto t = std::make_shared<Tally>();
    for (int k = 0; k < 40; ++k)
        jobs.submit(&owner, k, waiting(t));
    QTRY_COMPARE_WITH_TIMEOUT(t->started.load(), jobs.threads(), 10000);
    QElapsedTimer clock;
    clock.start();
    jobs.cancelEverything();
    EXPECT_TRUE(jobs.waitForIdle(30000));
    std::printf("[ measured ] 40 queued jobs cancelled, pool idle after %lld ms\n", (long long)clock.elapsed());
    EXPECT_EQ(t->started.load(), jobs.threads());
    EXPECT_EQ(t->stopped.load(), jobs.threads());
    EXPECT_EQ(t->finished.load(), 0);
    EXPECT_EQ(t->delivered, 0);
    EXPECT_FALSE(jobs.pending(&owner, 0));
}

TEST_F(FieldPool, ANewerJobUnderTheSameKeyReplacesTheOlder)
{
    FieldJobs& jobs = FieldJobs::instance();
    QObject owner;
    auto older = std::make_shared<Tally>(), newer = std::make_shared<Tally>(), other = std::make_shared<Tally>();
    jobs.submit(&owner, 7, waiting(older));
    QTRY_COMPARE_WITH_TIMEOUT(older->started.load(), 1, 10000);
    jobs.submit(&owner, 8, quick(other));
    jobs.submit(&owner, 7, quick(newer));
    EXPECT_TRUE(jobs.pending(&owner, 7));
    EXPECT_TRUE(jobs.waitForIdle(30000));
    EXPECT_EQ(older->stopped.load(), 1);
    EXPECT_EQ(older->delivered, 0);
    EXPECT_EQ(newer->delivered, 1);
    EXPECT_EQ(other->delivered, 1); // another key is left alone
    EXPECT_FALSE(jobs.pending(&owner, 7));
}

TEST_F(FieldPool, AnOwnerThatGoesTakesItsJobsWithIt)
{
    FieldJobs& jobs = FieldJobs::instance();
    auto gone = std::make_shared<Tally>(), kept = std::make_shared<Tally>();
    QObject stays;
    {
        QObject owner;
        for (int k = 0; k < 5; ++k)
            jobs.submit(&owner, k, waiting(gone));
        QTRY_VERIFY_WITH_TIMEOUT(gone->started.load() > 0, 10000);
    }
    jobs.submit(&stays, 0, quick(kept));
    EXPECT_TRUE(jobs.waitForIdle(30000));
    EXPECT_EQ(gone->finished.load(), 0);
    EXPECT_EQ(gone->delivered, 0);
    EXPECT_LE(gone->started.load(), jobs.threads());
    EXPECT_EQ(kept->delivered, 1);
}

// Real field solves queued, more than run while the frames are painted: the
// GUI thread still paints (Qt's raster painter uses the global pool, which
// the solves leave free) and everything cancelled drains at once. The times
// are printed, not asserted.
TEST_F(FieldPool, ManyQueuedSolvesLeaveTheGuiThreadFree)
{
    FieldJobs& jobs = FieldJobs::instance();
    QObject owner;
    auto completed = std::make_shared<std::atomic<int>>(0);
    const int solves = 400;
    fieldsolve::Geometry g;
    g.structure = fieldsolve::Structure::CoupledMicrostrip;
    g.w = 0.5;
    g.s = 0.2;
    g.h = 0.635;
    g.t = 0.07;
    g.er = 10.2;
    for (int k = 0; k < solves; ++k)
        jobs.submit(&owner, k, [g, completed](const std::atomic<bool>& cancel) -> std::function<void()> {
            const fieldsolve::Solution s = fieldsolve::solve(g, 5e-4, {}, &cancel);
            if (!s.cancelled)
                ++*completed;
            return {};
        });
    EXPECT_EQ(QThreadPool::globalInstance()->activeThreadCount(), 0);
    QElapsedTimer clock;
    clock.start();
    QImage image(1600, 1200, QImage::Format_ARGB32_Premultiplied);
    for (int frame = 0; frame < 20; ++frame) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (int k = 0; k < 2000; ++k)
            p.drawLine(QLineF(k % 1600, 0, 1600 - k % 1600, 1200));
    }
    const qint64 painted = clock.elapsed();
    clock.restart();
    jobs.cancelEverything();
    EXPECT_TRUE(jobs.waitForIdle(60000));
    std::printf("[ measured ] 20 frames painted in %lld ms beside %d queued solves; cancelled, idle after %lld ms; "
                "%d solves ran to the end\n",
                (long long)painted, solves, (long long)clock.elapsed(), completed->load());
    EXPECT_LT(completed->load(), solves);
    EXPECT_LT(painted, 60000);
}
