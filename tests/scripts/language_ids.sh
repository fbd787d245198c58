#!/usr/bin/env bash
# Every text id the sources look up literally (messages shown only on rare
# failures included) has its entry in the English language file, in the
# section of the window whose controller looks it up.
source "$(dirname "$0")/common.bash"

python3 - "$SOURCE" <<'PYEOF' && pass || fail "text ids without an entry in lang/LumidorPro.trk"
import os, re, sys
root = sys.argv[1]
entries, section = {}, None
for line in open(os.path.join(root, "lang/LumidorPro.trk"), encoding="utf-8-sig"):
    line = line.strip()
    if line.startswith("[") and line.endswith("]"):
        section = line[1:-1].strip().lower()
        entries.setdefault(section, set())
    elif "=" in line and section:
        entries[section].add(line.split("=", 1)[0].strip().lower())

# The section of a source file: the class its header's controller is named after.
def section_of(path):
    header = os.path.splitext(path)[0] + ".h"
    m = os.path.exists(header) and re.search(r'TtlmController\s+\w+\{"(\w+)"\}',
                                             open(header, encoding="utf-8").read())
    return m.group(1) if m else None

missing = []
for folder, _, files in os.walk(os.path.join(root, "src")):
    for name in files:
        if not name.endswith(".cpp"):
            continue
        path = os.path.join(folder, name)
        text = open(path, encoding="utf-8").read()
        wanted = [("TLumidorNetworkFrm", k) for k in re.findall(r'\bTr\("([^"]+)"', text)]
        own = section_of(path)
        if own:
            wanted += [(own, k) for k in re.findall(r'\b(?:Translate|tr|text)\("([^"]+)"', text)]
        if name == "PropertyRowClass.cpp":  # the sheet's names of its row editors
            wanted += [("TShowPropertiesFrm", k) for k in re.findall(r'\{"(\d+)", "', text)]
        for sec, key in wanted:
            if key.lower() not in entries.get(sec.lower(), set()):
                missing.append(f"{os.path.relpath(path, root)}: [{sec}] {key}")
for m in sorted(set(missing)):
    print(m, file=sys.stderr)
sys.exit(1 if missing else 0)
PYEOF

finish
