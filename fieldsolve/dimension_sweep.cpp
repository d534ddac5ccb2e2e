// SPDX-License-Identifier: GPL-3.0-or-later
#include "dimension_sweep.h"

#include <cmath>

#include "framework/core/number_text.h"

namespace tarvel::fieldsolve {

namespace {

// "Com W = 0.300000: ", the value in the unit the user gave.
std::string at(const std::string& name, double mm, Unit unit)
{
    return "Com " + name + " = " + formatFixed(unit == Unit::Mil ? mm / kMmPerMil : mm, 6) + ": ";
}

Design with(const Design& d, const std::string& name, double value)
{
    Design step = d;
    step.set(name, value);
    return step;
}

// Whether the pair is solved by its strips' voltages at every point.
bool byVoltages(const Design& d, const std::string& name, const std::vector<double>& values,
                const std::optional<SweepFrequency>& frequency)
{
    if (!frequency || !d.info().pair)
        return false;
    for (double v : values)
        if (excitationsOf(with(d, name, v)) == Excitations::Matrix)
            return true;
    return false;
}

} // namespace

std::string invalidDimensionSweep(const Design& d, const std::string& name, const std::vector<double>& values,
                                  const std::optional<SweepFrequency>& frequency, Unit unit)
{
    const TemplateInfo& info = d.info();
    const int k = info.index(name);
    if (k < 0)
        return "A dimensão " + name + " não existe em " + info.name + ".";
    if (!info.parameters[std::size_t(k)].length)
        return "O campo " + name + " (" + info.parameters[std::size_t(k)].label + ") não é uma dimensão.";
    if (values.empty() || values.size() > kMaxPoints)
        return "número de pontos deve estar entre 1 e " + std::to_string(kMaxPoints);
    std::string failure;
    if (frequency) {
        LossInputs probe = designLossInputs(d, frequency->metal, frequency->tands);
        if (failure = invalidLossInputs(probe); !failure.empty())
            return failure;
    }
    for (double v : values) {
        if (!std::isfinite(v))
            return at(name, v, unit) + "valor inválido.";
        const Design step = with(d, name, v);
        if (failure = checkDesign(step); !failure.empty())
            return at(name, v, unit) + failure;
        if (frequency) {
            const LossFrame frame = designLossFrame(step);
            if (!frame.finite && (!std::isinf(frequency->metal[0].sigma) || !std::isinf(frequency->metal[1].sigma)))
                return at(name, v, unit) + "perda no condutor exige espessura t > 0";
            LineModel limits;
            limits.fMax = quasiStaticLimit(frame, 1e-3);
            if (failure = invalidFrequency(limits, frequency->f); !failure.empty())
                return at(name, v, unit) + failure;
        }
    }
    return {};
}

DimensionSweep sweepDimension(const Design& d, const std::string& name, const std::vector<double>& values,
                              const std::optional<SweepFrequency>& frequency, Unit unit,
                              const std::atomic<bool>* cancel, const std::function<void(int)>& progress)
{
    DimensionSweep out;
    if (out.failure = invalidDimensionSweep(d, name, values, frequency, unit); !out.failure.empty()) {
        out.refused = true;
        return out;
    }
    const bool matrix = byVoltages(d, name, values, frequency);
    for (double v : values) {
        const Design step = with(d, name, v);
        DimensionPoint p;
        p.value = v;
        if (!frequency) {
            p.analysis = analyse(step, kDesignTolerance, cancel);
        } else {
            const Section section = matrix ? matrixSection(step) : designSection(step);
            const LossFrame frame = matrix ? matrixLossFrame(step) : designLossFrame(step);
            const LossSolution s = solveLosses(section, frame, kDesignTolerance, {}, cancel);
            p.analysis = matrix ? analysisOf(step, s.statics, Excitations::Matrix) : analysisOf(step, s.statics);
            if (s.statics.ok) {
                std::string failure;
                const LineModel model =
                    lineModel(s, designLossInputs(step, frequency->metal, frequency->tands), failure);
                if (!failure.empty()) {
                    out.failure = at(name, v, unit) + failure;
                    return out;
                }
                p.at = evaluate(model, frequency->f);
                p.surfaceError = model.surfaceError;
            }
        }
        if (p.analysis.cancelled) {
            out.cancelled = true;
            return out;
        }
        if (!p.analysis.ok) {
            out.failure = at(name, v, unit) + p.analysis.failure;
            return out;
        }
        out.points.push_back(std::move(p));
        if (progress)
            progress(int(out.points.size()));
    }
    return out;
}

} // namespace tarvel::fieldsolve
