#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Regenerates the tutorial's table of the windows' loss formulas against the field.

For one representative geometry and frequency of each structure whose
window computes losses, runs the window (`tarvel-calc JANELA ... --json`)
and the field's losses of the same section (`tarvel-calc sweep ... --json`
at that one frequency), and writes, between the markers
<!-- perdas:inicio --> and <!-- perdas:fim --> of resources/principal.htm,
the conductor and dielectric attenuation of both in dB/cm with the
formula's difference in %, and a sentence per structure on where the
formula holds.

    scripts/loss_check_table.py [path/to/tarvel-calc] [--print]

With --print the section goes to standard output and the page is left as is.
"""
import json
import math
import os
import subprocess
import sys

from tutorial_page import ROOT, write_section
BEGIN, END = "<!-- perdas:inicio -->", "<!-- perdas:fim -->"

SIGMA = "57600000"  # the windows' copper
T = 0.035           # 1 oz copper, mm
ER, TAND = 3.48, 0.004

# Structure, window, its inputs, its results (conductor, dielectric) per
# mode, the results' unit, the field's structure and arguments, the modes'
# names in the field's answer, the geometry as the table states it, and
# where the formula holds.
CASES = [
    {
        "name": "Linha bifilar", "window": "TForm2",
        "inputs": {"Frequencia": "0.3", "ComboBox2": "2.1", "ComboBox1": SIGMA, "Tanperda": "0.0003",
                   "Espacamento": "10", "diametro": "1"},
        "results": [("AtenCond", "AtenDiel")], "per_m": True, "own": ("resistencia", "impedancia"),
        "field": ["two-wire", "d=1", "D=10", "er=2.1", "tand=0.0003"], "f": 0.3e9,
        "geometry": "d = 1, D = 10 (centro a centro), ε<sub>r</sub> = 2.1, tanδ = 0.0003",
        "verdict": "A α<sub>c</sub> da janela é {ratio0:.2f} vezes a do campo, embora a resistência por metro e a "
                   "Z<sub>0</sub> que ela mostra sejam as do campo: com elas, 8.686·R/(2Z<sub>0</sub>) fica a "
                   "{own:+.1f} % do campo. Não confie na α<sub>c</sub> da janela bifilar: use R/(2Z<sub>0</sub>) "
                   "com os seus R e Z<sub>0</sub>, ou o campo. α<sub>d</sub> ({d0:+.1f} %) é exata num "
                   "preenchimento homogêneo.",
    },
    {
        "name": "Cabo coaxial", "window": "TForm3",
        "inputs": {"Frequencia": "1", "ComboBox2": "2.1", "ComboBox1": SIGMA, "Rigidez": "50",
                   "TanPerda": "0.0003", "Diaext": "2.95", "Diaint": "0.91"},
        "results": [("AtenCond", "AtenDiel")], "per_m": True,
        "field": ["coax", "d=0.91", "D=2.95", "er=2.1", "tand=0.0003"], "f": 1e9,
        "geometry": "d = 0.91, D = 2.95, ε<sub>r</sub> = 2.1, tanδ = 0.0003",
        "verdict": "As duas fórmulas são exatas para condutores lisos bem acima do efeito pelicular "
                   "({c0:+.1f} % e {d0:+.1f} %): confiáveis em toda a faixa da janela.",
    },
    {
        "name": "Microstrip", "window": "TForm4",
        "inputs": {"frequencia": "10", "Combobox2": str(ER), "Combobox1": SIGMA, "Tanperda": str(TAND),
                   "largura": "0.55", "ComboBox4": "0.254", "ComboBox3": str(T)},
        "results": [("AtenCond", "AtenDiel")],
        "field": ["microstrip", "W=0.55", "h=0.254", "t=%g" % T, "er=%g" % ER, "tand=%g" % TAND], "f": 10e9,
        "geometry": "W = 0.55, H = 0.254, t = 0.035, ε<sub>r</sub> = 3.48, tanδ = 0.004",
        "verdict": "α<sub>d</sub> ({d0:+.1f} %) herda o erro do ε<sub>ef</sub> da fórmula (tabelas acima). "
                   "α<sub>c</sub> fica a {c0:+.1f} % do campo nesta fita sobre substrato fino: use-a como "
                   "estimativa, e o campo quando a perda no condutor decide o projeto.",
    },
    {
        "name": "Stripline", "window": "TForm5",
        "inputs": {"Frequencia": "10", "ComboBox2": str(ER), "ComboBox1": SIGMA, "Tanperda": str(TAND),
                   "Largura": "0.3", "ComboBox4": "0.5", "ComboBox3": str(T)},
        "results": [("AtenCond", "Atendiel")],
        "field": ["stripline", "W=0.3", "t=%g" % T, "h1=%g" % ((0.5 - T) / 2), "h2=%g" % ((0.5 - T) / 2),
                  "er1=%g" % ER, "er2=%g" % ER, "tand1=%g" % TAND, "tand2=%g" % TAND], "f": 10e9,
        "geometry": "W = 0.3, b = 0.5, t = 0.035, ε<sub>r</sub> = 3.48, tanδ = 0.004",
        "verdict": "Fita de largura média (W/b = 0.6): α<sub>c</sub> a {c0:+.1f} % e α<sub>d</sub>, exata num "
                   "preenchimento homogêneo, a {d0:+.1f} %: as fórmulas da stripline são confiáveis.",
    },
    {
        "name": "CPW", "window": "TForm11",
        "inputs": {"Frequencia": "10", "ComboBox2": str(ER), "ComboBox1": SIGMA, "Tanperda": str(TAND),
                   "Largura": "0.4", "Sep": "0.2", "ComboBox4": "0.5", "ComboBox3": str(T)},
        "results": [("AtenCond", "Atendiel")],
        "field": ["cpw", "W=0.4", "S=0.2", "h=0.5", "t=%g" % T, "er=%g" % ER, "tand=%g" % TAND], "f": 10e9,
        "geometry": "W = 0.4, S = 0.2, H = 0.5, t = 0.035, ε<sub>r</sub> = 3.48, tanδ = 0.004",
        "verdict": "α<sub>d</sub> ({d0:+.1f} %) herda o erro do ε<sub>ef</sub> da fórmula; α<sub>c</sub> fica "
                   "a {c0:+.1f} % do campo: para a perda no condutor da CPW use o campo.",
    },
    {
        "name": "CPS", "window": "TForm13",
        "inputs": {"Frequencia": "10", "ComboBox2": str(ER), "ComboBox1": SIGMA, "Tanperda": str(TAND),
                   "Largura": "0.4", "Sep": "0.2", "ComboBox4": "0.5", "ComboBox3": str(T)},
        "results": [("AtenCond", "Atendiel")],
        "field": ["cps", "W=0.4", "S=0.2", "h=0.5", "t=%g" % T, "er=%g" % ER, "tand=%g" % TAND], "f": 10e9,
        "geometry": "W = 0.4, S = 0.2, H = 0.5, t = 0.035, ε<sub>r</sub> = 3.48, tanδ = 0.004",
        "verdict": "A α<sub>c</sub> da janela é {ratio0:.1f} vezes a do campo: não confie nela. α<sub>d</sub> "
                   "({d0:+.1f} %) herda o erro do ε<sub>ef</sub> da fórmula.",
    },
    {
        "name": "Microstrip acopladas", "window": "TForm26",
        "inputs": {"frequencia": "10", "ComboBox2": str(ER), "ComboBox1": SIGMA, "Tanperda": str(TAND),
                   "largura": "0.5", "Separacao": "0.25", "ComboBox4": "0.254", "ComboBox3": str(T)},
        "results": [("AtenCond", "AtenDiel"), ("AtenCondodd", "Atendielodd")],
        "field": ["coupled-microstrip", "W=0.5", "S=0.25", "h=0.254", "t=%g" % T, "er=%g" % ER,
                  "tand=%g" % TAND], "f": 10e9, "modes": ["even", "odd"],
        "geometry": "W = 0.5, S = 0.25, H = 0.254, t = 0.035, ε<sub>r</sub> = 3.48, tanδ = 0.004",
        "verdict": "α<sub>d</sub> herda o erro do ε<sub>ef</sub> de cada modo ({d0:+.1f} % no par, {d1:+.1f} % "
                   "no ímpar); α<sub>c</sub> erra {c0:+.1f} % no modo par e {c1:+.1f} % no ímpar, cuja corrente se "
                   "concentra nas bordas que se olham: para a perda no condutor de um par use o campo.",
    },
    {
        "name": "Stripline acopladas", "window": "TForm20",
        "inputs": {"Frequencia": "10", "ComboBox2": str(ER), "ComboBox1": SIGMA, "Tanperda": str(TAND),
                   "Largura": "0.25", "Separ": "0.2", "ComboBox4": "0.5", "ComboBox3": str(T)},
        "results": [("AtenCond", "Atendiel"), ("AtenCondodd", "AtenDielodd")],
        "field": ["coupled-stripline", "W=0.25", "S=0.2", "t=%g" % T, "h1=%g" % ((0.5 - T) / 2),
                  "h2=%g" % ((0.5 - T) / 2), "er1=%g" % ER, "er2=%g" % ER, "tand1=%g" % TAND,
                  "tand2=%g" % TAND], "f": 10e9, "modes": ["even", "odd"],
        "geometry": "W = 0.25, S = 0.2, b = 0.5, t = 0.035, ε<sub>r</sub> = 3.48, tanδ = 0.004",
        "verdict": "α<sub>d</sub> exata no preenchimento homogêneo ({d0:+.1f} % e {d1:+.1f} %); α<sub>c</sub> erra "
                   "{c0:+.1f} % no modo par e {c1:+.1f} % no ímpar: para a perda no condutor use o campo.",
    },
]


def run(args):
    out = subprocess.run(args, capture_output=True, text=True)
    try:
        return json.loads(out.stdout)
    except json.JSONDecodeError:
        sys.exit("%s: %s%s" % (" ".join(args), out.stdout, out.stderr))


def window(calc, case):
    args = [calc, case["window"]] + ["%s=%s" % kv for kv in case["inputs"].items()] + ["--json"]
    results = run(args)["results"]
    scale = 0.01 if case.get("per_m") else 1  # dB/m to dB/cm
    own = None
    if "own" in case:  # 8.686 R / (2 Z0) from the window's own R and Z0, dB/cm
        r, z = (float(results[k]) for k in case["own"])
        own = 20 / math.log(10) * r / (2 * z) / 100
    return [(float(results[c]) * scale, float(results[d]) * scale) for c, d in case["results"]], own


def field(calc, case):
    f = "%g" % case["f"]
    answer = run([calc, "sweep"] + case["field"] + ["sigma=" + SIGMA, "--from", f, "--to", f, "--points", "1",
                                                     "--json"])
    point = answer["points"][0]
    modes = [point[m] for m in case["modes"]] if "modes" in case else [point]
    return [(m["alpha_c_dB_per_m"] / 100, m["alpha_d_dB_per_m"] / 100) for m in modes], answer


def percent(formula, field_value):
    # Rounded as written, so that a difference under the last digit is 0.0, not -0.0.
    return round(100 * (formula - field_value) / field_value, 1) + 0.0


def cell(v):
    return '<td align="right">%.4g</td>' % v


def diff_cell(formula, field_value):
    d = percent(formula, field_value)
    style = ' style="background-color:#f8d8d0"' if abs(d) > 10 else (
        ' style="background-color:#fff0c0"' if abs(d) > 2 else "")
    return '<td align="right"%s>%+.1f</td>' % (style, d)


def section(calc):
    rows = ["<tr><th>estrutura (janela)</th><th>geometria (mm)</th><th>f (GHz)</th><th>modo</th>"
            "<th>α<sub>c</sub><br>fórmula</th><th>α<sub>c</sub><br>campo</th><th>dif. %</th>"
            "<th>α<sub>d</sub><br>fórmula</th><th>α<sub>d</sub><br>campo</th><th>dif. %</th>"
            "<th>erro de R<br>do campo (%)</th></tr>"]
    verdicts = []
    for case in CASES:
        formulas, own = window(calc, case)
        fields, answer = field(calc, case)
        values = {}
        for k, ((fc, fd), (gc, gd)) in enumerate(zip(formulas, fields)):
            values.update({"c%d" % k: percent(fc, gc), "d%d" % k: percent(fd, gd), "ratio%d" % k: fc / gc})
        if own is not None:
            values["own"] = percent(own, fields[0][0])
        names = ["par", "ímpar"] if len(fields) == 2 else ["—"]
        for k, ((fc, fd), (gc, gd)) in enumerate(zip(formulas, fields)):
            head = ""
            if k == 0:
                span = ' rowspan="%d"' % len(fields) if len(fields) > 1 else ""
                head = "<td%s>%s (%s)</td><td%s>%s</td><td%s align=\"right\">%g</td>" % (
                    span, case["name"], case["window"], span, case["geometry"], span, case["f"] / 1e9)
            error = "<td%s align=\"right\">%.2f</td>" % (
                ' rowspan="%d"' % len(fields) if len(fields) > 1 else "", answer["R_error_percent"]) if k == 0 else ""
            rows.append("<tr>%s<td>%s</td>%s%s%s%s%s%s%s</tr>" % (
                head, names[k], cell(fc), cell(gc), diff_cell(fc, gc), cell(fd), cell(gd), diff_cell(fd, gd), error))
            print(case["name"], names[k], "c %+.1f %%" % (100 * (fc - gc) / gc), "d %+.1f %%" % (100 * (fd - gd) / gd),
                  file=sys.stderr)
        verdicts.append("<li><b>%s:</b> %s</li>" % (case["name"], case["verdict"].format(**values)))
    return "\n".join([
        BEGIN,
        "<p>As perdas das fórmulas das janelas diante das do campo, numa geometria e frequência "
        "representativas de cada estrutura, com o cobre das janelas (σ = 5.76·10<sup>7</sup> S/m, liso). "
        "Atenuação em dB/cm; as janelas dão 4 decimais (a bifilar e a coaxial, em dB/m), e a diferença "
        "(fórmula − campo)/campo herda esse arredondamento; em amarelo acima de 2 %, em vermelho acima de "
        "10 %. A última coluna é o erro estimado da resistência do campo. As janelas de síntese usam as "
        "fórmulas das de análise; as de substrato condutor perdem também no substrato, que a solução de "
        "campo não modela, e ficam de fora. Tabela gerada por "
        "<span class=\"msg\">scripts/loss_check_table.py</span>.</p>",
        "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">"] + rows + ["</table>", "<ul>"] + verdicts + [
        "</ul>", END])


def first_place(page, text):
    # After the paragraph of the checks of the section on losses.
    anchor = "<p>A exportação grava"
    return page.replace(anchor, text + "\n" + anchor, 1)


if __name__ == "__main__":
    write_section(section, BEGIN, END, first_place)
