// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_line.h"

#include <cmath>
#include <memory>

#include "Geome.h"
#include "field_jobs.h"

namespace tarvel::ui {

namespace {

// A window's one field solve at a time.
constexpr int kFieldLineKey = 0;

QString quantity(const fieldsolve::Compared& row, double value)
{
    // "eeff par" reads "εef par"; Z0 carries its unit.
    QString name = QString::fromStdString(row.name);
    if (name.startsWith(QLatin1String("eeff")))
        name = QString::fromUtf8("εef") + name.mid(4);
    const bool ohms = !row.unit.empty();
    return name + ' ' + QString::number(value, 'f', ohms ? 2 : 3) + (ohms ? QString::fromUtf8(" Ω") : QString());
}

void solveFor(CalculatorWindow& w)
{
    FieldJobs& jobs = FieldJobs::instance();
    const fieldsolve::CheckPlan plan = fieldsolve::planCheck(w.description(), w.fieldTexts());
    const bool section = TForm9::tabForWindow(w.description().number) >= 0 &&
                         fieldsolve::hasQuasiStaticCheck(plan.geometry.structure);
    if (!section || plan.kind == fieldsolve::CheckPlan::Kind::Refused ||
        plan.kind == fieldsolve::CheckPlan::Kind::Fault) {
        jobs.cancel(&w, kFieldLineKey);
        w.setResultNote({});
        return;
    }
    if (plan.kind != fieldsolve::CheckPlan::Kind::Ready) {
        jobs.cancel(&w, kFieldLineKey);
        w.setResultNote(QString::fromUtf8("Solução de campo: ") + QString::fromStdString(plan.message));
        return;
    }
    w.setResultNote(QString::fromUtf8("Solução de campo: resolvendo a seção desta janela…"));
    CalculatorWindow* window = &w;
    jobs.submit(window, kFieldLineKey, [window, plan](const std::atomic<bool>& cancel) -> std::function<void()> {
        auto check = std::make_shared<const fieldsolve::WindowCheck>(fieldsolve::runCheck(plan, 5e-4, &cancel));
        if (check->solution.cancelled)
            return {};
        return [window, check] {
            const FieldLine line = fieldLineOf(*check);
            window->setResultNote(line.text, line.tone);
        };
    });
}

} // namespace

FieldLine fieldLineOf(const fieldsolve::WindowCheck& check)
{
    FieldLine line;
    const fieldsolve::Solution& s = check.solution;
    if (!s.ok) {
        line.text = QString::fromUtf8("Solução de campo indisponível: ") + QString::fromStdString(s.failure);
        return line;
    }
    QStringList values, differences;
    double worst = 0;
    for (const fieldsolve::Compared& r : check.rows) {
        values << quantity(r, r.field);
        if (r.hasFormula && std::isfinite(r.differencePercent)) {
            differences << QString::asprintf("%+.1f %%", r.differencePercent);
            worst = std::max(worst, std::fabs(r.differencePercent));
        }
    }
    line.text = QString::fromUtf8("Solução de campo: ") + values.join(QStringLiteral(", "));
    if (!check.formulaFault().empty()) {
        // The field answers where the formula cannot.
        line.text += QString::fromUtf8(" — a fórmula falhou: ") + QString::fromStdString(check.formulaFault());
        line.tone = CalculatorWindow::NoteTone::Red;
        return line;
    }
    if (!differences.isEmpty())
        line.text += QString::fromUtf8(" — fórmula ") + differences.join(QStringLiteral(", "));
    if (!s.converged)
        line.text += QString::fromUtf8(" (não convergiu: erro estimado %1 %)").arg(100 * s.error, 0, 'f', 2);
    line.tone = worst > 10 ? CalculatorWindow::NoteTone::Red
              : worst > 2  ? CalculatorWindow::NoteTone::Amber
                           : CalculatorWindow::NoteTone::Plain;
    return line;
}

void installFieldLine()
{
    CalculatorWindow::resultsChanged = [](CalculatorWindow& w, bool results) {
        if (results)
            solveFor(w);
        else {
            FieldJobs::instance().cancel(&w, kFieldLineKey);
            w.setResultNote({});
        }
    };
}

} // namespace tarvel::ui
