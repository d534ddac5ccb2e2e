#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Regenerates the tutorial's tables of the closed forms against the field.

Runs `tarvel-calc check WINDOW ... --json` over representative geometries of
each structure (narrow to wide, er 2.2 to 10.2, thin and thick metal) and
writes, between the markers <!-- campo:inicio --> and <!-- campo:fim --> of
resources/principal.htm, one table per structure with the formula's
deviation from the field solution.

    scripts/field_check_table.py [path/to/tarvel-calc] [--print]

With --print the section goes to standard output and the page is left as is.
"""
import json
import os
import subprocess
import sys

from tutorial_page import ROOT, write_section
BEGIN, END = "<!-- campo:inicio -->", "<!-- campo:fim -->"

THICK = [0.0175, 0.07]  # 1/2 oz and 2 oz copper, in mm
MATERIALS = [(2.2, 0.787), (4.4, 1.6), (10.2, 0.635)]  # er and a usual height (mm)


def microstrip():
    for er, h in MATERIALS:
        for ratio in (0.2, 1, 3, 10):
            for t in THICK:
                yield {"frequencia": "1", "Combobox2": er, "Combobox1": "57600000", "Tanperda": "0.001",
                       "largura": round(ratio * h, 4), "ComboBox4": h, "ComboBox3": t}


def stripline():
    for er in (2.2, 10.2):
        for ratio in (0.1, 0.5, 2):
            for t in THICK:
                yield {"Frequencia": "1", "ComboBox2": er, "ComboBox1": "57600000", "Tanperda": "0.001",
                       "Largura": round(ratio * 1.57, 4), "ComboBox4": 1.57, "ComboBox3": t}


def coplanar():
    for er, h in ((2.2, 0.254), (2.2, 1.57), (10.2, 0.254), (10.2, 1.27)):
        for w, s in ((0.2, 0.1), (1, 0.2), (4, 0.5)):
            for t in THICK:
                yield {"Frequencia": "1", "ComboBox2": er, "ComboBox1": "57600000", "Tanperda": "0.001",
                       "Largura": w, "Sep": s, "ComboBox4": h, "ComboBox3": t}


def coupled_microstrip():
    for er, h in ((2.2, 0.787), (10.2, 0.635)):
        for wr in (0.5, 2):
            for sr in (0.1, 1):
                for t in THICK:
                    yield {"frequencia": "1", "ComboBox2": er, "ComboBox1": "57600000", "Tanperda": "0.001",
                           "largura": round(wr * h, 4), "Separacao": round(sr * h, 4), "ComboBox4": h,
                           "ComboBox3": t}


def coupled_stripline():
    for er in (2.2, 10.2):
        for w in (0.6, 1.5):
            for s in (0.1, 0.5):
                for t in (0.0175, 0.07):
                    yield {"Frequencia": "1", "ComboBox2": er, "ComboBox1": "57600000", "Tanperda": "0.001",
                           "Largura": w, "Separ": s, "ComboBox4": 1.57, "ComboBox3": t}


def round_lines():
    yield ("TForm2", {"Frequencia": "1", "ComboBox2": 2.1, "ComboBox1": "57600000", "Tanperda": "0.0001",
                      "Espacamento": 10, "diametro": 1})
    yield ("TForm3", {"Frequencia": "1", "ComboBox2": 2.1, "ComboBox1": "57600000", "Rigidez": 20,
                      "TanPerda": "0.0002", "Diaext": 2.95, "Diaint": 0.91})


# Structure, window, cases, geometry columns (label, key in the answer's
# "geometry"), and what the tables say about where the formula holds.
STRUCTURES = [
    ("Microstrip", "TForm4", microstrip, [("W", "W"), ("H", "H"), ("t", "t"), ("ε<sub>r</sub>", "er")], "microstrip"),
    ("Stripline", "TForm5", stripline, [("W", "W"), ("b", "b"), ("t", "t"), ("ε<sub>r</sub>", "er")], "stripline"),
    ("CPW", "TForm11", coplanar,
     [("W (fita)", "W (fita)"), ("S (fenda)", "S (fenda)"), ("H", "H"), ("t", "t"), ("ε<sub>r</sub>", "er")], "cpw"),
    ("CPS", "TForm13", coplanar,
     [("W (fitas)", "W (fitas)"), ("S", "S (separação)"), ("H", "H"), ("t", "t"), ("ε<sub>r</sub>", "er")], "cps"),
    ("Microstrip acopladas", "TForm26", coupled_microstrip,
     [("W", "W"), ("S", "S"), ("H", "H"), ("t", "t"), ("ε<sub>r</sub>", "er")], "acmicro"),
    ("Stripline acopladas", "TForm20", coupled_stripline,
     [("W", "W"), ("S", "S"), ("b", "b"), ("t", "t"), ("ε<sub>r</sub>", "er")], "acstrip"),
]

VERDICT = {
    "microstrip": "Z<sub>0</sub>: a fórmula fica a menos de 1 % do campo em toda a faixa (fitas estreitas a "
                  "largas, ε<sub>r</sub> 2.2 a 10.2, cobre fino e grosso). ε<sub>ef</sub>: confiável (±1 %) para "
                  "W/H ≥ 1 com cobre de 17.5 µm; a fórmula superestima ε<sub>ef</sub> em fitas estreitas e com "
                  "metal grosso (até +13 % com W/H = 0.2, t = 70 µm, ε<sub>r</sub> = 10.2): a correção de "
                  "espessura não baixa ε<sub>ef</sub> como o campo mostra. O comprimento de onda e as perdas "
                  "calculados com ε<sub>ef</sub> herdam esse erro.",
    "stripline": "Z<sub>0</sub> confiável: menos de 0.1 % de diferença para W/b ≤ 0.5 e cerca de −0.4 % para fitas "
                 "largas (W/b = 2), com cobre fino ou grosso.",
    "cpw": "Confie nas fórmulas de CPW só com metal fino diante das fendas (t ≪ S) e substrato não muito fino "
           "(H da ordem de W + 2S ou mais): aí Z<sub>0</sub> fica a poucos por cento do campo. Com metal grosso "
           "diante de fendas estreitas a fórmula de Z<sub>0</sub> sobe com t enquanto o campo desce (até +54 % "
           "com S = 0.1 mm e t = 70 µm). Em substratos finos sob estruturas largas (W = 4 mm, S = 0.5 mm, "
           "H = 0.254 mm) a fórmula sai da sua faixa: ε<sub>ef</sub> menor que 1 e Z<sub>0</sub> três a quatro "
           "vezes o do campo. Nesses casos use o valor do campo (tarvel-calc check ou a galeria).",
    "cps": "As fórmulas de CPS erram para os dois lados: Z<sub>0</sub> de −28 % a +47 %. Metal grosso diante de "
           "uma separação estreita faz a fórmula superestimar Z<sub>0</sub> (+40 % a +47 % com S = 0.1 mm e "
           "t = 70 µm); em substratos finos de ε<sub>r</sub> alto sob fitas largas a fórmula superestima "
           "ε<sub>ef</sub> (até o dobro) e subestima Z<sub>0</sub> (até −28 %). Só com metal fino, fitas "
           "estreitas e substrato espesso a diferença fica em poucos por cento.",
    "acmicro": "Modo par: Z<sub>0</sub> a menos de 3.3 % do campo e ε<sub>ef</sub> a menos de 5.4 %. Modo ímpar: "
               "confiável (poucos por cento) para separações da ordem da altura (S/H = 1); com fendas estreitas "
               "(S/H = 0.1) a fórmula superestima Z<sub>0 ímpar</sub> em 7 % a 13 % com cobre fino e em 20 % a "
               "34 % com cobre grosso, e ε<sub>ef ímpar</sub> em até 34 %: falta à fórmula a capacitância entre "
               "as paredes das fitas, que cresce com t.",
    "acstrip": "Modo par: menos de 0.8 % de diferença. Modo ímpar: confiável (±1.3 %) com S/b ≈ 0.3; com fendas "
               "estreitas (S = 0.1 mm, S/b ≈ 0.06) a fórmula superestima Z<sub>0 ímpar</sub> em cerca de 3 % "
               "com cobre fino e em 11 % a 14 % com cobre grosso.",
}


def check(calc, window, inputs):
    args = [calc, "check", window] + ["%s=%s" % (k, v) for k, v in inputs.items()] + ["--json"]
    out = subprocess.run(args, capture_output=True, text=True).stdout
    return json.loads(out)


def cell(v, fmt="%.4f"):
    return "<td align=\"right\">%s</td>" % (fmt % v)


def diff_cell(v):
    style = ' style="background-color:#f8d8d0"' if abs(v) > 2 else (
        ' style="background-color:#fff0c0"' if abs(v) > 0.5 else "")
    return "<td align=\"right\"%s>%+.2f</td>" % (style, v)


def table(name, window, cases, columns):
    rows, worst, errors, seconds = [], {}, [], []
    header = None
    for inputs in cases():
        answer = check(calc_path, window, inputs)
        geometry = answer.get("geometry")
        if not geometry:
            reason = answer.get("message") or answer.get("fault") or answer.get("error", "")
            rows.append("<tr>%s<td colspan=\"9\">%s</td></tr>" % (
                "".join("<td>%s</td>" % inputs.get(k, "") for k in ()), reason))
            continue
        checks = answer["checks"]
        if header is None:
            header = "<tr>%s%s</tr>" % ("".join("<th>%s</th>" % c[0] for c in columns), "".join(
                "<th>%s<br>fórmula</th><th>%s<br>campo</th><th>dif. %%</th>" % (c["quantity"], c["quantity"])
                for c in checks))
        line = "".join(cell(geometry[key], "%.4g") for _, key in columns)
        for c in checks:
            line += cell(c["formula"]) + cell(c["field"]) + diff_cell(c["difference_percent"])
            worst[c["quantity"]] = max(worst.get(c["quantity"], 0), abs(c["difference_percent"]))
        rows.append("<tr>%s</tr>" % line)
        errors.append(answer["error_percent"])
        seconds.append(answer["seconds"])
    html = ["<table border=\"1\">", header or ""] + rows + ["</table>"]
    summary = "; ".join("|dif.| máxima em %s: %.2f %%" % (q, v) for q, v in worst.items())
    if errors:
        summary += ("; erro estimado da solução de campo até %.3f %%, em até %.2f s cada."
                    % (max(errors), max(seconds)))
    return "\n".join(html), summary


def section():
    out = [BEGIN, '<h2><a name="campo"></a>Fórmulas e solução de campo</h2>',
           "<p>As fórmulas fechadas de cada janela foram comparadas com a solução de campo quase-estática "
           "bidimensional da mesma seção (o comando <span class=\"msg\">tarvel-calc check</span>, e a legenda "
           "das figuras de campo da galeria quando ela é aberta por uma janela calculada). A solução de campo "
           "resolve div(ε grad V) = 0 na seção com condutores de espessura t, o substrato e o ar, e refina a "
           "malha até que a estimativa de Richardson do erro de Z<sub>0</sub> fique abaixo de 0.05 %. "
           "A diferença é (fórmula − campo)/campo; em amarelo acima de 0.5 %, em vermelho acima de 2 %. "
           "Comprimentos em mm. Tabelas geradas por <span class=\"msg\">scripts/field_check_table.py</span>.</p>",
           "<p>Linha bifilar e cabo coaxial: as fórmulas são exatas para condutores redondos num dielétrico "
           "homogêneo; a única diferença, +0.069 %, vem de usar 120 Ω e 60 Ω no lugar de "
           "η<sub>0</sub>/π e η<sub>0</sub>/2π (η<sub>0</sub> = 376.73 Ω). A slotline não tem modo TEM "
           "e não tem comparação quase-estática.</p>"]
    for name, window, cases, columns, anchor in STRUCTURES:
        html, summary = table(name, window, cases, columns)
        out.append("<h3>%s (%s)</h3>" % (name, window))
        out.append(html)
        out.append("<p>%s</p>" % summary)
        if VERDICT[anchor]:
            out.append("<p class=\"nota\">%s</p>" % VERDICT[anchor])
        print(name, summary, file=sys.stderr)
    out.append(END)
    return "\n".join(out)


def first_place(page, text):
    anchor = '<h2><a name="erros"></a>'
    page = page.replace(anchor, text + "\n\n" + anchor, 1)
    return page.replace('<li><a href="#erros">', '<li><a href="#campo">Fórmulas e solução de campo</a></li>\n'
                        '<li><a href="#erros">', 1)


def made_with(calc):
    global calc_path
    calc_path = calc
    return section()


if __name__ == "__main__":
    write_section(made_with, BEGIN, END, first_place)
