// SPDX-License-Identifier: GPL-3.0-or-later
// Field solves side by side in one process: each thread's results equal
// those of the same solves run one after the other, to the last bit.
#include <sched.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/sections.h"

using namespace tarvel::fieldsolve;

namespace {

// Structures whose systems differ in size and kind: one mode or two, with
// and without a dielectric, open or shielded.
const std::vector<Geometry>& geometries()
{
    static const std::vector<Geometry> all{
        Geometry{Structure::Microstrip, 1.5, 0, 0.787, 0.035, 2.2},
        Geometry{Structure::CoupledMicrostrip, 0.6, 0.3, 0.635, 0.07, 10.2},
        Geometry{Structure::Cpw, 1.0, 0.2, 1.57, 0.0175, 4.4},
        Geometry{Structure::Stripline, 0.8, 0, 1.57, 0.035, 2.2},
        Geometry{Structure::Cps, 0.5, 0.3, 0.254, 0.035, 10.2},
    };
    return all;
}

bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Processor seconds of the calling thread alone.
double ownSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

// Empty when the two solutions agree bit for bit, else what differs.
std::string difference(const Solution& a, const Solution& b)
{
    if (a.ok != b.ok)
        return "ok " + std::to_string(a.ok) + " against " + std::to_string(b.ok) + " (" + b.failure + ")";
    if (a.nodes != b.nodes || a.levels != b.levels)
        return "meshes differ";
    if (!same(a.error, b.error) || !same(a.boxError, b.boxError))
        return "estimates differ";
    for (auto lp : {&LineParameters::z0, &LineParameters::eeff, &LineParameters::c, &LineParameters::cAir})
        for (auto mode : {&Solution::single, &Solution::even, &Solution::odd})
            if (!same(a.*mode.*lp, b.*mode.*lp))
                return "line parameters differ: " + std::to_string((a.*mode).*lp) + " against " +
                       std::to_string((b.*mode).*lp);
    return {};
}

} // namespace

TEST(FieldConcurrency, SolvesSideBySideEqualTheSerialOnesBitForBit)
{
    const std::vector<Geometry>& gs = geometries();
    std::vector<Solution> serial;
    for (const Geometry& g : gs) {
        serial.push_back(solve(g));
        ASSERT_TRUE(serial.back().ok) << serial.back().failure;
    }
    for (const unsigned threads : {2u, 4u}) {
        constexpr int kRounds = 1;
        // Each thread starts at another geometry, so that different
        // structures run at the same moment.
        std::vector<std::vector<std::string>> faults(threads);
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < threads; ++t)
            pool.emplace_back([&, t] {
                for (int r = 0; r < kRounds; ++r)
                    for (std::size_t k = 0; k < gs.size(); ++k) {
                        const std::size_t n = (k + t) % gs.size();
                        const std::string d = difference(serial[n], solve(gs[n]));
                        if (!d.empty())
                            faults[t].push_back("geometry " + std::to_string(n) + ": " + d);
                    }
            });
        for (std::thread& th : pool)
            th.join();
        for (unsigned t = 0; t < threads; ++t)
            EXPECT_TRUE(faults[t].empty()) << threads << " threads, thread " << t << ": " << faults[t].size()
                                           << " faults, first " << faults[t].front();
    }
}

// On a mesh large enough, the field with the dielectrics and the field in
// air are solved on two threads at once: each equals the same field solved
// alone on the calling thread, to the last bit, for one mode and for the
// two modes that share a factorisation.
TEST(FieldConcurrency, TheTwoMediaOfAMeshSolvedTogetherEqualEachAlone)
{
    for (const Geometry& g : {geometries()[0], geometries()[1]}) {
        std::vector<Problem> problems;
        for (const Excitation& e : section(g).excitations)
            problems.push_back(e.problem(kBoxSizes));
        const Mesh mesh = Mesh::divided(problems.front(), 8);
        ASSERT_GT(mesh.nodes(), 10000u);
        const std::vector<Field> together = Field::solveAll(problems, mesh);
        const std::vector<Field> dielectric = Field::solveAll(problems, mesh, true, false);
        const std::vector<Field> air = Field::solveAll(problems, mesh, false, true);
        ASSERT_EQ(together.size(), 2 * problems.size());
        for (std::size_t n = 0; n < problems.size(); ++n) {
            ASSERT_TRUE(together[2 * n].ok() && together[2 * n + 1].ok() && dielectric[n].ok() && air[n].ok());
            const double a[] = {double(together[2 * n].energy()), double(together[2 * n + 1].energy())};
            const double b[] = {double(dielectric[n].energy()), double(air[n].energy())};
            EXPECT_TRUE(same(a[0], b[0]) && same(a[1], b[1])) << n << ": " << a[0] << " " << b[0] << ", " << a[1]
                                                              << " " << b[1];
            EXPECT_EQ(together[2 * n + 1].node(3, 3), air[n].node(3, 3));
        }
    }
}

// The processor time of a solve counts the thread that solved its second
// medium: about as much as the calling thread's own (the two systems are
// alike), well beyond none.
TEST(FieldConcurrency, TheProcessorTimeOfASolveCountsTheThreadBesideIt)
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) < 2)
        GTEST_SKIP() << "one core: a solve keeps to its thread";
    const Problem pb = section(geometries()[0]).excitations.front().problem(kBoxSizes);
    const Mesh mesh = Mesh::divided(pb, 8);
    const double total0 = processorSeconds(), own0 = ownSeconds();
    const std::vector<Field> fields = Field::solveBoth(pb, mesh);
    const double total = processorSeconds() - total0, mine = ownSeconds() - own0;
    ASSERT_TRUE(fields[0].ok() && fields[1].ok());
    EXPECT_GT(total, 1.5 * mine) << total << " s in all, " << mine << " s on the calling thread";
}

// Beside another solve in the process, a mesh keeps to the calling thread:
// its processor time is the calling thread's own.
TEST(FieldConcurrency, BesideAnotherSolveAMeshKeepsToItsThread)
{
    const Problem pb = section(geometries()[0]).excitations.front().problem(kBoxSizes);
    std::atomic<bool> started{false}, done{false};
    std::thread other([&] {
        const Mesh fine = Mesh::divided(pb, 32);
        started = true;
        Field::solveBoth(pb, fine);
        done = true;
    });
    while (!started)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const double total0 = processorSeconds(), own0 = ownSeconds();
    const std::vector<Field> fields = Field::solveBoth(pb, Mesh::divided(pb, 8));
    const double total = processorSeconds() - total0, mine = ownSeconds() - own0;
    const bool overlapped = !done;
    other.join();
    ASSERT_TRUE(fields[0].ok() && fields[1].ok());
    if (!overlapped)
        GTEST_SKIP() << "the other solve ended first";
    EXPECT_LT(total, 1.1 * mine) << total << " s in all, " << mine << " s on the calling thread";
}
