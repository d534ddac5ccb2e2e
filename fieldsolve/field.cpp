#include "field.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>

#include <dlfcn.h>
#include <sys/mman.h>

#include <Eigen/Sparse>
#include <Eigen/CholmodSupport>
#include <cholmod.h>
#include <omp.h>

namespace tarvel::fieldsolve {

namespace {

// Nodes closer than this fraction of the domain count as lying on an edge.
constexpr double kTouch = 1e-9;
// The last level that halves the cells beyond MeshOptions::far.
constexpr int kFarLevel = 2;

double layerEps(const Problem& pb, Pt p)
{
    double e = 1;
    for (const Layer& l : pb.dielectrics)
        if (l.box.contains(p, 0))
            e = l.eps;
    return e;
}

int conductorOf(const Problem& pb, Pt p, double tol)
{
    for (std::size_t k = 0; k < pb.conductors.size(); ++k)
        if (pb.conductors[k].box.contains(p, tol))
            return static_cast<int>(k);
    return -1;
}

// A mesh key line and what lies on it: nothing but a change of material
// (0), an edge of a thick conductor (1) or the edge of a flat one (2), where
// the field grows as the inverse square root of the distance.
struct Key {
    double at;
    int edge;
};

// The mesh lines of one axis. Between two neighbouring key lines the nodes
// follow the size field s(x) = min over keys of (h0 + (growth - 1)|x - key|):
// the count of level 0 is the integral of 1/s rounded up, and the nodes lie
// at equal steps of that integral, so every level holds the one before.
std::vector<double> axisLines(std::vector<Key> keys, double lo, double hi, int level, double feature,
                              const MeshOptions& o)
{
    const double tol = kTouch * (hi - lo);
    std::vector<Key> kept;
    keys.push_back({lo, 0});
    keys.push_back({hi, 0});
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.at < b.at; });
    for (const Key& k : keys) {
        if (!(k.at >= lo - tol && k.at <= hi + tol))
            continue;
        const Key c{std::clamp(k.at, lo, hi), k.edge};
        if (!kept.empty() && c.at - kept.back().at <= tol) {
            kept.back().edge = std::max(kept.back().edge, c.edge);
            continue;
        }
        kept.push_back(c);
    }
    // Spacing at each key: a share of the distance to its nearest neighbour.
    std::vector<double> h0(kept.size());
    for (std::size_t k = 0; k < kept.size(); ++k) {
        double d = std::numeric_limits<double>::infinity();
        if (k > 0)
            d = std::min(d, kept[k].at - kept[k - 1].at);
        if (k + 1 < kept.size())
            d = std::min(d, kept[k + 1].at - kept[k].at);
        const int e = kept[k].edge;
        h0[k] = e == 0 ? o.other * d : (e == 1 ? o.edge : o.flatEdge) * std::min(d, feature);
    }
    const double slope = o.growth - 1;
    auto size = [&](double x) {
        double s = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < kept.size(); ++k)
            s = std::min(s, h0[k] + slope * std::fabs(x - kept[k].at));
        return s;
    };
    std::vector<double> out{kept.front().at};
    const long split = 1L << std::clamp(level, 0, 12);
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
        const double a = kept[k].at, b = kept[k + 1].at;
        // Cumulative integral of 1/s on a fine march from a to b.
        std::vector<double> xs{a}, cum{0};
        double x = a;
        while (x < b) {
            const double step = std::min(size(x) / 8, b - x);
            const double next = (b - x - step < 1e-12 * (b - a)) ? b : x + step;
            cum.push_back(cum.back() + (next - x) * 0.5 * (1 / size(x) + 1 / size(next)));
            xs.push_back(next);
            x = next;
        }
        const double total = cum.back();
        // The node where the integral reaches `want` (called in increasing order).
        std::size_t m = 1;
        auto place = [&](double want) {
            while (m + 1 < cum.size() && cum[m] < want)
                ++m;
            const double f = (want - cum[m - 1]) / (cum[m] - cum[m - 1]);
            return xs[m - 1] + f * (xs[m] - xs[m - 1]);
        };
        const bool last = k + 2 == kept.size(), first = k == 0;
        if ((first || last) && kept.size() > 2) {
            // Towards a wall of the domain: unit steps from the inner key
            // and what is left in the cell at the wall, so that moving the
            // wall leaves the mesh near the structure as it is.
            const double step = 1.0 / double(split);
            long n = static_cast<long>(std::floor(total / step + 1e-9));
            if (total - double(n) * step < 0.5 * step)
                n = std::max(0L, n - 1);
            // Far from the structure the field is weak and smooth: beyond
            // `far` from the inner key the cells stop halving after level
            // kFarLevel, and every level still holds the one before.
            const double reach = o.far > 0 ? o.far : 2 * (b - a);
            double uFar = total;
            for (std::size_t q = 1; q < cum.size(); ++q) {
                const double d = first ? b - xs[q - 1] : xs[q] - a;
                if (first ? d <= reach : d >= reach) {
                    uFar = first ? total - cum[q - 1] : cum[q];
                    break;
                }
            }
            uFar = std::ceil(uFar - 1e-9);
            const long coarse = 1L << std::max(0, std::clamp(level, 0, 12) - kFarLevel);
            for (long i = 1; i <= n; ++i) {
                const long k = first ? n + 1 - i : i; // steps from the inner key
                if (double(k) * step > uFar && k % coarse != 0)
                    continue;
                out.push_back(place(first ? total - double(k) * step : double(k) * step));
            }
        } else {
            const long n = std::max(1L, static_cast<long>(std::ceil(total - 1e-9))) * split;
            for (long i = 1; i < n; ++i)
                out.push_back(place(total * double(i) / double(n)));
        }
        out.push_back(b);
    }
    return out;
}

} // namespace

Mesh Mesh::graded(const Problem& pb, int level, const MeshOptions& options)
{
    std::vector<Key> kx, ky;
    for (const Conductor& c : pb.conductors) {
        // The edge of a flat conductor is a point where the field is
        // singular: both directions need the fine spacing there.
        const int e = c.box.y1 > c.box.y0 && c.box.x1 > c.box.x0 ? 1 : 2;
        kx.push_back({c.box.x0, e});
        kx.push_back({c.box.x1, e});
        ky.push_back({c.box.y0, e});
        ky.push_back({c.box.y1, e});
    }
    for (const Layer& l : pb.dielectrics) {
        kx.push_back({l.box.x0, 0});
        kx.push_back({l.box.x1, 0});
        ky.push_back({l.box.y0, 0});
        ky.push_back({l.box.y1, 0});
    }
    // The smallest feature, in either direction, sets the finest spacing at
    // every conductor edge: a thin strip's corners need it in x as well.
    double feature = std::numeric_limits<double>::infinity();
    for (const auto* keys : {&kx, &ky}) {
        std::vector<double> at;
        for (const Key& k : *keys)
            if (std::isfinite(k.at))
                at.push_back(k.at);
        std::sort(at.begin(), at.end());
        for (std::size_t k = 1; k < at.size(); ++k)
            if (at[k] - at[k - 1] > 0)
                feature = std::min(feature, at[k] - at[k - 1]);
    }
    Mesh m;
    m.x = axisLines(kx, pb.domain.x0, pb.domain.x1, level, feature, options);
    m.y = axisLines(ky, pb.domain.y0, pb.domain.y1, level, feature, options);
    return m;
}

Field Field::solve(const Problem& problem, bool air, int level)
{
    return solve(problem, Mesh::graded(problem, level), air);
}

namespace {

// The discrete problem on one mesh: link weights, which nodes are unknown,
// and the potentials of the fixed ones.
struct Assembly {
    std::size_t nx = 0, ny = 0;
    std::vector<double> wx, wy; // links (i,j)-(i+1,j) and (i,j)-(i,j+1)
    std::vector<double> phi;
    // Unknown number, -1 for a node fixed in every problem solved together;
    // `free` tells whether the node is unknown in this problem. A node fixed
    // here but free in another keeps its number with a row of its own, so
    // that all the systems share one pattern.
    std::vector<long> index;
    std::vector<char> free;
    long unknowns = 0;
};

void weigh(Assembly& a, const Problem& problem, const Mesh& mesh, bool air)
{
    const std::size_t nx = a.nx, ny = a.ny;
    std::vector<double> cellEps((nx - 1) * (ny - 1), 1.0);
    if (!air)
        for (std::size_t j = 0; j + 1 < ny; ++j)
            for (std::size_t i = 0; i + 1 < nx; ++i)
                cellEps[j * (nx - 1) + i] =
                    layerEps(problem, {(mesh.x[i] + mesh.x[i + 1]) / 2, (mesh.y[j] + mesh.y[j + 1]) / 2});
    auto eps = [&](long i, long j) {
        if (i < 0 || j < 0 || i >= long(nx) - 1 || j >= long(ny) - 1)
            return 0.0;
        return cellEps[std::size_t(j) * (nx - 1) + std::size_t(i)];
    };
    auto dx = [&](long i) { return i < 0 || i >= long(nx) - 1 ? 0.0 : mesh.x[i + 1] - mesh.x[i]; };
    auto dy = [&](long j) { return j < 0 || j >= long(ny) - 1 ? 0.0 : mesh.y[j + 1] - mesh.y[j]; };
    // The permittivity integrated over the dual face, over the link's length.
    a.wx.assign(nx * ny, 0);
    a.wy.assign(nx * ny, 0);
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const long I = long(i), J = long(j);
            if (i + 1 < nx)
                a.wx[j * nx + i] = (eps(I, J - 1) * dy(J - 1) + eps(I, J) * dy(J)) / (2 * dx(I));
            if (j + 1 < ny)
                a.wy[j * nx + i] = (eps(I - 1, J) * dx(I - 1) + eps(I, J) * dx(I)) / (2 * dy(J));
        }
}

Assembly fixNodes(const Problem& problem, const Mesh& mesh)
{
    Assembly a;
    a.nx = mesh.x.size();
    a.ny = mesh.y.size();
    const Box& d = problem.domain;
    const double tol = kTouch * std::max(d.x1 - d.x0, d.y1 - d.y0);
    a.phi.assign(a.nx * a.ny, 0.0);
    a.index.assign(a.nx * a.ny, -1);
    a.free.assign(a.nx * a.ny, 0);
    // Conductors first, then the grounded walls.
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            const int c = conductorOf(problem, {mesh.x[i], mesh.y[j]}, tol);
            if (c >= 0) {
                a.phi[k] = problem.conductors[std::size_t(c)].potential;
                continue;
            }
            const bool grounded = (i == 0 && problem.left == Wall::Ground) ||
                                  (i == a.nx - 1 && problem.right == Wall::Ground) ||
                                  (j == 0 && problem.bottom == Wall::Ground) ||
                                  (j == a.ny - 1 && problem.top == Wall::Ground);
            if (!grounded) {
                a.index[k] = a.unknowns++;
                a.free[k] = 1;
            }
        }
    return a;
}

using Matrix = Eigen::SparseMatrix<double>;

// The factorisation's own parallel loops stay on the calling thread: a solve
// takes one core (the program runs its solves off the interface's thread)
// and its rounding does not depend on a thread count.
// The factor of a fine mesh takes tens of megabytes that are written once,
// page by page: in huge pages the kernel maps them 512 times less often
// and the dense kernels miss the address cache less.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
void* largeInHugePages(std::size_t n)
{
    if (n < 2 * kHugePage)
        return std::malloc(n);
    void* p = nullptr;
    if (posix_memalign(&p, kHugePage, n) != 0)
        return nullptr;
    madvise(p, n, MADV_HUGEPAGE);
    return p;
}
void* zeroedInHugePages(std::size_t count, std::size_t size)
{
    if (size != 0 && count > std::numeric_limits<std::size_t>::max() / size)
        return nullptr;
    if (count * size < 2 * kHugePage)
        return std::calloc(count, size);
    void* p = largeInHugePages(count * size);
    if (p)
        std::memset(p, 0, count * size);
    return p;
}

// The BLAS beneath the factorisation is whichever the system provides. An
// optimised one keeps a pool of work buffers shared by its calls: a build of
// it without threads of its own (it says so through openblas_get_parallel)
// takes no lock on that pool, and two factorisations at once then corrupt
// each other's blocks. Such a BLAS is called by one solve at a time; any
// other (a threaded optimised build, which locks its pool, or the reference
// one, which keeps no state) by all at once. A threaded build is held at one
// thread: each solve stays on its caller's thread, the dense blocks here
// are small, and the numbers are those of a serial run to the last bit.
bool blasSharedByThreads()
{
    static const bool shared = [] {
        if (auto set = reinterpret_cast<void (*)(int)>(dlsym(RTLD_DEFAULT, "openblas_set_num_threads")))
            set(1);
        const auto parallel = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "openblas_get_parallel"));
        return !parallel || parallel() != 0;
    }();
    return shared;
}

// Held around the factorisation and the solves when the BLAS cannot serve
// two threads at once; free otherwise.
std::unique_lock<std::mutex> blasTurn()
{
    static std::mutex serial;
    if (blasSharedByThreads())
        return {};
    return std::unique_lock<std::mutex>(serial);
}

void oneThread()
{
    static const bool once = [] {
        omp_set_max_active_levels(0);
        SuiteSparse_config.malloc_func = largeInHugePages;
        SuiteSparse_config.calloc_func = zeroedInHugePages;
        return true;
    }();
    (void)once;
}

// A supernodal Cholesky factorisation (the dense blocks of the factor go to
// the BLAS, several times faster than a column-by-column one on the finest
// meshes) of a symmetric matrix given by its upper triangle (the
// factorisation then permutes it in one pass, not two).
//
// Unknowns ordered after all the others can be dropped from a solve: when
// no kept unknown comes after a dropped one in the elimination, the factor's
// rows and columns of the kept unknowns are the factor of the matrix without
// the dropped ones. So one factorisation also solves every problem that
// holds some of the unknowns fixed, their links otherwise the same.
class Cholesky {
public:
    Cholesky()
    {
        cholmod_start(&common_);
        common_.supernodal = CHOLMOD_SUPERNODAL;
        common_.final_asis = 1;
        common_.nmethods = 1;
        common_.method[0].ordering = CHOLMOD_GIVEN;
    }
    ~Cholesky()
    {
        if (factor_)
            cholmod_free_factor(&factor_, &common_);
        cholmod_finish(&common_);
    }
    Cholesky(const Cholesky&) = delete;
    Cholesky& operator=(const Cholesky&) = delete;

    // Analyses the pattern with the unknowns eliminated in the given order.
    bool analyse(const Matrix& A, std::vector<int> order)
    {
        cholmod_sparse a = Eigen::viewAsCholmod(A.selfadjointView<Eigen::Upper>());
        factor_ = cholmod_analyze_p(&a, order.data(), nullptr, 0, &common_);
        return factor_ != nullptr;
    }

    bool factorise(const Matrix& A)
    {
        cholmod_sparse a = Eigen::viewAsCholmod(A.selfadjointView<Eigen::Upper>());
        return cholmod_factorize(&a, factor_, &common_) && factor_->minor == factor_->n;
    }

    // The solutions of several right-hand sides (the columns of `x` on
    // return), each with the unknowns marked in its `dropped` (if any) held
    // at zero and their equations left out.
    bool solve(const std::vector<Eigen::VectorXd>& rhs, const std::vector<const std::vector<char>*>& dropped,
               Eigen::MatrixXd& x)
    {
        const Eigen::Index n = Eigen::Index(factor_->n), m = Eigen::Index(rhs.size());
        const int* perm = static_cast<const int*>(factor_->Perm);
        x.resize(n, m);
        for (Eigen::Index c = 0; c < m; ++c)
            for (Eigen::Index k = 0; k < n; ++k)
                x(k, c) = rhs[std::size_t(c)][perm[k]];
        if (!substitute(CHOLMOD_L, x))
            return false;
        for (Eigen::Index c = 0; c < m; ++c)
            if (const std::vector<char>* d = dropped[std::size_t(c)])
                for (Eigen::Index k = 0; k < n; ++k)
                    if ((*d)[std::size_t(perm[k])])
                        x(k, c) = 0;
        if (!substitute(CHOLMOD_Lt, x))
            return false;
        Eigen::MatrixXd y(n, m);
        for (Eigen::Index c = 0; c < m; ++c)
            for (Eigen::Index k = 0; k < n; ++k)
                y(perm[k], c) = x(k, c);
        x.swap(y);
        return true;
    }

private:
    cholmod_common common_{};
    cholmod_factor* factor_ = nullptr;

    // y <- the solution of L y = y or L' y = y, column by column.
    bool substitute(int sys, Eigen::MatrixXd& y)
    {
        cholmod_dense b{};
        b.nrow = b.d = std::size_t(y.rows());
        b.ncol = std::size_t(y.cols());
        b.nzmax = b.nrow * b.ncol;
        b.x = y.data();
        b.xtype = CHOLMOD_REAL;
        b.dtype = CHOLMOD_DOUBLE;
        cholmod_dense* out = cholmod_solve(sys, factor_, &b, &common_);
        if (!out)
            return false;
        const double* v = static_cast<const double*>(out->x);
        std::copy(v, v + y.size(), y.data());
        cholmod_free_dense(&out, &common_);
        return true;
    }
};

// An order of elimination of the unknowns, nested dissection of the grid:
// a rectangle of nodes is cut across its longer side by the line, in its
// middle half, that holds the fewest unknowns (a strip's nodes are fixed);
// the two parts come first, each cut in turn the same way, and the line
// after them. It fills the factor about as little as minimum degree and
// costs next to nothing to find. Then the unknowns of a higher `stage` go
// after all those of lower ones.
std::vector<int> dissection(const Assembly& a, const std::vector<int>& stage)
{
    std::vector<int> order;
    order.reserve(stage.size());
    auto unknown = [&](std::size_t i, std::size_t j) { return a.index[j * a.nx + i] >= 0; };
    // The rectangle [i0, i1) x [j0, j1).
    auto cut = [&](auto& self, std::size_t i0, std::size_t i1, std::size_t j0, std::size_t j1) -> void {
        const std::size_t w = i1 - i0, h = j1 - j0;
        if (w == 0 || h == 0)
            return;
        if (w * h <= 4) {
            for (std::size_t j = j0; j < j1; ++j)
                for (std::size_t i = i0; i < i1; ++i)
                    if (unknown(i, j))
                        order.push_back(int(a.index[j * a.nx + i]));
            return;
        }
        const bool across = w >= h; // a line of constant i
        const std::size_t n = across ? w : h, first = across ? i0 : j0, mid = first + n / 2;
        std::size_t best = mid, fewest = std::numeric_limits<std::size_t>::max();
        for (std::size_t m = first + std::max<std::size_t>(1, n / 4); m + std::max<std::size_t>(1, n / 4) < first + n;
             ++m) {
            std::size_t count = 0;
            if (across)
                for (std::size_t j = j0; j < j1; ++j)
                    count += unknown(m, j);
            else
                for (std::size_t i = i0; i < i1; ++i)
                    count += unknown(i, m);
            const auto away = [&](std::size_t k) { return k > mid ? k - mid : mid - k; };
            if (count < fewest || (count == fewest && away(m) < away(best))) {
                best = m;
                fewest = count;
            }
        }
        if (across) {
            self(self, i0, best, j0, j1);
            self(self, best + 1, i1, j0, j1);
            self(self, best, best + 1, j0, j1);
        } else {
            self(self, i0, i1, j0, best);
            self(self, i0, i1, best + 1, j1);
            self(self, i0, i1, best, best + 1);
        }
    };
    cut(cut, 0, a.nx, 0, a.ny);
    std::stable_sort(order.begin(), order.end(), [&](int p, int q) { return stage[std::size_t(p)] < stage[std::size_t(q)]; });
    return order;
}

// The system of one problem: the matrix (if asked for, its upper triangle)
// and the right-hand side.
void system(const Assembly& a, Matrix* A, Eigen::VectorXd& rhs)
{
    rhs = Eigen::VectorXd::Zero(a.unknowns);
    std::vector<double> diagonal;
    if (A)
        diagonal.assign(std::size_t(a.unknowns), 0.0);
    // A node numbered but fixed in this problem: its own row, held at its
    // potential, and its links kept as zeros in the pattern.
    for (std::size_t k = 0; k < a.index.size(); ++k)
        if (a.index[k] >= 0 && !a.free[k]) {
            if (A)
                diagonal[std::size_t(a.index[k])] = 1;
            rhs[a.index[k]] = a.phi[k];
        }
    auto link = [&](std::size_t p, std::size_t q, double w) {
        if (w == 0)
            return;
        const bool fp = a.free[p], fq = a.free[q];
        if (A) {
            if (fp)
                diagonal[std::size_t(a.index[p])] += w;
            if (fq)
                diagonal[std::size_t(a.index[q])] += w;
        }
        if (fp && !fq)
            rhs[a.index[p]] += w * a.phi[q];
        else if (fq && !fp)
            rhs[a.index[q]] += w * a.phi[p];
    };
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            if (i + 1 < a.nx)
                link(k, k + 1, a.wx[k]);
            if (j + 1 < a.ny)
                link(k, k + a.nx, a.wy[k]);
        }
    if (!A)
        return;
    // Column by column: the numbers grow with the node, so the links to
    // the node below and to the left come before the diagonal.
    A->resize(a.unknowns, a.unknowns);
    A->reserve(Eigen::VectorXi::Constant(a.unknowns, 3));
    auto offDiagonal = [&](std::size_t p, std::size_t q, double w) {
        if (w != 0 && a.index[p] >= 0)
            A->insert(a.index[p], a.index[q]) = a.free[p] && a.free[q] ? -w : 0.0;
    };
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            if (a.index[k] < 0)
                continue;
            if (j > 0)
                offDiagonal(k - a.nx, k, a.wy[k - a.nx]);
            if (i > 0)
                offDiagonal(k - 1, k, a.wx[k - 1]);
            A->insert(a.index[k], a.index[k]) = diagonal[std::size_t(a.index[k])];
        }
    A->makeCompressed();
}

// Fills the field from the solution of the unknowns.
bool finish(const Assembly& a, const Eigen::VectorXd& x, std::vector<double>& phi, long double& energy)
{
    phi = a.phi;
    for (std::size_t k = 0; k < phi.size(); ++k)
        if (a.free[k])
            phi[k] = x[a.index[k]];
    long double e = 0;
    for (std::size_t j = 0; j < a.ny; ++j)
        for (std::size_t i = 0; i < a.nx; ++i) {
            const std::size_t k = j * a.nx + i;
            if (i + 1 < a.nx) {
                const long double dv = phi[k + 1] - phi[k];
                e += a.wx[k] * dv * dv;
            }
            if (j + 1 < a.ny) {
                const long double dv = phi[k + a.nx] - phi[k];
                e += a.wy[k] * dv * dv;
            }
        }
    energy = e / 2;
    return std::isfinite(static_cast<double>(energy));
}

} // namespace

// The factorisation opens an OpenMP parallel region for each of its many
// small supernodes; even with a team of one thread the runtime then wakes
// the team's barrier through the kernel, which cost a third of the time of a
// solve. The process runs no parallel region of its own, so each region's
// body runs here directly on the calling thread (the runtime's queries
// outside a team answer one thread, number zero).
extern "C" void GOMP_parallel(void (*body)(void*), void* data, unsigned /*threads*/, unsigned /*flags*/)
{
    body(data);
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
    oneThread();
    const std::unique_lock<std::mutex> turn = blasTurn();
    Cholesky solver;
    bool analysed = false;
    // Factorises the system of one problem (the pattern analysed once) and
    // solves those of the given problems with it.
    auto solveWith = [&](std::size_t own, const std::vector<std::size_t>& which, std::size_t medium) {
        Matrix A;
        Eigen::VectorXd rhs;
        system(as[own], &A, rhs);
        if (!analysed && !(analysed = solver.analyse(A, dissection(as[own], stage))))
            return;
        if (!solver.factorise(A))
            return;
        std::vector<Eigen::VectorXd> rhss(which.size());
        std::vector<const std::vector<char>*> drops;
        for (std::size_t q = 0; q < which.size(); ++q) {
            system(as[which[q]], nullptr, rhss[q]);
            drops.push_back(dropped[which[q]].empty() ? nullptr : &dropped[which[q]]);
        }
        Eigen::MatrixXd x;
        if (!solver.solve(rhss, drops, x))
            return;
        for (std::size_t q = 0; q < which.size(); ++q) {
            Field& f = out[which[q] * media.size() + medium];
            const Eigen::VectorXd column = x.col(Eigen::Index(q));
            f.ok_ = finish(as[which[q]], column, f.phi_, f.energy_);
        }
    };
    for (std::size_t m = 0; m < media.size(); ++m) {
        for (std::size_t n = 0; n < problems.size(); ++n)
            weigh(as[n], problems[n], mesh, media[m]);
        if (unknowns == 0) {
            for (std::size_t n = 0; n < problems.size(); ++n) {
                Field& f = out[n * media.size() + m];
                f.ok_ = finish(as[n], Eigen::VectorXd(), f.phi_, f.energy_);
            }
        } else if (shared) {
            std::vector<std::size_t> all(problems.size());
            for (std::size_t n = 0; n < all.size(); ++n)
                all[n] = n;
            solveWith(master, all, m);
        } else {
            for (std::size_t n = 0; n < problems.size(); ++n)
                solveWith(n, {n}, m);
        }
    }
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
