// SPDX-License-Identifier: GPL-3.0-or-later
// The field of a problem on a mesh: its systems assembled, ordered,
// factorised and solved, and the solution read at any point.
#include "field.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <ctime>
#include <exception>
#include <limits>
#include <system_error>
#include <thread>

#include "assembly.h"
#include "cholesky.h"
#include "ordering.h"

namespace tarvel::fieldsolve {

using namespace detail;

namespace {
// Unknowns from which the two media of a mesh are solved side by side:
// below it a thread costs more than half the solve saves.
constexpr std::size_t kSideBySide = 4000;

// Meshes being solved in the process. Two factorisations at once share the
// memory bus, the cache and the BLAS's lock: each takes some 1.4 times its
// time alone. So a mesh takes a second core only while it is the only one
// being solved; beside other solves (the gallery's, a batch's) it keeps to
// its own thread, and the process's cores serve as many solves.
std::atomic<int> meshesSolving{0};

// Whether the process may run on more than one core (its affinity, as a
// task set or a container leaves it, not the machine's count).
bool severalCores()
{
    static const bool several = [] {
        cpu_set_t set;
        CPU_ZERO(&set);
        if (sched_getaffinity(0, sizeof set, &set) == 0)
            return CPU_COUNT(&set) > 1;
        return std::thread::hardware_concurrency() > 1;
    }();
    return several;
}

double ownSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

// The processor seconds of the threads that this thread's solves ran
// beside them, each added when it ended.
thread_local double helpers = 0;

} // namespace

double processorSeconds() { return ownSeconds() + helpers; }

Field Field::solve(const Problem& problem, bool air, int level)
{
    return solve(problem, Mesh::graded(problem, level), air);
}

Field Field::solve(const Problem& problem, const Mesh& mesh, bool air)
{
    return solveBoth(problem, mesh, !air, air).front();
}

std::vector<Field> Field::solveBoth(const Problem& problem, const Mesh& mesh, bool withDielectric, bool inAir)
{
    return solveAll({problem}, mesh, withDielectric, inAir);
}

std::vector<Field> Field::solveAll(const std::vector<Problem>& problems, const Mesh& mesh, bool withDielectric,
                                   bool inAir)
{
    struct Solving {
        const int others = meshesSolving.fetch_add(1);
        ~Solving() { meshesSolving.fetch_sub(1); }
    } solving;
    std::vector<bool> media;
    if (withDielectric)
        media.push_back(false);
    if (inAir)
        media.push_back(true);
    std::vector<Field> out(problems.size() * media.size());
    for (std::size_t n = 0; n < problems.size(); ++n)
        for (std::size_t m = 0; m < media.size(); ++m) {
            Field& f = out[n * media.size() + m];
            f.problem_ = problems[n];
            f.mesh_ = mesh;
            f.air_ = media[m];
        }
    if (mesh.x.size() < 2 || mesh.y.size() < 2)
        return out;
    std::vector<Assembly> as;
    for (const Problem& problem : problems)
        as.push_back(fixNodes(problem, mesh));
    // One numbering for all: a node is unknown if it is in any problem.
    // Its stage is the count of problems that hold it fixed.
    std::vector<long> index(mesh.nodes(), -1);
    std::vector<int> stage;
    long unknowns = 0;
    for (std::size_t k = 0; k < index.size(); ++k) {
        int fixed = 0;
        for (const Assembly& a : as)
            fixed += !a.free[k];
        if (fixed < int(as.size())) {
            index[k] = unknowns++;
            stage.push_back(fixed);
        }
    }
    // One problem frees every unknown (the even mode of a coupled line:
    // the odd mode grounds its mirror wall), and in each of the others the
    // nodes it fixes come in later stages than those it solves for: the
    // factor of that one problem serves them all. Otherwise each problem
    // has its own factor, all of one pattern (its fixed nodes held by rows
    // of their own).
    std::size_t master = as.size();
    std::vector<std::vector<char>> dropped(as.size());
    for (std::size_t n = 0; n < as.size(); ++n) {
        int kept = -1, fixed = std::numeric_limits<int>::max();
        for (std::size_t k = 0; k < index.size(); ++k) {
            if (index[k] < 0)
                continue;
            const int s = stage[std::size_t(index[k])];
            if (as[n].free[k])
                kept = std::max(kept, s);
            else
                fixed = std::min(fixed, s);
        }
        if (fixed == std::numeric_limits<int>::max()) {
            if (master == as.size())
                master = n;
        } else if (kept >= fixed) {
            master = as.size() + 1;
        }
    }
    const bool shared = master < as.size();
    if (shared)
        for (std::size_t n = 0; n < as.size(); ++n)
            if (n != master) {
                dropped[n].assign(std::size_t(unknowns), 0);
                for (std::size_t k = 0; k < index.size(); ++k)
                    if (index[k] >= 0 && !as[n].free[k])
                        dropped[n][std::size_t(index[k])] = 1;
            }
    if (!shared)
        stage.assign(stage.size(), 0);
    for (Assembly& a : as) {
        a.index = index;
        a.unknowns = unknowns;
    }
    // One order of elimination for all: the unknowns of a later stage
    // after those of earlier ones.
    std::vector<int> order, position;
    if (unknowns > 0) {
        order = dissection(as.front(), stage);
        position.assign(order.size(), 0);
        for (std::size_t p = 0; p < order.size(); ++p)
            position[std::size_t(order[p])] = int(p);
    }
    // The systems of one medium: each problem weighed in it, factorised
    // (the pattern analysed once) and solved, on the calling thread; `own`
    // is the assemblies this thread weighs.
    auto solveMedium = [&](std::vector<Assembly>& own, std::size_t medium) {
        for (std::size_t n = 0; n < problems.size(); ++n)
            weigh(own[n], problems[n], mesh, media[medium]);
        if (unknowns == 0) {
            for (std::size_t n = 0; n < problems.size(); ++n) {
                Field& f = out[n * media.size() + medium];
                f.ok_ = finish(own[n], Eigen::VectorXd(), f.phi_, f.energy_);
            }
            return;
        }
        Cholesky solver;
        bool analysed = false;
        // Factorises the system of one problem and solves those of the
        // given problems with it.
        auto solveWith = [&](std::size_t factored, const std::vector<std::size_t>& which) {
            const Matrix A = eliminationMatrix(own[factored], position);
            if (!analysed && !(analysed = solver.analyse(A, order)))
                return;
            if (!solver.factorise(A))
                return;
            std::vector<Eigen::VectorXd> rhss(which.size());
            std::vector<const std::vector<char>*> drops;
            for (std::size_t q = 0; q < which.size(); ++q) {
                rhss[q] = rightHandSide(own[which[q]]);
                drops.push_back(dropped[which[q]].empty() ? nullptr : &dropped[which[q]]);
            }
            Eigen::MatrixXd x;
            if (!solver.solve(rhss, drops, x))
                return;
            for (std::size_t q = 0; q < which.size(); ++q) {
                Field& f = out[which[q] * media.size() + medium];
                const Eigen::VectorXd column = x.col(Eigen::Index(q));
                f.ok_ = finish(own[which[q]], column, f.phi_, f.energy_);
            }
        };
        if (shared) {
            std::vector<std::size_t> all(problems.size());
            for (std::size_t n = 0; n < all.size(); ++n)
                all[n] = n;
            solveWith(master, all);
        } else {
            for (std::size_t n = 0; n < problems.size(); ++n)
                solveWith(n, {n});
        }
    };
    // The two media are two systems of one pattern and nothing else in
    // common: on a mesh large enough to pay for a thread, and solved alone
    // in the process, the one in air is solved beside the other, each on
    // its own core, each to the same numbers as alone (a BLAS that cannot
    // serve two threads takes them in turn).
    std::size_t medium = 0;
    std::thread side;
    std::exception_ptr failure;
    double sideSeconds = 0;
    std::vector<Assembly> air;
    if (media.size() == 2 && std::size_t(unknowns) >= kSideBySide && solving.others == 0 && severalCores()) {
        try {
            air = as; // weighed on the side thread while `as` is on this one
            side = std::thread([&] {
                try {
                    solveMedium(air, 1);
                } catch (...) {
                    failure = std::current_exception();
                }
                sideSeconds = ownSeconds();
            });
        } catch (const std::system_error&) {
            // No thread to be had: both media on this one.
        }
    }
    if (side.joinable()) {
        try {
            solveMedium(as, 0);
        } catch (...) {
            side.join();
            helpers += sideSeconds;
            throw;
        }
        side.join();
        helpers += sideSeconds;
        if (failure)
            std::rethrow_exception(failure);
        medium = 2;
    }
    for (; medium < media.size(); ++medium)
        solveMedium(as, medium);
    return out;
}

void Field::locate(Pt p, std::size_t& i, std::size_t& j, double& u, double& v) const
{
    auto find = [](const std::vector<double>& a, double x, std::size_t& k, double& t) {
        x = std::clamp(x, a.front(), a.back());
        k = std::size_t(std::upper_bound(a.begin(), a.end(), x) - a.begin());
        k = std::clamp<std::size_t>(k, 1, a.size() - 1) - 1;
        t = (x - a[k]) / (a[k + 1] - a[k]);
    };
    find(mesh_.x, p.x, i, u);
    find(mesh_.y, p.y, j, v);
}

double Field::potential(Pt p) const
{
    if (phi_.empty())
        return 0;
    std::size_t i, j;
    double u, v;
    locate(p, i, j, u, v);
    return (1 - u) * (1 - v) * node(i, j) + u * (1 - v) * node(i + 1, j) + (1 - u) * v * node(i, j + 1) +
           u * v * node(i + 1, j + 1);
}

Pt Field::electric(Pt p) const
{
    if (phi_.empty())
        return {0, 0};
    std::size_t i, j;
    double u, v;
    locate(p, i, j, u, v);
    const double hx = mesh_.x[i + 1] - mesh_.x[i], hy = mesh_.y[j + 1] - mesh_.y[j];
    const double a = node(i, j), b = node(i + 1, j), c = node(i, j + 1), d = node(i + 1, j + 1);
    const double gx = ((b - a) * (1 - v) + (d - c) * v) / hx;
    const double gy = ((c - a) * (1 - u) + (d - b) * u) / hy;
    return {-gx, -gy};
}

double Field::spacing(Pt p) const
{
    std::size_t i, j;
    double u, v;
    locate(p, i, j, u, v);
    return std::max(mesh_.x[i + 1] - mesh_.x[i], mesh_.y[j + 1] - mesh_.y[j]);
}

double Field::eps(Pt p) const { return air_ ? 1.0 : layerEps(problem_, p); }

int Field::conductorAt(Pt p) const { return conductorOf(problem_, p, 0); }

} // namespace tarvel::fieldsolve
