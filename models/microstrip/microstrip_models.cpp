// The four microstrip windows' models: their controls, their checks in
// order, and the chain's results in display order.
#include "microstrip.h"

namespace tarvel::microstrip {
namespace {

const char* const heightMessage = "Altura do dielétrico inválida!!";
const char* const heightOverThickness = "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!";
const char* const permittivityMessage = "Constante dielétrica relativa inválida!!";
const char* const conductorMessage = "Condutividade do condutor inválida!!";
const char* const tangentMessage = "Tangente de perda do dielétrico inválida!!";
const char* const substrateMessage = "Condutividade do dielétrico inválida!!";

// A copper thickness picked from the list is in micrometres; typed, in mm.
Real thickness(const Inputs& in, const char* control)
{
    return in.isPicked(control) ? in[control] / 1000 : in[control];
}

// The first result is the impedance (analysis) or the width (synthesis).
Outcome display(const Line& l, const char* firstControl, Real firstValue)
{
    if (l.fault != Fault::None)
        return Outcome::faulted(l.fault);
    Outcome out;
    out.set(firstControl, firstValue)
        .set("efetiva", l.eeff)
        .set("CompMic", l.lambdaG)
        .set("Encfimlinha", l.dl)
        .set("Resistividade", l.Rs)
        .set("AtenCond", l.alphaC)
        .set("AtenDiel", l.alphaD)
        .set("Atentotal", l.alphaT)
        .set("Dielefet", l.eeffF)
        .set("ImpCarDisp", l.Z0F)
        .set("Resistencia", l.F)
        .set("FatorQr", l.Qr)
        .set("FatorQd", l.Qd)
        .set("FatorQc", l.Qc)
        .set("FatorQ", l.Qt);
    return out;
}

// The analysis windows share their checks but for the loss and thickness texts.
struct AnalysisControls {
    const char *er, *sigma, *loss, *lossMessage, *thicknessMessage;
    Variant variant;
};

Outcome analyseWindow(const Inputs& in, const AnalysisControls& c)
{
    const Real f = in["frequencia"], er = in[c.er], sigma = in[c.sigma], loss = in[c.loss], W = in["largura"],
               h = in["ComboBox4"], t = thickness(in, "ComboBox3");
    if (!(f > 0)) return Outcome::refuse("Freqüência Inválida!!");
    if (!(er >= 1)) return Outcome::refuse(permittivityMessage);
    if (!(sigma > 0)) return Outcome::refuse(conductorMessage);
    if (!(loss > 0)) return Outcome::refuse(c.lossMessage);
    if (!(W > 0)) return Outcome::refuse("Largura da fita condutora inválida!!");
    if (!(h >= 0.13L)) return Outcome::refuse(heightMessage);
    if (!(t > 0)) return Outcome::refuse(c.thicknessMessage);
    if (!(h > t)) return Outcome::refuse(heightOverThickness);
    const Line l = analyse({f, er, sigma, loss, h, t}, W, c.variant);
    return display(l, "impcarac", l.Z0);
}

struct SynthesisControls {
    const char *er, *sigma, *loss, *h, *t;
    const char *impedanceMessage, *frequencyMessage, *lossMessage;
    bool listThickness; // t may be a pick in micrometres
    Variant variant;
};

Outcome synthesiseWindow(const Inputs& in, const SynthesisControls& c)
{
    const Real Z0 = in["Impedancia"], f = in["frequencia"], er = in[c.er], sigma = in[c.sigma], loss = in[c.loss],
               h = in[c.h], t = c.listThickness ? thickness(in, c.t) : in[c.t];
    if (!(Z0 > 0)) return Outcome::refuse(c.impedanceMessage);
    if (!(f > 0)) return Outcome::refuse(c.frequencyMessage);
    if (!(er >= 1)) return Outcome::refuse(permittivityMessage);
    if (!(sigma > 0)) return Outcome::refuse(conductorMessage);
    if (!(loss > 0)) return Outcome::refuse(c.lossMessage);
    if (!(h >= 0.13L)) return Outcome::refuse(heightMessage);
    if (!(t > 0)) return Outcome::refuse("Espessura da Fita Condutora Inválida!!");
    if (!(h > t)) return Outcome::refuse(heightOverThickness);
    const Line l = synthesise({f, er, sigma, loss, h, t}, Z0, c.variant);
    return display(l, "Largura", l.W);
}

} // namespace

Outcome analysisModel(const Inputs& in)
{
    static const AnalysisControls c{"Combobox2", "Combobox1", "Tanperda", tangentMessage,
                                    "Espessura da fita condutora inválida!!",
                                    {roundedNarrowBound, SubstrateLoss::Tangent}};
    return analyseWindow(in, c);
}

Outcome analysisConductingModel(const Inputs& in)
{
    static const AnalysisControls c{"ComboBox2", "ComboBox1", "CondMat", substrateMessage,
                                    "Espessura da Fita Condutora Inválida!!",
                                    {exactNarrowBound, SubstrateLoss::Conductivity}};
    return analyseWindow(in, c);
}

Outcome synthesisModel(const Inputs& in)
{
    static const SynthesisControls c{"ComboBox2", "ComboBox1", "Tanperda", "ComboBox4", "ComboBox3",
                                     "Impedância característica Inválida!!", "Freqüência Inválida!!",
                                     tangentMessage, true, {roundedNarrowBound, SubstrateLoss::Tangent}};
    return synthesiseWindow(in, c);
}

Outcome synthesisConductingModel(const Inputs& in)
{
    static const SynthesisControls c{"constdiel", "condutividade", "condsubs", "alturadiel", "espesfita",
                                     "Impedância característica inválida!!", "Freqüência inválida!!",
                                     substrateMessage, false, {roundedNarrowBound, SubstrateLoss::Conductivity}};
    return synthesiseWindow(in, c);
}

} // namespace tarvel::microstrip
