#!/usr/bin/python3
"""Runs the asset script into a temporary folder and compares what it writes
with the committed assets folder, byte for byte: the committed drawings, their
list and the cursors' hot spots must be exactly what the script draws.

Usage: reproduce.py MAKE_ASSETS_SCRIPT ASSETS_DIR
Writes nothing outside its temporary folder.
"""

import difflib
import os
import subprocess
import sys
import tempfile

# Files of the assets folder that are written by hand, not by the script.
HAND_WRITTEN = {"CMakeLists.txt", "README.md", "velmora_assets.cpp", "velmora_assets.h"}


def files_under(root, skip=()):
    found = set()
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d != "__pycache__"]
        for name in files:
            rel = os.path.relpath(os.path.join(folder, name), root)
            if rel not in skip:
                found.add(rel)
    return found


def main():
    script, committed = sys.argv[1], os.path.abspath(sys.argv[2])
    with tempfile.TemporaryDirectory(prefix="velmora-assets-") as tmp:
        out = os.path.join(tmp, "assets")
        env = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")
        run = subprocess.run([sys.executable, "-B", script, out], env=env, capture_output=True, text=True)
        if run.returncode != 0:
            sys.stderr.write(run.stderr)
            print(f"FAIL: {script} exited with {run.returncode}. It needs python3-fonttools, libharfbuzz-bin, "
                  "fonts-dancingscript and fonts-dejavu-core (scripts/install-deps installs them).")
            return 1
        drawn = files_under(out)
        kept = files_under(committed, HAND_WRITTEN)
        problems = []
        for rel in sorted(drawn - kept):
            problems.append(f"{rel}: drawn by the script but not committed")
        for rel in sorted(kept - drawn):
            problems.append(f"{rel}: committed but no longer drawn by the script")
        for rel in sorted(drawn & kept):
            with open(os.path.join(out, rel), "rb") as a, open(os.path.join(committed, rel), "rb") as b:
                new, old = a.read(), b.read()
            if new != old:
                diff = difflib.unified_diff(old.decode("utf-8", "replace").splitlines(),
                                            new.decode("utf-8", "replace").splitlines(),
                                            f"committed/{rel}", f"drawn/{rel}", lineterm="", n=0)
                lines = list(diff)
                problems.append(f"{rel}: differs from what the script draws\n  "
                                + "\n  ".join(line[:160] for line in lines[:8]))
        if problems:
            print("FAIL: the committed assets are not what scripts/make-assets.py draws "
                  "(run it and commit the result, or fix the drawing):")
            print("\n".join(problems))
            return 1
        print(f"PASS: {len(drawn)} files, identical to the committed ones")
        return 0


if __name__ == "__main__":
    sys.exit(main())
