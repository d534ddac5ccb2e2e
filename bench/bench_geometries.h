// SPDX-License-Identifier: GPL-3.0-or-later
// The field bench's geometries: for each structure, those of the
// tutorial's tables, narrow to wide, er 2.2 to 10.2, 1/2 oz and 2 oz copper.
#pragma once
#include <utility>
#include <vector>

#include "fieldsolve/sections.h"

namespace tarvel::bench {

using fieldsolve::Geometry;
using fieldsolve::Structure;

inline const double kThick[] = {0.0175, 0.07};

inline std::vector<Geometry> geometries(Structure s)
{
    std::vector<Geometry> out;
    auto add = [&](double w, double gap, double h, double t, double er) {
        out.push_back(Geometry{s, w, gap, h, t, er});
    };
    switch (s) {
    case Structure::Microstrip:
        for (auto [er, h] : {std::pair{2.2, 0.787}, {4.4, 1.6}, {10.2, 0.635}})
            for (double r : {0.2, 1.0, 3.0, 10.0})
                for (double t : kThick)
                    add(r * h, 0, h, t, er);
        break;
    case Structure::Stripline:
        for (double r : {0.1, 0.5, 2.0})
            for (double t : kThick)
                add(r * 1.57, 0, 1.57, t, 2.2);
        break;
    case Structure::Cpw:
    case Structure::Cps:
        for (auto [er, h] : {std::pair{2.2, 0.254}, {2.2, 1.57}, {10.2, 0.254}, {10.2, 1.27}})
            for (auto [w, gap] : {std::pair{0.2, 0.1}, {1.0, 0.2}, {4.0, 0.5}})
                for (double t : kThick)
                    add(w, gap, h, t, er);
        break;
    case Structure::CoupledMicrostrip:
        for (auto [er, h] : {std::pair{2.2, 0.787}, {10.2, 0.635}})
            for (double wr : {0.5, 2.0})
                for (double sr : {0.1, 1.0})
                    for (double t : kThick)
                        add(wr * h, sr * h, h, t, er);
        break;
    case Structure::CoupledStripline:
        for (double w : {0.6, 1.5})
            for (double gap : {0.1, 0.5})
                for (double t : kThick)
                    add(w, gap, 1.57, t, 2.2);
        break;
    default: break;
    }
    return out;
}


inline const std::pair<const char*, Structure> kStructures[] = {
    {"Microstrip", Structure::Microstrip}, {"Stripline", Structure::Stripline},
    {"CPW", Structure::Cpw},               {"CPS", Structure::Cps},
    {"CoupledMicrostrip", Structure::CoupledMicrostrip}, {"CoupledStripline", Structure::CoupledStripline}};

} // namespace tarvel::bench
