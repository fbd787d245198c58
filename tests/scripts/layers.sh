#!/usr/bin/env bash
# The engine's folders depend in one direction only: a folder may include its
# own headers and those of the folders below it, never one above.
source "$(dirname "$0")/common.bash"

python3 - "$SOURCE/src" <<'PYEOF' && pass || fail "a lower folder includes a higher one"
import os, re, sys
# platform/ (where the program and its data lie) sits below everything. A
# folder within a folder (gfx/paint: the painting machinery under the
# canvases; optics/schedule: how a trace is run, over the tracer) has a rank
# of its own.
rank = {"platform": -1, "gfx": 0, "i18n": 0, "gfx/paint": 0.5, "optics": 1,
        "optics/schedule": 1.5, "scene": 2, "objects": 3, "files": 4, "cli": 5, "ui": 5,
        "app": 6}
root = sys.argv[1]
def folder_of(relative):
    parts = relative.split("/")
    two = "/".join(parts[:2])
    return two if two in rank else parts[0]
bad = []
for folder, level in rank.items():
    for dirpath, _, files in os.walk(os.path.join(root, folder)):
        for name in files:
            path = os.path.join(dirpath, name)
            if folder_of(os.path.relpath(path, root)) != folder:
                continue  # ranked as its own folder
            for line in open(path, encoding="utf-8"):
                m = re.match(r'\s*#include "([a-z0-9/]+)/[A-Za-z0-9_]+\.h"', line)
                if not m or folder_of(m.group(1) + "/x") not in rank:
                    continue
                other = folder_of(m.group(1) + "/x")
                # gfx and i18n share a level but do not lean on each other.
                if rank[other] > level or (level == 0 and other != folder and rank[other] == 0):
                    bad.append(f"{os.path.relpath(path, root)}: {line.strip()}")
for b in bad:
    print(b, file=sys.stderr)
sys.exit(1 if bad else 0)
PYEOF

# The system's own headers are included in one file, the seam another
# system's build replaces (platform/Platform.h).
bad="$(grep -rlE '#include <(unistd|fcntl|dlfcn|dirent|signal|csignal|windows|io)\.?h?>|#include <sys/' \
  "$SOURCE/src" | grep -v '/src/platform/Platform\.cpp$')"
[ -z "$bad" ] && pass || fail "system headers outside platform/Platform.cpp: $bad"

# The window's classes form no circle: a file pair of app/ (the window counts
# its TLumidorNetworkFrm*.cpp as one) never reaches itself again, so each
# helper of the window builds and tests without it.
python3 - "$SOURCE/src" <<'PYEOF' && pass || fail "a circle of includes between classes"
import os, re, sys
root = sys.argv[1]
uses = {}
for dirpath, _, files in os.walk(os.path.join(root, "app")):
    folder = os.path.relpath(dirpath, root)
    for name in sorted(files):
        stem = re.sub(r"(TLumidorNetworkFrm)[A-Z][a-z]+$", r"\1", name.rsplit(".", 1)[0])
        unit = f"{folder}/{stem}"
        for line in open(os.path.join(dirpath, name), encoding="utf-8"):
            m = re.match(r'\s*#include "([\w/]+)\.h"', line)
            if m and m.group(1) != unit and m.group(1).startswith("app/"):
                uses.setdefault(unit, set()).add(m.group(1))
state, circles = {}, []
def visit(unit, path):
    state[unit] = 1
    for other in sorted(uses.get(unit, ())):
        if state.get(other) == 1:
            circles.append(" -> ".join(path[path.index(other):] + [other]))
        elif other not in state:
            visit(other, path + [other])
    state[unit] = 2
for unit in sorted(uses):
    if unit not in state:
        visit(unit, [unit])
for c in circles:
    print(c, file=sys.stderr)
sys.exit(1 if circles else 0)
PYEOF

finish
