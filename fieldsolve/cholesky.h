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
        const Eigen::Index n = Eigen::Index(factor_->n), m = Eigen::Index(rhs.size());
        const int* perm = order_.data();
        x.resize(n, m);
        for (Eigen::Index c = 0; c < m; ++c)
            for (Eigen::Index k = 0; k < n; ++k)
                x(k, c) = rhs[std::size_t(c)][perm[k]];
        forward(x);
        for (Eigen::Index c = 0; c < m; ++c)
            if (const std::vector<char>* d = dropped[std::size_t(c)])
                for (Eigen::Index k = 0; k < n; ++k)
                    if ((*d)[std::size_t(perm[k])])
                        x(k, c) = 0;
        backward(x);
        Eigen::MatrixXd y(n, m);
        for (Eigen::Index c = 0; c < m; ++c)
            for (Eigen::Index k = 0; k < n; ++k)
                y(perm[k], c) = x(k, c);
        x.swap(y);
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
    // mesh are mostly small, and two right-hand sides at most are solved at
    // once: plain loops over them beat a call to the BLAS per block.
    //
    // y <- the solution of L y = y.
    void forward(Eigen::MatrixXd& y) const
    {
        const auto* super = static_cast<const int*>(factor_->super);
        const auto* pi = static_cast<const int*>(factor_->pi);
        const auto* px = static_cast<const int*>(factor_->px);
        const auto* s = static_cast<const int*>(factor_->s);
        const auto* lx = static_cast<const double*>(factor_->x);
        for (std::size_t k = 0; k < factor_->nsuper; ++k) {
            const int first = super[k], cols = super[k + 1] - first, rows = pi[k + 1] - pi[k];
            const int* row = s + pi[k];
            for (Eigen::Index c = 0; c < y.cols(); ++c) {
                double* v = &y(0, c);
                for (int j = 0; j < cols; ++j) {
                    const double* column = lx + px[k] + std::ptrdiff_t(j) * rows;
                    const double vj = v[first + j] /= column[j];
                    for (int i = j + 1; i < rows; ++i)
                        v[row[i]] -= column[i] * vj;
                }
            }
        }
    }

    // y <- the solution of L' y = y.
    void backward(Eigen::MatrixXd& y) const
    {
        const auto* super = static_cast<const int*>(factor_->super);
        const auto* pi = static_cast<const int*>(factor_->pi);
        const auto* px = static_cast<const int*>(factor_->px);
        const auto* s = static_cast<const int*>(factor_->s);
        const auto* lx = static_cast<const double*>(factor_->x);
        for (std::size_t k = factor_->nsuper; k-- > 0;) {
            const int first = super[k], cols = super[k + 1] - first, rows = pi[k + 1] - pi[k];
            const int* row = s + pi[k];
            for (Eigen::Index c = 0; c < y.cols(); ++c) {
                double* v = &y(0, c);
                for (int j = cols - 1; j >= 0; --j) {
                    const double* column = lx + px[k] + std::ptrdiff_t(j) * rows;
                    double sum = v[first + j];
                    for (int i = j + 1; i < rows; ++i)
                        sum -= column[i] * v[row[i]];
                    v[first + j] = sum / column[j];
                }
            }
        }
    }
};

} // namespace tarvel::fieldsolve::detail
