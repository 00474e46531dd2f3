#!/usr/bin/env python3
"""Mutation run: puts one small fault at a time into the program's sources and runs the unit and
window tests that cover them; a fault the tests do not notice "survives".

Each mutant is one line changed by one rule (a comparison flipped, a bound moved by one, a condition
negated, a call dropped, true for false, min for max). The source is rebuilt incrementally in its own
build folder, the tests of the source's folder run with a time limit, and the file is put back.

    tools/mutants.py [--build DIR] [--per-file N] [--seed S] [--timeout SECONDS] [--list] [paths...]
    tools/mutants.py --recheck RESULTS.tsv
    tools/mutants.py --matrix [--per-file N] [paths...]     then     tools/mutants.py --redundant MATRIX.tsv
    tools/mutants.py --score MATRIX.tsv [--without TESTS.txt]

Paths are files or folders under src/ (default: every .cpp under src/ but main.cpp). --per-file picks at
most N mutants of each file, the same ones every run for the same seed (0: all of them). --recheck runs
again the mutants an earlier run killed (its results table), to show that a changed suite still kills
them; with --every its survivors as well. Prints killed / survived / timed out per file and per folder,
and writes the survivors to DIR/mutants-survived.txt and the whole table to DIR/mutants-results.tsv
(DIR/mutants-recheck.tsv for a recheck), row by row as the run goes. --matrix runs every test of every
mutant (no stop at the first failure) and adds the tests that failed to each row; --redundant reads such
a table and names the tests that kill no mutant the others do not also kill. --score gives the scores
per folder of a matrix table, and with --without those the suite would keep without the listed tests
(one name a line).
"""

import argparse
import hashlib
import json
import tempfile
import os
import random
import re
import signal
import subprocess
import sys
import time
from collections import defaultdict
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

LOGIC_TESTS = {
    "alarms": ["alarm_tests"],
    "app": ["app_tests"],
    "common": ["common_tests", "alarm_tests", "countdown_tests", "stopwatch_tests", "storage_tests"],
    "countdown": ["countdown_tests"],
    "display": ["display_tests"],
    "lang": ["lang_tests"],
    "sound": ["sound_tests"],
    "stopwatch": ["stopwatch_tests"],
    "storage": ["storage_tests", "storage_crash_tests"],
    "update": ["update_tests"],
}
WINDOW_TESTS = ["window_tests"]

TEST_ENV = {
    "TZ": "Europe/Prague",
    "LANG": "C.UTF-8",
    "LC_ALL": "C.UTF-8",
    "QT_QPA_PLATFORM": "offscreen",
}

# (name, pattern, replacement). Applied to the code part of a line, one match at a time.
RULES = [
    ("== to !=", r"==", "!="),
    ("!= to ==", r"!=", "=="),
    ("<= to <", r"<=", "<"),
    (">= to >", r">=", ">"),
    ("< to <=", r"(?<=[\w)\]] )<(?= [\w(!-])", "<="),
    ("> to >=", r"(?<=[\w)\]] )>(?= [\w(!-])", ">="),
    ("&& to ||", r"&&", "||"),
    ("|| to &&", r"\|\|", "&&"),
    ("true to false", r"\btrue\b", "false"),
    ("false to true", r"\bfalse\b", "true"),
    ("drop !", r"(?<=[(\s])!(?=[\w(])", ""),
    ("max to min", r"\bstd::max\b", "std::min"),
    ("min to max", r"\bstd::min\b", "std::max"),
    ("+ to -", r"(?<= )\+(?= )", "-"),
    ("- to +", r"(?<= )-(?= [\w(])", "+"),
    ("n to n+1", r"(?<![\w.])(\d+)(?![\w.'])", None),  # a bound moved by one
]
# Where a number is a place or a size on the screen, moving it by one is no fault a test should catch.
LAYOUT = re.compile(r"makeNamed<|setGeometry\(|setFixedSize\(|resize\(|move\(|QSize\(|QRect\(|QPoint\(|setContentsMargins\(")
CALL_STATEMENT = re.compile(r"^(\s+)(?!return\b|co_return\b|throw\b|delete\b)[A-Za-z_][\w:.>\-\[\]]*\(.*\);\s*$")


def code_part(line):
    """The line without its comment and string literals, as spans that may be mutated."""
    spans = []
    i, start, n = 0, 0, len(line)
    while i < n:
        c = line[i]
        if line.startswith("//", i):
            break
        if c in "\"'":
            spans.append((start, i))
            quote = c
            i += 1
            while i < n and line[i] != quote:
                i += 2 if line[i] == "\\" else 1
            i += 1
            start = i
            continue
        i += 1
    spans.append((start, min(i, n)))
    return spans


def mutants_of(path):
    text = path.read_text(encoding="utf-8")
    lines = text.split("\n")
    found = []
    in_block_comment = False
    for number, line in enumerate(lines):
        stripped = line.strip()
        if in_block_comment:
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith(("#", "//", "static_assert", "Q_OBJECT", "namespace", "}")):
            continue
        layout = path.stem.endswith("_layout") or LAYOUT.search(line)
        for name, pattern, replacement in RULES:
            if layout and name in ("n to n+1", "+ to -", "- to +"):
                continue
            for begin, end in code_part(line):
                for m in re.finditer(pattern, line[begin:end]):
                    a, b = begin + m.start(), begin + m.end()
                    if replacement is None:
                        value = int(m.group(1))
                        if value > 100000:
                            continue
                        new = str(value + 1)
                    else:
                        new = replacement
                    mutated = line[:a] + new + line[b:]
                    if mutated != line:
                        found.append((number, name, mutated))
        if CALL_STATEMENT.match(line) and not stripped.startswith(("case ", "default")):
            found.append((number, "drop the call", CALL_STATEMENT.match(line).group(1) + ";"))
    return lines, found


def tests_for(source):
    folder = source.relative_to(ROOT / "src").parts[0]
    return LOGIC_TESTS.get(folder, []) + WINDOW_TESTS


def run(command, timeout, env=None):
    try:
        done = subprocess.run(command, cwd=ROOT, timeout=timeout, env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return done.returncode
    except subprocess.TimeoutExpired:
        return None


def main():
    # Stopped from outside: end through the finally clauses, which put the mutated source back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("paths", nargs="*")
    parser.add_argument("--build", default="build-mutants")
    parser.add_argument("--per-file", type=int, default=6)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--timeout", type=float, default=300, help="seconds for the tests of one mutant")
    parser.add_argument("--list", action="store_true", help="only list the mutants")
    parser.add_argument("--recheck", help="a results table: run again the mutants it says were killed")
    parser.add_argument("--every", action="store_true", help="with --recheck: its survivors too")
    parser.add_argument("--matrix", action="store_true", help="run every test of every mutant")
    parser.add_argument("--redundant", help="a matrix table: name the tests no mutant needs")
    parser.add_argument("--score", help="a matrix table: the score per folder it gives")
    parser.add_argument("--without", help="with --score: a file of test names (one a line) taken out")
    args = parser.parse_args()
    if args.every and not args.recheck:
        parser.error("--every goes with --recheck")
    if args.redundant:
        return redundant(args.redundant)
    if args.score:
        return score_matrix(args.score, args.without)
    if args.recheck:
        return recheck(args)

    roots = [ROOT / p for p in args.paths] if args.paths else [ROOT / "src"]
    sources = []
    for r in roots:
        sources += sorted(r.rglob("*.cpp")) if r.is_dir() else [r]
    sources = [s.resolve() for s in sources if s.name != "main.cpp"]

    plan = []
    for source in sources:
        lines, found = mutants_of(source)
        if args.per_file > 0 and len(found) > args.per_file:
            rng = random.Random(f"{args.seed}:{source.relative_to(ROOT)}")
            found = sorted(rng.sample(found, args.per_file))
        plan += [(source, lines, m) for m in found]
    if args.list:
        for source, lines, (number, name, mutated) in plan:
            print(f"{source.relative_to(ROOT)}:{number + 1}: {name}: {mutated.strip()}")
        print(f"{len(plan)} mutants")
        return 0
    return execute(args, sources, plan)


def run_all(build, binaries, timeout, env):
    """Every test of the binaries, to the end: the outcome and the tests that failed ("binary:crash"
    where a binary ended without its report)."""
    failed = []
    deadline = time.monotonic() + timeout
    for binary in binaries:
        with tempfile.TemporaryDirectory() as scratch:
            report = Path(scratch) / "report.json"
            left = deadline - time.monotonic()
            command = [str(build / "tests" / binary), "--gtest_brief=1", f"--gtest_output=json:{report}"]
            code = run(command, max(left, 1), env) if left > 0 else None
            if code is None:
                return "timeout", failed + [f"{binary}:timeout"]
            if code == 0:
                continue
            try:
                suites = json.loads(report.read_text(encoding="utf-8"))["testsuites"]
                named = [f"{suite['name']}.{test['name']}"
                         for suite in suites for test in suite["testsuite"] if test.get("failures")]
                # Failed with every test passed (a crash at exit, a leak report): a kill all the same.
                failed += named or [f"{binary}:exit{code}"]
            except (OSError, ValueError, KeyError):
                failed.append(f"{binary}:crash")
    return ("killed" if failed else "survived"), failed


def redundant(path):
    """Greedy cover of the killed mutants by tests: the tests left out kill nothing the chosen ones do
    not also kill. Crashes and time-outs are not credited to a test."""
    killers = defaultdict(set)
    killed = set()
    for file, line, rule, outcome, mutated, failed in read_matrix(path):
        if outcome != "killed":
            continue
        mutant = (file, line, rule, mutated)
        killed.add(mutant)
        for test in failed:
            killers[test].add(mutant)
    # A binary that crashed names no test: the mutant stays killed whatever tests go. (Mutants that ran
    # out of time are rows of their own, left out here; they count as kills in the scores.)
    by_binary = {m for t, ms in killers.items() if ":" in t for m in ms}
    for t in [t for t in killers if ":" in t]:
        del killers[t]
    chosen = greedy_cover(killers, set(killed) - by_binary)
    needed = {t for t, _ in chosen}
    print(f"{len(killed)} killed mutants ({len(by_binary)} by a crash of a whole binary), {len(killers)} tests kill "
          f"some, {len(needed)} tests suffice")
    for test, gain in chosen:
        alone = sum(1 for m in killers[test] if all(m not in killers[o] for o in killers if o != test))
        print(f"needed\t{test}\t{gain} more\t{alone} alone")
    for test in sorted(set(killers) - needed):
        print(f"not needed\t{test}\t{len(killers[test])} killed, all also by others")
    # Does a cover chosen on a sample keep killing mutants it never saw? Choose it on one half of the
    # mutants (split by a hash of the mutant, the same every run) and count what it kills of the other.
    halves = [{m for m in killed - by_binary if int(hashlib.sha1(repr(m).encode()).hexdigest(), 16) % 2 == h}
              for h in (0, 1)]
    for chosen_on, tried_on in ((0, 1), (1, 0)):
        cover = {t for t, _ in greedy_cover(killers, halves[chosen_on])}
        kept = sum(1 for m in halves[tried_on] if any(m in killers[t] for t in cover))
        print(f"holdout\tthe {len(cover)} tests chosen on half {chosen_on} kill {kept} of the "
              f"{len(halves[tried_on])} mutants of half {tried_on}")
    # The tests of the binaries as they are built now: a test written after the table kills "none".
    build = Path(path).resolve().parent
    for binary in sorted({b for bs in LOGIC_TESTS.values() for b in bs} | set(WINDOW_TESTS)):
        listing = subprocess.run([str(build / "tests" / binary), "--gtest_list_tests"], capture_output=True,
                                 text=True, check=False, env=dict(os.environ, **TEST_ENV)).stdout
        suite = ""
        for line in listing.splitlines():
            if not line.startswith(" "):
                suite = line.split()[0] if line.strip() else suite
            elif f"{suite}{line.split()[0]}" not in killers:
                print(f"kills none\t{suite}{line.split()[0]}")
    return 0


def greedy_cover(killers, mutants):
    """Tests chosen one by one, each killing the most of what the chosen ones do not: (test, gain)."""
    uncovered, chosen = set(mutants), []
    while uncovered:
        best = max(killers, key=lambda t: (len(killers[t] & uncovered), t))
        gain = killers[best] & uncovered
        if not gain:
            break
        chosen.append((best, len(gain)))
        uncovered -= gain
    return chosen


def read_matrix(path):
    """The rows of a matrix table: (file, line, rule, outcome, mutated, failed tests)."""
    rows = []
    with open(path, encoding="utf-8") as table:
        next(table)
        for row in table:
            fields = row.rstrip("\n").split("\t")
            fields += [""] * (6 - len(fields))
            rows.append((*fields[:5], fields[5].split()))
    return rows


def score_matrix(path, without):
    """The score per folder a matrix table gives, and what it would give with some tests taken out: a
    mutant only those tests kill counts as survived. Crashes and time-outs of a binary stay kills."""
    gone = set()
    if without:
        with open(without, encoding="utf-8") as names:
            for line in names:
                fields = line.rstrip("\n").split("\t")
                # A name a line, or the lines of the redundancy report ("not needed<TAB>name...").
                name = fields[1] if fields[0] in ("needed", "not needed", "kills none") else fields[0]
                if name.strip() and not name.startswith("#"):
                    gone.add(name.strip())
    per_folder = defaultdict(lambda: defaultdict(int))
    lost = []
    for file, line, rule, outcome, _, failed in read_matrix(path):
        if outcome == "killed" and failed and all(t in gone for t in failed):
            outcome = "survived"
            lost.append(f"{file}:{line} {rule}: killed only by {' '.join(failed)}")
        per_folder[Path(file).parts[1]][outcome] += 1
    print("folder\tkilled\tsurvived\ttimeout\tstillborn\tscore")
    for folder in sorted(per_folder):
        c = per_folder[folder]
        live = c["killed"] + c["survived"] + c["timeout"]
        pct = 100.0 * (c["killed"] + c["timeout"]) / live if live else 0.0
        print(f"src/{folder}\t{c['killed']}\t{c['survived']}\t{c['timeout']}\t{c['stillborn']}\t{pct:.0f}%")
    for entry in lost:
        print(f"lost\t{entry}")
    return 0


def recheck(args):
    """The mutants an earlier run killed, made again against the sources as they are now. A mutant is found
    by its rule and its mutated line, nearest the line it had (lines above it may have come or gone); one
    whose line is no longer in the source is reported as gone and left out."""
    plan, sources, gone = [], set(), []
    with open(args.recheck, encoding="utf-8") as table:
        next(table)
        for row in table:
            fields = row.rstrip("\n").split("\t")
            file, line, name, outcome, mutated = fields[:5]
            original = fields[6] if len(fields) > 6 else None
            if outcome not in (("killed", "timeout", "survived") if args.every else ("killed", "timeout")):
                continue
            source = ROOT / file
            lines, found = mutants_of(source)
            same = [m for m in found if m[1] == name and m[2].strip() == mutated.strip()
                    and (original is None or lines[m[0]].strip() == original)]
            if not same:
                gone.append(f"{file}:{line} {name}")
                continue
            plan.append((source, lines, min(same, key=lambda m: abs(m[0] + 1 - int(line)))))
            sources.add(source)
    for entry in gone:
        print(f"gone\t{entry}: its line is no longer in the source")
    return execute(args, sorted(sources), plan)


def execute(args, sources, plan):
    build = ROOT / args.build
    if not (build / "build.ninja").exists():
        subprocess.run(["cmake", "-S", ".", "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                        "-DTAVROK_WERROR=OFF"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    targets = sorted({t for s in sources for t in tests_for(s)})
    print(f"building {' '.join(targets)} in {build.name} ...", flush=True)
    if run(["ninja", "-C", str(build)] + targets, None) != 0:
        print("the unmutated program does not build", file=sys.stderr)
        return 2

    env = dict(os.environ, **TEST_ENV)
    results = []
    table_name = ("mutants-recheck.tsv" if args.recheck
                  else "mutants-matrix.tsv" if args.matrix else "mutants-results.tsv")
    table = open(build / table_name, "w", encoding="utf-8")  # pylint: disable=consider-using-with
    # The original line too, so that a later recheck finds the mutant again after lines above it moved.
    table.write("file\tline\trule\toutcome\tmutated line\tfailed tests\toriginal line\n")
    started = time.monotonic()
    for index, (source, lines, (number, name, mutated)) in enumerate(plan, 1):
        original = source.read_bytes()
        text = "\n".join(lines[:number] + [mutated] + lines[number + 1:])
        rel = source.relative_to(ROOT)
        failed = []
        try:
            source.write_text(text, encoding="utf-8")
            binaries = tests_for(source)
            built = run(["ninja", "-C", str(build)] + binaries, args.timeout)
            if built != 0:
                outcome = "stillborn"  # does not compile: no fault a test could see
            elif args.matrix:
                outcome, failed = run_all(build, binaries, args.timeout, env)
            else:
                outcome = "survived"
                deadline = time.monotonic() + args.timeout
                for binary in binaries:
                    left = deadline - time.monotonic()
                    code = run([str(build / "tests" / binary), "--gtest_fail_fast", "--gtest_brief=1"],
                               max(left, 1), env) if left > 0 else None
                    if code is None:
                        outcome = "timeout"
                        break
                    if code != 0:
                        outcome = "killed"
                        break
        finally:
            source.write_bytes(original)
            os.utime(source, None)
        results.append((str(rel), number + 1, name, outcome, mutated.strip()))
        row = results[-1] + (" ".join(failed), lines[number].strip())
        table.write("\t".join(str(v) for v in row) + "\n")
        table.flush()
        print(f"[{index}/{len(plan)} {time.monotonic() - started:.0f}s] {outcome:9} {rel}:{number + 1} {name}",
              flush=True)
    run(["ninja", "-C", str(build)] + targets, None)  # the program as it is again

    per_file = defaultdict(lambda: defaultdict(int))
    per_folder = defaultdict(lambda: defaultdict(int))
    for file, _, _, outcome, _ in results:
        per_file[file][outcome] += 1
        per_folder[Path(file).parts[1]][outcome] += 1

    def score(counts):
        live = counts["killed"] + counts["survived"] + counts["timeout"]
        return 100.0 * (counts["killed"] + counts["timeout"]) / live if live else 0.0

    print("\nfile\tkilled\tsurvived\ttimeout\tstillborn\tscore")
    for file in sorted(per_file):
        c = per_file[file]
        print(f"{file}\t{c['killed']}\t{c['survived']}\t{c['timeout']}\t{c['stillborn']}\t{score(c):.0f}%")
    print("\nfolder\tkilled\tsurvived\ttimeout\tstillborn\tscore")
    for folder in sorted(per_folder):
        c = per_folder[folder]
        print(f"src/{folder}\t{c['killed']}\t{c['survived']}\t{c['timeout']}\t{c['stillborn']}\t{score(c):.0f}%")

    table.close()
    with open(build / "mutants-survived.txt", "w", encoding="utf-8") as out:
        for file, line, name, outcome, mutated in results:
            if outcome == "survived":
                out.write(f"{file}:{line}: {name}: {mutated}\n")
    print(f"\nsurvivors: {build / 'mutants-survived.txt'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
