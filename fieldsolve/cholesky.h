// SPDX-License-Identifier: GPL-3.0-or-later
// The sparse Cholesky factorisation of the field's systems (CHOLMOD) and
// what the process must set up for it.
#pragma once
#include <cmath>
#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

#include <Eigen/CholmodSupport>
#include <Eigen/Sparse>
#include <cholmod.h>

#include "assembly.h"
#include "openmp_scope.h"

namespace tarvel::fieldsolve::detail {

// A supernodal Cholesky factorisation (the dense blocks of the factor go to
// the BLAS, several times faster than a column-by-column one on the finest
// meshes) of a symmetric matrix given by its lower triangle, its unknowns
// already in the order of their elimination: the factorisation then reads
// the matrix as it stands, with no permuted copy of it.
//
// Unknowns ordered after all the others can be dropped from a solve: when
// no kept unknown comes after a dropped one in the elimination, the factor's
// rows and columns of the kept unknowns are the factor of the matrix without
// the dropped ones. So one factorisation also solves every problem that
// holds some of the unknowns fixed, their links otherwise the same.
//
// It is used on the thread that made it: the factorisation's parallel
// regions stay on that thread while it lives, and when the BLAS cannot
// serve two threads at once it holds the BLAS's turn as long.
class Cholesky {
public:
    Cholesky()
    {
        setUp();
        cholmod_start(&common_);
        common_.supernodal = CHOLMOD_SUPERNODAL;
        common_.final_asis = 1;
        common_.nmethods = 1;
        // The matrix comes in its order of elimination, which is already
        // a postorder of its tree (each part of the dissection before the
        // line that cuts it): CHOLMOD neither orders nor reorders it.
        common_.method[0].ordering = CHOLMOD_NATURAL;
        common_.postorder = 0;
    }
    ~Cholesky()
    {
        if (factor_)
            cholmod_free_factor(&factor_, &common_);
        cholmod_finish(&common_);
    }
    Cholesky(const Cholesky&) = delete;
    Cholesky& operator=(const Cholesky&) = delete;

    // Analyses the pattern of the lower triangle of a matrix whose unknowns
    // come in the order of their elimination, unknown order[p] at place p.
    bool analyse(const Matrix& lower, std::vector<int> order)
    {
        order_ = std::move(order);
        cholmod_sparse a = Eigen::viewAsCholmod(lower.selfadjointView<Eigen::Lower>());
        factor_ = cholmod_analyze(&a, &common_);
        return factor_ != nullptr && order_.size() == factor_->n;
    }

    bool factorise(const Matrix& lower)
    {
        cholmod_sparse a = Eigen::viewAsCholmod(lower.selfadjointView<Eigen::Lower>());
        return cholmod_factorize(&a, factor_, &common_) && factor_->minor == factor_->n;
    }

    // The solutions of several right-hand sides (the columns of `x` on
    // return), each with the unknowns marked in its `dropped` (if any) held
    // at zero and their equations left out.
    bool solve(const std::vector<Eigen::VectorXd>& rhs, const std::vector<const std::vector<char>*>& dropped,
               Eigen::MatrixXd& x)
    {
        if (!factor_->is_super)
            return false;
        const std::size_t n = factor_->n, m = rhs.size();
        // The right-hand sides side by side, in the order of elimination.
        std::vector<double> y(n * m);
        for (std::size_t k = 0; k < n; ++k)
            for (std::size_t c = 0; c < m; ++c)
                y[k * m + c] = rhs[c][order_[k]];
        substitute(y.data(), m, &Cholesky::forward<1>, &Cholesky::forward<2>);
        for (std::size_t c = 0; c < m; ++c)
            if (const std::vector<char>* d = dropped[c])
                for (std::size_t k = 0; k < n; ++k)
                    if ((*d)[std::size_t(order_[k])])
                        y[k * m + c] = 0;
        substitute(y.data(), m, &Cholesky::backward<1>, &Cholesky::backward<2>);
        x.resize(Eigen::Index(n), Eigen::Index(m));
        for (std::size_t k = 0; k < n; ++k)
            for (std::size_t c = 0; c < m; ++c)
                x(order_[k], Eigen::Index(c)) = y[k * m + c];
        return std::isfinite(x.sum());
    }

private:
    // Held first and let go last.
    std::unique_lock<std::mutex> turn_ = blasTurn();
    CallerThreadRegions regions_;
    cholmod_common common_{};

    // Once for the process: the factor's large blocks go to huge pages.
    static void setUp();
    // Held around the factorisation and the solves when the BLAS cannot
    // serve two threads at once; free otherwise.
    static std::unique_lock<std::mutex> blasTurn();

    cholmod_factor* factor_ = nullptr;
    std::vector<int> order_;

    // The substitutions run over the factor's supernodes, each a block of
    // columns stored densely (column by column, `rows` long) over the rows
    // of its pattern, the block's own columns first. The blocks of a field's
    // mesh are mostly small, and a right-hand side or two are solved at
    // once: plain loops that read each entry of the factor once for both
    // beat a call to the BLAS per block. `v` holds the M right-hand sides
    // solved together at v[k * stride + c], c < M.
    using Substitution = void (Cholesky::*)(double*, std::size_t) const;
    void substitute(double* v, std::size_t m, Substitution one, Substitution two) const
    {
        if (m == 2)
            (this->*two)(v, 2);
        else
            for (std::size_t c = 0; c < m; ++c)
                (this->*one)(v + c, m);
    }

    struct Supernode {
        int first, cols, rows;
        const int* row;
        const double* values; // column j at values + j * rows
    };
    Supernode supernode(std::size_t k) const
    {
        const auto* super = static_cast<const int*>(factor_->super);
        const auto* pi = static_cast<const int*>(factor_->pi);
        const auto* px = static_cast<const int*>(factor_->px);
        return {super[k], super[k + 1] - super[k], pi[k + 1] - pi[k], static_cast<const int*>(factor_->s) + pi[k],
                static_cast<const double*>(factor_->x) + px[k]};
    }

    // v <- the solution of L v = v.
    template <std::size_t M>
    void forward(double* v, std::size_t stride) const
    {
        for (std::size_t k = 0; k < factor_->nsuper; ++k) {
            const Supernode s = supernode(k);
            for (int j = 0; j < s.cols; ++j) {
                const double* column = s.values + std::ptrdiff_t(j) * s.rows;
                double* at = v + std::size_t(s.first + j) * stride;
                double vj[M];
                for (std::size_t c = 0; c < M; ++c)
                    vj[c] = at[c] /= column[j];
                for (int i = j + 1; i < s.rows; ++i) {
                    double* vi = v + std::size_t(s.row[i]) * stride;
                    for (std::size_t c = 0; c < M; ++c)
                        vi[c] -= column[i] * vj[c];
                }
            }
        }
    }

    // v <- the solution of L' v = v.
    template <std::size_t M>
    void backward(double* v, std::size_t stride) const
    {
        for (std::size_t k = factor_->nsuper; k-- > 0;) {
            const Supernode s = supernode(k);
            for (int j = s.cols - 1; j >= 0; --j) {
                const double* column = s.values + std::ptrdiff_t(j) * s.rows;
                double* at = v + std::size_t(s.first + j) * stride;
                double sum[M];
                for (std::size_t c = 0; c < M; ++c)
                    sum[c] = at[c];
                for (int i = j + 1; i < s.rows; ++i) {
                    const double* vi = v + std::size_t(s.row[i]) * stride;
                    for (std::size_t c = 0; c < M; ++c)
                        sum[c] -= column[i] * vi[c];
                }
                for (std::size_t c = 0; c < M; ++c)
                    at[c] = sum[c] / column[j];
            }
        }
    }
};

} // namespace tarvel::fieldsolve::detail
