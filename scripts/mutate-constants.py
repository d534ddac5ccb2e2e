#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Changes each numeric constant of the models by 0.1 % in turn, rebuilds the
tests that pin the models and runs them: a constant whose change no test
notices is a survivor. Not part of the test command; it takes a long time
(one compile and link per constant), so it takes a family or a sample.

Which constants: every numeric literal in the model sources (models/*/ *.cpp
and *.h, and the shared constants of models/physics.h) outside comments, strings and preprocessor lines, except
  - the files that only describe windows (a window's description defined
    there, window_rows.h, window_parts.h, all_windows.cpp): their numbers are window
    numbers, decimals of project fields and print positions, not physics;
  - zero (0.1 % of it is still zero);
  - integers that count or index: array sizes and subscripts, the header of a
    for loop, int declarations and int arguments (ipow's power), which
    0.1 % cannot change or which would not compile.
A mutant that does not compile is counted apart ("not viable"), not in the score.

The sources are copied to a work directory (the tree itself is never
changed) and built there with ccache, without the desktop program.

  scripts/mutate-constants.py                        all families
  scripts/mutate-constants.py --family microstrip    one family
  scripts/mutate-constants.py --sample 60 --seed 1   a random sample
  scripts/mutate-constants.py --at coax.cpp:20       the constants of one line
  scripts/mutate-constants.py --list                 the constants only
"""
import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FAMILIES = ["wire_coax", "microstrip", "stripline", "coupled_microstrip", "coplanar"]
NUMBER = re.compile(r"(?<![\w.])((?:\d+\.\d*|\.\d+|\d+)(?:[eE][+-]?\d+)?)([LlFf]?)(?![\w.])")


def model_files(family):
    out = []
    for fam in FAMILIES if family is None else [family]:
        folder = os.path.join(ROOT, "models", fam)
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if not name.endswith((".cpp", ".h")) or not os.path.isfile(path):
                continue
            if name in ("window_rows.h", "window_parts.h"):
                continue
            with open(path, encoding="utf-8") as f:
                if re.search(r"const WindowDescription& \w+Window\(\)\n\{", f.read()):
                    continue
            out.append((fam, os.path.relpath(path, ROOT)))
    if family is None:
        out.append(("physics", os.path.join("models", "physics.h")))
    return out


def code_mask(text):
    """True for each character that is code (not comment, string, char literal, preprocessor)."""
    mask = [True] * len(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and text[i:].lstrip(" \t").startswith("#"):
            j = text.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                mask[k] = False
            i = j
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                mask[k] = False
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                mask[k] = False
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            for k in range(i, min(j + 1, n)):
                mask[k] = False
            i = j + 1
        else:
            i += 1
    return mask


def counting_integer(text, start, end, literal):
    """An integer literal that counts or indexes rather than measures."""
    if re.search(r"[.eE]", literal):
        return False
    line_start = text.rfind("\n", 0, start) + 1
    line_end = text.find("\n", end)
    line = text[line_start:line_end if line_end >= 0 else len(text)]
    before = text[line_start:start].rstrip()
    after = text[end:].lstrip()
    if before.endswith("[") or after.startswith("]"):
        return True
    if re.search(r"\bfor\s*\(", line) or re.search(r"\bint\b", line):
        return True
    # the whole power of ipow(x, n)
    if after.startswith(")") and re.search(r"ipow\((?:[^()]|\([^()]*\))*,\s*$", before):
        return True
    return False


def constants(files):
    found = []
    for fam, rel in files:
        with open(os.path.join(ROOT, rel), encoding="utf-8") as f:
            text = f.read()
        mask = code_mask(text)
        for m in NUMBER.finditer(text):
            if not mask[m.start()]:
                continue
            literal = m.group(1)
            if float(literal) == 0 or counting_integer(text, m.start(), m.end(), literal):
                continue
            line = text.count("\n", 0, m.start()) + 1
            found.append({"family": fam, "file": rel, "start": m.start(), "end": m.end(), "line": line,
                          "literal": m.group(0), "digits": literal, "suffix": m.group(2)})
    return found


def mutated_literal(c):
    value = float(c["digits"]) * 1.001
    text = repr(value)
    if "e" not in text and "." not in text:
        text += ".0"
    return text + ("L" if c["suffix"] in "Ll" and c["suffix"] else "")


def run(cmd, cwd, timeout=None, env=None):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=timeout, env=env)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--family", choices=FAMILIES)
    ap.add_argument("--sample", type=int, help="mutate only this many constants, drawn at random")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--workdir", default=os.path.join("/tmp", "tarvel-mutate-" + str(os.getuid())))
    ap.add_argument("--family-tests", action="store_true",
                    help="also run each family's own model tests (the golden tests run always)")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--at", metavar="FILE:LINE", help="only the constants of this line (to check a survivor again)")
    ap.add_argument("--list", action="store_true", help="list the constants and stop")
    args = ap.parse_args()

    cands = constants(model_files(args.family))
    if args.at:
        file, line = args.at.rsplit(":", 1)
        cands = [c for c in cands if c["file"].endswith(file) and c["line"] == int(line)]
    if args.sample and args.sample < len(cands):
        cands = sorted(random.Random(args.seed).sample(cands, args.sample), key=lambda c: (c["file"], c["start"]))
    if args.list:
        for c in cands:
            print(f'{c["file"]}:{c["line"]}: {c["literal"]} -> {mutated_literal(c)}')
        print(f"{len(cands)} constants")
        return 0

    # A copy of the tracked sources, built without the desktop program.
    src = os.path.join(args.workdir, "src")
    build = os.path.join(args.workdir, "build")
    tracked = run(["git", "ls-files"], ROOT).stdout.split("\n")
    for rel in filter(None, tracked):
        to = os.path.join(src, rel)
        os.makedirs(os.path.dirname(to), exist_ok=True)
        if not os.path.exists(to) or open(os.path.join(ROOT, rel), "rb").read() != open(to, "rb").read():
            shutil.copy2(os.path.join(ROOT, rel), to)
    env = dict(os.environ, CMAKE_CXX_COMPILER_LAUNCHER="ccache", CCACHE_BASEDIR="/work")
    env.setdefault("CCACHE_DIR", "/work/.ccache")
    r = run(["cmake", "-S", src, "-B", build, "-DTARVEL_GUI=OFF", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
             "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"], ROOT, env=env)
    if r.returncode:
        print(r.stdout)
        return 1
    families = sorted({c["family"] for c in cands} & set(FAMILIES))
    targets = ["test_golden"] + ([f"test_{f}" for f in families] if args.family_tests else [])
    tests = [os.path.join(build, "tests", "golden", "test_golden")] + \
            ([os.path.join(build, "tests", f"test_{f}") for f in families] if args.family_tests else [])

    def build_and_test():
        b = run(["cmake", "--build", build, "-j", str(args.jobs), "--target"] + targets, ROOT, env=env)
        if b.returncode:
            return "not viable"
        for t in tests:
            try:
                if run([t, "--gtest_brief=1"], os.path.dirname(t), timeout=120).returncode:
                    return "killed"
            except subprocess.TimeoutExpired:
                return "killed"
        return "survived"

    print(f"baseline build of {', '.join(targets)} ...", flush=True)
    if build_and_test() != "survived":
        print("the tests fail (or do not build) without any mutation")
        return 1

    tally = {"killed": 0, "survived": 0, "not viable": 0}
    survivors = []
    began = time.time()
    for i, c in enumerate(cands, 1):
        path = os.path.join(src, c["file"])
        with open(path, encoding="utf-8") as f:
            original = f.read()
        mutant = mutated_literal(c)
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original[:c["start"]] + mutant + original[c["end"]:])
            verdict = build_and_test()
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        tally[verdict] += 1
        where = f'{c["file"]}:{c["line"]}: {c["literal"]} -> {mutant}'
        print(f"[{i}/{len(cands)}] {verdict:10} {where}", flush=True)
        if verdict == "survived":
            survivors.append(where)
    viable = tally["killed"] + tally["survived"]
    score = 100.0 * tally["killed"] / viable if viable else 0.0
    print(f"\n{len(cands)} constants in {time.time() - began:.0f} s: {tally['killed']} killed, "
          f"{tally['survived']} survived, {tally['not viable']} not viable; score {score:.1f} %")
    for s in survivors:
        print("survivor: " + s)
    return 0


if __name__ == "__main__":
    sys.exit(main())
