// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer_text.h"

#include <cmath>

#include <QStringList>

namespace tarvel::ui::designer {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }
QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

// The rows each written once: key, label; the value comes from the analysis.
struct Row {
    const char* key;
    const char* label;
    int decimals;
    double scale; // from the analysis's SI value to the unit shown
};

const Row kSingle[] = {{"Z0", "Impedância característica Z0 (Ω)", 3, 1},
                       {"eeff", "Constante dielétrica efetiva εef", 4, 1},
                       {"C", "Capacitância C (pF/m)", 3, 1e12},
                       {"L", "Indutância L (nH/m)", 3, 1e9}};
const Row kPair[] = {{"Z0e", "Z0 do modo par Z0e (Ω)", 3, 1},
                     {"Z0o", "Z0 do modo ímpar Z0o (Ω)", 3, 1},
                     {"eeff_e", "εef do modo par", 4, 1},
                     {"eeff_o", "εef do modo ímpar", 4, 1},
                     {"Zdiff", "Diferencial Zdiff (Ω)", 3, 1},
                     {"Zcm", "Modo comum Zcm (Ω)", 3, 1},
                     {"k", "Acoplamento k", 4, 1},
                     {"C11", "C11 (pF/m)", 3, 1e12},
                     {"C12", "C12 (pF/m)", 3, 1e12},
                     {"C22", "C22 (pF/m)", 3, 1e12},
                     {"L11", "L11 (nH/m)", 3, 1e9},
                     {"L12", "L12 (nH/m)", 3, 1e9},
                     {"L22", "L22 (nH/m)", 3, 1e9}};
const Row kSolve[] = {{"erro", "Erro estimado (%)", 3, 100},
                      {"tempo", "Tempo de processador (s)", 2, 1},
                      {"solucoes", "Soluções de campo", 0, 1}};

double valueOf(const fieldsolve::Analysis& a, const char* key)
{
    const QString k = QString::fromLatin1(key);
    if (k == "Z0") return a.z0;
    if (k == "eeff") return a.eeff;
    if (k == "C") return a.c;
    if (k == "L") return a.l;
    if (k == "Z0e") return a.z0e;
    if (k == "Z0o") return a.z0o;
    if (k == "eeff_e") return a.eeffE;
    if (k == "eeff_o") return a.eeffO;
    if (k == "Zdiff") return a.zdiff;
    if (k == "Zcm") return a.zcm;
    if (k == "k") return a.k;
    if (k == "C11") return a.cMatrix[0][0];
    if (k == "C12") return a.cMatrix[0][1];
    if (k == "C22") return a.cMatrix[1][1];
    if (k == "L11") return a.lMatrix[0][0];
    if (k == "L12") return a.lMatrix[0][1];
    if (k == "L22") return a.lMatrix[1][1];
    if (k == "erro") return a.error;
    if (k == "tempo") return a.seconds;
    return a.solves;
}

template <std::size_t N>
void append(std::vector<ResultRow>& out, const Row (&rows)[N], const fieldsolve::Analysis* a)
{
    for (const Row& r : rows)
        out.push_back({QString::fromLatin1(r.key), u(r.label),
                       a ? fixed(valueOf(*a, r.key) * r.scale, r.decimals) : QString()});
}

std::vector<ResultRow> rows(bool pair, const fieldsolve::Analysis* a)
{
    std::vector<ResultRow> out;
    if (pair)
        append(out, kPair, a);
    else
        append(out, kSingle, a);
    append(out, kSolve, a);
    return out;
}

} // namespace

std::vector<ResultRow> resultRows(const fieldsolve::Analysis& a) { return rows(a.pair, &a); }
std::vector<ResultRow> emptyRows(bool pair) { return rows(pair, nullptr); }

QString analysisNote(const fieldsolve::Analysis& a)
{
    QStringList notes;
    if (a.pair && !a.symmetric)
        notes << u("Par assimétrico: os modos são o diferencial (correntes opostas, Zdiff, Z0o = Zdiff/2) "
                   "e o comum (correntes iguais, Zcm, Z0e = 2·Zcm).");
    if (!a.converged)
        notes << u("A malha chegou ao seu limite antes da tolerância: os valores são os melhores alcançados, "
                   "com erro estimado de %1 %.")
                     .arg(fixed(a.error * 100, 3));
    return notes.join('\n');
}

QString solvesText(int solves)
{
    return solves == 1 ? u("1 solução de campo") : u("%1 soluções de campo").arg(solves);
}

double toUnit(double mm, fieldsolve::Unit unit)
{
    return unit == fieldsolve::Unit::Mil ? mm / fieldsolve::kMmPerMil : mm;
}

QString lengthText(double mm, fieldsolve::Unit unit)
{
    return QString::number(toUnit(mm, unit), 'g', 6);
}

} // namespace tarvel::ui::designer
