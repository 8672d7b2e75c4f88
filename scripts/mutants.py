#!/usr/bin/env python3
"""Small faults made mechanically in the core, and which tests catch each.

    scripts/mutants.py [--workers 2] [--only src/hiding] [--out build/mutants]

Each mutant changes one line of src/{app,fakework,hiding,hotkeys,model,text}:
a comparison moved across its boundary or turned round, && and || swapped,
a ! dropped, true and false swapped, a number made one larger, + and -
swapped, or a statement left out. Every worker builds the native tests in a
worktree of its own (HEAD, sanitizers and assertions on, as the test command
builds them), applies one mutant at a time and runs the whole suite once.

Writes <out>/results.jsonl (one line per mutant: its place, its change, and
"killed" with the failing tests, "crash", "timeout", "survived" or "compile")
and prints the survivors. A survivor is a fault no test sees, or one that
changes nothing anyone could notice (an equivalent mutant): read each one.
About 1,100 mutants; some 50 minutes with two workers. Not part of the test
command.
"""
import argparse
import json
import pathlib
import re
import subprocess
import sys
import threading

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORE = ["app", "fakework", "hiding", "hotkeys", "model", "text"]
SWAPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "), (" == ", " != "),
         (" != ", " == "), (" && ", " || "), (" || ", " && "), (" + ", " - "), (" - ", " + ")]
NOT_A_STATEMENT = re.compile(r"(return|break|continue|case|default|using|namespace|static|const|"
                             r"inline|constexpr|enum|struct|class|friend|virtual|explicit|"
                             r"template|typedef)\b")


def code_of(line):
    """The line with string and character literals blanked and its comment cut."""
    out, quote, escaped = [], None, False
    for c in line:
        if quote:
            out.append(" ")
            if escaped:
                escaped = False
            elif c == "\\":
                escaped = True
            elif c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        else:
            out.append(c)
    code = "".join(out)
    return code.split("//")[0]


def mutants(only):
    files = sorted(p for d in CORE for p in (ROOT / "src" / d).glob("*") if p.suffix in (".cpp", ".h"))
    for path in files:
        name = str(path.relative_to(ROOT))
        if only and not name.startswith(only):
            continue
        previous = ""
        for number, line in enumerate(path.read_text().split("\n"), 1):
            text = line.strip()
            if not text or text.startswith(("//", "#", "*", "/*")):
                continue
            code = code_of(line)
            found = []
            for old, new in SWAPS:
                for m in re.finditer(re.escape(old), code):
                    found.append(line[:m.start()] + new + line[m.end():])
            for m in re.finditer(r"!(?=[A-Za-z_(])", code):
                found.append(line[:m.start()] + line[m.start() + 1:])
            for m in re.finditer(r"\b(true|false)\b", code):
                flipped = "false" if m.group(1) == "true" else "true"
                found.append(line[:m.start()] + flipped + line[m.end():])
            for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", code):
                found.append(line[:m.start()] + str(int(m.group(1)) + 1) + line[m.end():])
            before = code_of(previous).strip()
            if (text.endswith(";") and "(" in text and not text.startswith("}") and
                    before.endswith((";", "{", "}", ":")) and not NOT_A_STATEMENT.match(text)):
                found.append(line[:len(line) - len(line.lstrip())] + ";")
            for changed in found:
                yield {"file": name, "line": number, "old": line, "new": changed}
            previous = line


def run(tree, mutant):
    path = tree / mutant["file"]
    original = path.read_text()
    lines = original.split("\n")
    lines[mutant["line"] - 1] = mutant["new"]
    path.write_text("\n".join(lines))
    try:
        build = subprocess.run(["cmake", "--build", str(tree / "build"), "--target", "nookshade_tests"],
                               capture_output=True, text=True)
        if build.returncode != 0:
            return {"status": "compile"}
        try:
            tests = subprocess.run([str(tree / "build" / "nookshade_tests"), "--gtest_brief=1"],
                                   capture_output=True, text=True, timeout=300)
        except subprocess.TimeoutExpired:
            return {"status": "timeout"}
        failed = sorted(set(re.findall(r"^\[  FAILED  \] (\S+?)(?:,|$| )", tests.stdout, re.M)))
        if failed:
            return {"status": "killed", "by": failed}
        return {"status": "crash" if tests.returncode != 0 else "survived"}
    finally:
        path.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--only", default="", help="a path prefix, such as src/hiding")
    parser.add_argument("--out", default=str(ROOT / "build" / "mutants"))
    args = parser.parse_args()
    out = pathlib.Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    todo = list(mutants(args.only))
    print(f"{len(todo)} mutants", flush=True)
    results = out / "results.jsonl"
    results.write_text("")
    lock = threading.Lock()

    def worker(index):
        tree = out / f"tree{index}"
        if not tree.exists():
            subprocess.run(["git", "-C", str(ROOT), "worktree", "add", "--detach", str(tree), "HEAD"],
                           check=True, capture_output=True)
        subprocess.run(["cmake", "-S", str(tree), "-B", str(tree / "build"), "-DCMAKE_BUILD_TYPE=Debug",
                        "-DNOOKSHADE_SANITIZE=ON", "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -g0"],
                       check=True, capture_output=True)
        for mutant in todo[index::args.workers]:
            record = dict(mutant, **run(tree, mutant))
            with lock, results.open("a") as f:
                f.write(json.dumps(record) + "\n")
        subprocess.run(["git", "-C", str(ROOT), "worktree", "remove", "--force", str(tree)],
                       capture_output=True)

    threads = [threading.Thread(target=worker, args=(i,)) for i in range(args.workers)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    records = [json.loads(line) for line in results.read_text().splitlines()]
    counts = {}
    for r in records:
        counts[r["status"]] = counts.get(r["status"], 0) + 1
    built = len(records) - counts.get("compile", 0)
    caught = built - counts.get("survived", 0)
    print(f"{built} built; caught {caught} ({100 * caught / max(built, 1):.1f} %); {counts}")
    for r in records:
        if r["status"] == "survived":
            print(f"{r['file']}:{r['line']}\n  - {r['old'].strip()}\n  + {r['new'].strip()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
