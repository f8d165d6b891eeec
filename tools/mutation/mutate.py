#!/usr/bin/env python3
"""Plants the faults of a list into the source tree one at a time, builds the test programs each
names and runs them: a fault is killed when a program fails, survives when all pass.

Each line of the list: id, test programs (comma-separated), file, the text replaced, the text put
in its place, separated by tabs; in the texts "\\n" stands for a line break, "\\t" for a tab
and "\\\\" for one backslash. The
text replaced must occur exactly once in the file. Lines starting with # and blank lines count
for nothing. The file is put back after each fault, also when the run is interrupted.
"""
import argparse
import os
import pathlib
import signal
import subprocess
import sys


def stop(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "t": "\t"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_list(path):
    faults = []
    for number, line in enumerate(pathlib.Path(path).read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 5:
            sys.exit(f"{path}:{number}: five tab-separated fields expected, {len(fields)} found")
        ident, programs, file, old, new = fields
        faults.append((ident, programs.split(","), file, unescape(old), unescape(new)))
    return faults


def run(command, log, timeout=None, env=None):
    with open(log, "a", encoding="utf-8") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, timeout=timeout, env=env).returncode
        except subprocess.TimeoutExpired:
            out.write("(timed out)\n")
            return 124


def test_command(build, program):
    """The command and environment that run one test program: the window tests (ui_*) are Qt
    Test programs, run offscreen as ctest runs them; the others are GoogleTest programs."""
    if program.startswith("ui_"):
        return [str(build / "tests" / program)], dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return [str(build / "tests" / program), "--gtest_brief=1"], None


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--source", default=".", help="the source tree (default: here)")
    parser.add_argument("--build", default="build/release", help="its configured build folder")
    parser.add_argument("--list", default="tools/mutation/faults.tsv")
    parser.add_argument("--only", nargs="*", help="ids to run (default: all)")
    parser.add_argument("--jobs", default="2")
    args = parser.parse_args()
    # Started in the background, the run may have SIGINT ignored: SIGTERM ends it as well, the
    # file in hand put back.
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    source = pathlib.Path(args.source).resolve()
    build = (source / args.build).resolve()
    log = build / "mutation.log"
    log.write_text("", encoding="utf-8")
    faults = read_list(source / args.list)
    if args.only:
        faults = [f for f in faults if f[0] in args.only]

    killed, survived, stillborn = [], [], []
    for ident, programs, file, old, new in faults:
        path = source / file
        original = path.read_bytes()
        text = original.decode("utf-8")
        if text.count(old) != 1:
            print(f"{ident}: the text to replace occurs {text.count(old)} times in {file}", flush=True)
            stillborn.append(ident)
            continue
        try:
            path.write_text(text.replace(old, new), encoding="utf-8")
            if run(["cmake", "--build", str(build), "-j", args.jobs, "--target", *programs], log) != 0:
                outcome = "does not build"
                stillborn.append(ident)
            else:
                failed = []
                for program in programs:
                    command, env = test_command(build, program)
                    if run(command, log, timeout=900, env=env) != 0:
                        failed.append(program)
                outcome = "killed by " + ",".join(failed) if failed else "SURVIVED"
                (killed if failed else survived).append(ident)
        finally:
            path.write_bytes(original)
        print(f"{ident}: {outcome}", flush=True)

    planted = len(killed) + len(survived)
    print(f"planted {planted}, killed {len(killed)}, survived {len(survived)}"
          + (f" ({100 * len(killed) // planted}% killed)" if planted else "")
          + (f"; not planted: {' '.join(stillborn)}" if stillborn else ""))
    if survived:
        print("survivors: " + " ".join(survived))
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())
