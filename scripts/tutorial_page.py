# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a generated section into the tutorial page, between its two marks.

Shared by the scripts that make the tutorial's tables: each gives how to make
its text from the path of tarvel-calc, its marks, and where the section goes
the first time (before the marks exist). Arguments of those scripts:
[path/to/tarvel-calc] [--print]; --print shows the text and writes nothing.
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PAGE = os.path.join(ROOT, "resources", "principal.htm")


def write_section(make, begin, end, place):
    args = [a for a in sys.argv[1:] if a != "--print"]
    calc = args[0] if args else os.path.join(ROOT, "build", "cli", "tarvel-calc")
    text = make(calc)
    if "--print" in sys.argv:
        print(text)
        return
    with open(PAGE, encoding="utf-8") as f:
        page = f.read()
    if begin in page:
        page = page[:page.index(begin)] + text + page[page.index(end) + len(end):]
    else:
        page = place(page, text)
    with open(PAGE, "w", encoding="utf-8") as f:
        f.write(page)
