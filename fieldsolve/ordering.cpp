// SPDX-License-Identifier: GPL-3.0-or-later
#include "ordering.h"

#include <algorithm>
#include <limits>

namespace tarvel::fieldsolve::detail {

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

} // namespace tarvel::fieldsolve::detail
