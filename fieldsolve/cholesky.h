// SPDX-License-Identifier: GPL-3.0-or-later
// The sparse Cholesky factorisation of the field's systems (CHOLMOD) and
// what the process must set up for it.
#pragma once
#include <mutex>
#include <vector>

#include <Eigen/CholmodSupport>
#include <Eigen/Sparse>
#include <cholmod.h>

#include "assembly.h"
#include "openmp_scope.h"

namespace tarvel::fieldsolve::detail {

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

} // namespace tarvel::fieldsolve::detail
