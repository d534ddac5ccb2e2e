// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_export.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

#include <Eigen/Dense>

#include "framework/core/project_file.h"

namespace tarvel::fieldsolve {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Sections of the SPICE ladder per wavelength at the highest frequency: the
// phase of a ladder of lumped sections departs from the line's by about
// (beta dl)^2 / 24 of itself, here 0.1 %.
constexpr double kSectionsPerWavelength = 40;
constexpr int kMinSections = 10;
constexpr int kMaxSections = 20000;

// A stream that writes numbers the same in any locale.
std::ostringstream plain()
{
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << std::setprecision(12);
    return s;
}

} // namespace

S2 lineS(Complex zc, Complex gamma, double length, double zref)
{
    // The chain matrix of the line, then the scattering matrix between
    // ports of zref: S11 = (A + B/z - C z - D) / den, S21 = 2 (AD - BC) / den.
    const Complex gl = gamma * length;
    const Complex a = std::cosh(gl), b = zc * std::sinh(gl), c = std::sinh(gl) / zc;
    const Complex den = a + b / zref + c * zref + a;
    S2 s;
    s[0][0] = s[1][1] = (b / zref - c * zref) / den;
    s[1][0] = s[0][1] = 2.0 / den;
    return s;
}

S4 pairS(const ModeAt& even, const ModeAt& odd, double length, double zref)
{
    // Driven on both lines alike the pair is the even mode's line, driven
    // in opposition the odd mode's; each port's wave is half the sum or the
    // difference of the two.
    const S2 e = lineS(even.zc, even.gamma, length, zref), o = lineS(odd.zc, odd.gamma, length, zref);
    S4 s{};
    for (int p = 0; p < 2; ++p)
        for (int q = 0; q < 2; ++q) {
            const Complex same = (e[p][q] + o[p][q]) / 2.0, other = (e[p][q] - o[p][q]) / 2.0;
            s[p][q] = s[p + 2][q + 2] = same;
            s[p][q + 2] = s[p + 2][q] = other;
        }
    return s;
}

S4 pairS(const LineAt& at, double length, double zref)
{
    using M2 = Eigen::Matrix2cd;
    using M4 = Eigen::Matrix4cd;
    const double omega = 2 * kPi * at.f;
    const PairModes modes = pairModes(at.r, at.l, at.g, at.c, at.f);
    M2 z, t;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            z(i, j) = Complex(at.r[std::size_t(i)][std::size_t(j)], omega * at.l[std::size_t(i)][std::size_t(j)]);
            t(i, j) = modes.v[std::size_t(i)][std::size_t(j)];
        }
    M2 gamma = M2::Zero(), ch = M2::Zero(), sh = M2::Zero();
    for (int k = 0; k < 2; ++k) {
        const Complex gl = modes.gamma[std::size_t(k)] * length;
        gamma(k, k) = modes.gamma[std::size_t(k)];
        ch(k, k) = std::cosh(gl);
        sh(k, k) = std::sinh(gl);
    }
    // The waves: V = T (e^-Gz a + e^Gz b), I = W (e^-Gz a - e^Gz b), so
    // the far end from the near one, every entry bounded (a lossless line
    // half a wavelength long too):
    // V_l = T ch T^-1 V_0 - T sh W^-1 I_0, I_l = W ch W^-1 I_0 - W sh T^-1 V_0.
    const M2 w = z.inverse() * t * gamma, tInverse = t.inverse(), wInverse = w.inverse();
    const M2 vv = t * ch * tInverse, vi = -(t * sh * wInverse), iv = -(w * sh * tInverse), ii = w * ch * wInverse;
    // Incident and reflected waves (times 2 sqrt(zref)) of the near ports
    // (current into the line) and the far ones (current out of it), from
    // the near end's V_0 and I_0.
    const M2 one = M2::Identity();
    M4 incident, reflected;
    incident << one, zref * one, vv - zref * iv, vi - zref * ii;
    reflected << one, -zref * one, vv + zref * iv, vi + zref * ii;
    const M4 sm = reflected * incident.inverse();
    // Rows and columns 0, 1 the near ends of lines 1, 2; 2, 3 the far ends.
    // Ports: line 1 near, line 1 far, line 2 near, line 2 far.
    const int at4[4] = {0, 2, 1, 3};
    S4 s;
    for (int p = 0; p < 4; ++p)
        for (int q = 0; q < 4; ++q)
            s[std::size_t(p)][std::size_t(q)] = sm(at4[p], at4[q]);
    return s;
}

std::string invalidExport(double length, double zref)
{
    if (!(std::isfinite(length) && length > 0))
        return "comprimento da linha deve ser positivo";
    if (!(std::isfinite(zref) && zref > 0))
        return "impedância de referência deve ser positiva";
    return {};
}

std::string touchstone(const std::vector<LineAt>& sweep, double length, double zref,
                       const std::vector<std::string>& comments)
{
    std::ostringstream out = plain();
    for (const std::string& c : comments)
        out << "! " << c << '\n';
    const bool pair = !sweep.empty() && sweep.front().modes.size() == 2;
    out << "! comprimento " << length << " m, impedância de referência " << zref << " ohm\n";
    if (pair)
        out << "! portas: 1 linha 1 entrada, 2 linha 1 saída, 3 linha 2 entrada, 4 linha 2 saída\n";
    else
        out << "! portas: 1 entrada, 2 saída\n";
    out << "# Hz S RI R " << zref << '\n';
    auto put = [&](Complex z) { out << ' ' << z.real() << ' ' << z.imag(); };
    for (const LineAt& at : sweep) {
        out << at.f;
        if (!pair) {
            // Two ports: S11 S21 S12 S22 on one line.
            const S2 s = lineS(at.modes[0].zc, at.modes[0].gamma, length, zref);
            put(s[0][0]);
            put(s[1][0]);
            put(s[0][1]);
            put(s[1][1]);
            out << '\n';
            continue;
        }
        // Four ports: a row of the matrix per line.
        const S4 s = at.general ? pairS(at, length, zref) : pairS(at.modes[0], at.modes[1], length, zref);
        for (int p = 0; p < 4; ++p) {
            if (p > 0)
                out << ' ';
            for (int q = 0; q < 4; ++q)
                put(s[std::size_t(p)][std::size_t(q)]);
            out << '\n';
        }
    }
    return out.str();
}

int ladderSections(const LineModel& m, double length, double fMax)
{
    double slowest = 0;
    for (const LineModel::Mode& mode : m.modes)
        slowest = std::max(slowest, std::sqrt(mode.c / mode.cAir) / kLight);
    if (m.general) {
        // The slower mode of the lossless pair: the larger eigenvalue of
        // C_air^-1 C, the modes' eeff.
        const Matrix2 &c = m.matrices.c, &a = m.matrices.cAir;
        const double det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
        const double p00 = (a[1][1] * c[0][0] - a[0][1] * c[1][0]) / det, p01 = (a[1][1] * c[0][1] - a[0][1] * c[1][1]) / det;
        const double p10 = (a[0][0] * c[1][0] - a[1][0] * c[0][0]) / det, p11 = (a[0][0] * c[1][1] - a[1][0] * c[0][1]) / det;
        const double half = (p00 + p11) / 2, split = std::sqrt(std::max(0.0, (p00 - p11) * (p00 - p11) / 4 + p01 * p10));
        slowest = std::sqrt(half + split) / kLight;
    }
    const double wavelengths = length * fMax * slowest;
    return std::clamp(int(std::ceil(kSectionsPerWavelength * wavelengths)), kMinSections, kMaxSections);
}

std::string spiceSubcircuit(const LineModel& m, double length, double fRef, double fMax, const std::string& name,
                            const std::vector<std::string>& comments)
{
    const LineAt at = evaluate(m, fRef);
    const int n = ladderSections(m, length, fMax);
    const double dl = length / n;
    std::ostringstream out = plain();
    for (const std::string& c : comments)
        out << "* " << c << '\n';
    out << "* comprimento " << length << " m em " << n << " seções; R, L, G, C por metro em " << fRef << " Hz\n";
    const bool pair = (m.pair || m.general) && at.modes.size() == 2;
    // One section: series R/2, L/2, the shunt G and C, series L/2, R/2 (a
    // symmetric T: the ladder reads the same from either end).
    if (!pair) {
        const ModeAt& a = at.modes[0];
        out << "* R " << a.r << " ohm/m, L " << a.l << " H/m, G " << a.g << " S/m, C " << a.c << " F/m\n";
        out << ".subckt " << name << " p1 p2 ref\n";
        for (int k = 0; k < n; ++k) {
            const std::string from = k == 0 ? "p1" : "n" + std::to_string(k), to = k + 1 == n ? "p2" : "n" + std::to_string(k + 1);
            const std::string s = std::to_string(k);
            out << "R" << s << "a " << from << " a" << s << ' ' << a.r * dl / 2 << '\n';
            out << "L" << s << "a a" << s << " m" << s << ' ' << a.l * dl / 2 << '\n';
            if (a.g > 0)
                out << "RP" << s << " m" << s << " ref " << 1 / (a.g * dl) << '\n';
            out << "C" << s << " m" << s << " ref " << a.c * dl << '\n';
            out << "L" << s << "b m" << s << " b" << s << ' ' << a.l * dl / 2 << '\n';
            out << "R" << s << "b b" << s << ' ' << to << ' ' << a.r * dl / 2 << '\n';
        }
        out << ".ends " << name << '\n';
        return out.str();
    }
    // A pair: per section, as for a line, a symmetric T on each line: in
    // each half the series R11 / 2, the other line's current through
    // R12 / 2 (a current-controlled source, sensed by a source of no
    // voltage), L11 / 2 coupled to the other's by L12; in the middle shunts
    // C11 + C12 and G11 + G12 to the reference and -C12, -G12 between the
    // lines (Maxwell's C12 and G12 are negative).
    auto matrix = [&](const Matrix2& x) {
        std::ostringstream m = plain();
        m << "[[" << x[0][0] << ", " << x[0][1] << "], [" << x[1][0] << ", " << x[1][1] << "]]";
        return m.str();
    };
    out << "* R " << matrix(at.r) << " ohm/m, L " << matrix(at.l) << " H/m, G " << matrix(at.g) << " S/m, C "
        << matrix(at.c) << " F/m\n";
    out << ".subckt " << name << " p1 p2 p3 p4 ref\n";
    const double coupling = at.l[0][1] / std::sqrt(at.l[0][0] * at.l[1][1]);
    auto node = [&](int line, int k) {
        if (k == 0)
            return std::string(line == 1 ? "p1" : "p3");
        if (k == n)
            return std::string(line == 1 ? "p2" : "p4");
        return "n" + std::to_string(line) + "_" + std::to_string(k);
    };
    for (int k = 0; k < n; ++k) {
        const std::string s = std::to_string(k);
        auto mid = [&](int line) { return "m" + std::to_string(line) + "_" + s; };
        for (const char half : {'a', 'b'})
            for (int line = 1; line <= 2; ++line) {
                const std::string l = std::to_string(line) + "_" + s + half;
                const std::string other = std::to_string(3 - line) + "_" + s + half;
                const std::string from = half == 'a' ? node(line, k) : mid(line);
                const std::string to = half == 'a' ? mid(line) : node(line, k + 1);
                const std::size_t i = std::size_t(line - 1);
                out << "R" << l << ' ' << from << " a" << l << ' ' << at.r[i][i] * dl / 2 << '\n';
                out << "H" << l << " a" << l << " b" << l << " V" << other << ' ' << at.r[0][1] * dl / 2 << '\n';
                out << "L" << l << " b" << l << " c" << l << ' ' << at.l[i][i] * dl / 2 << '\n';
                out << "V" << l << " c" << l << ' ' << to << " 0\n";
                if (line == 2)
                    out << "K" << s << half << " L1_" << s << half << " L2_" << s << half << ' ' << coupling << '\n';
            }
        for (int line = 1; line <= 2; ++line) {
            const std::string l = std::to_string(line) + "_" + s;
            const std::size_t i = std::size_t(line - 1);
            out << "C" << l << ' ' << mid(line) << " ref " << (at.c[i][i] + at.c[0][1]) * dl << '\n';
            if (at.g[i][i] + at.g[0][1] > 0)
                out << "RP" << l << ' ' << mid(line) << " ref " << 1 / ((at.g[i][i] + at.g[0][1]) * dl) << '\n';
        }
        out << "CM" << s << ' ' << mid(1) << ' ' << mid(2) << ' ' << -at.c[0][1] * dl << '\n';
        if (at.g[0][1] < 0)
            out << "RM" << s << ' ' << mid(1) << ' ' << mid(2) << ' ' << -1 / (at.g[0][1] * dl) << '\n';
    }
    out << ".ends " << name << '\n';
    return out.str();
}

bool writeExport(const std::string& path, const std::string& text, std::string& error)
{
    return writeFileAtomically(path, Bytes(text.begin(), text.end()), error);
}

} // namespace tarvel::fieldsolve
