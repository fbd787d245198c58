#!/usr/bin/env bash
# The committed example experiments are what the generator writes, and each
# opens and traces with the command-line tool.
source "$(dirname "$0")/common.bash"

shopt -s nullglob
committed=("$SOURCE"/examples/*.exo)
if [ ${#committed[@]} -eq 0 ]; then
  fail "no example experiments in examples/"
fi

if [ -x "$BUILD/exo-make-examples" ]; then
  if "$BUILD/exo-make-examples" "$WORK/generated" >/dev/null 2>"$WORK/err"; then
    for f in "$WORK"/generated/*.exo; do
      name="$(basename "$f")"
      if [ ! -e "$SOURCE/examples/$name" ]; then
        # A builder that landed before its file was generated.
        echo "note: examples/$name is not committed yet (run exo-make-examples examples)"
      elif cmp -s "$f" "$SOURCE/examples/$name"; then
        pass
      else
        fail "examples/$name differs from what exo-make-examples writes (regenerate it)"
      fi
    done
    for f in "${committed[@]}"; do
      [ -e "$WORK/generated/$(basename "$f")" ] || fail "$(basename "$f") is no longer generated"
    done
  else
    fail "exo-make-examples: $(cat "$WORK/err")"
  fi
fi

# The info and trace of every example equal the files in tests/golden/.
# EXO_UPDATE_GOLDEN=1 writes them instead (see docs/experiment-files.md).
golden="$SOURCE/tests/golden"
compare_golden() {
  local out="$1" expected="$golden/$2"
  if [ "${EXO_UPDATE_GOLDEN:-0}" = 1 ]; then
    mkdir -p "$golden" && cp "$out" "$expected" && echo "wrote tests/golden/$2" && pass
  elif [ ! -e "$expected" ]; then
    fail "tests/golden/$2 is missing (EXO_UPDATE_GOLDEN=1 writes it)"
  elif diff -u "$expected" "$out" >"$WORK/diff"; then
    pass
  else
    fail "$2 differs from tests/golden/$2:"
    sed -n 3,22p "$WORK/diff"
  fi
}

# Run beside the files, so that info names them without this checkout's path.
cd "$SOURCE/examples" || fail "cannot enter examples/"
for f in "${committed[@]}"; do
  name="$(basename "$f")"
  if run_tool "$WORK/out" "$WORK/err" info "$name"; then
    if [ "$rc" -eq 0 ] && [ ! -s "$WORK/err" ]; then pass; else fail "info $name: $rc $(cat "$WORK/err")"; fi
    compare_golden "$WORK/out" "${name%.exo}.info"
  fi
  if run_tool "$WORK/trace" "$WORK/err" trace "$name"; then
    # Rays are drawn unless the experiment has no light source (the imaging
    # system demonstrates without tracing).
    if [ "$rc" -eq 0 ] && { grep -q "^ray" "$WORK/trace" ||
      ! grep -qE "^[0-9]+ (LampHouse|ComplexlH|PointLampHouse|RealObject) " "$WORK/out"; }; then
      pass
    else
      fail "trace $name"
    fi
    compare_golden "$WORK/trace" "${name%.exo}.trace"
  fi
  # The copy beside the program is the same file.
  if cmp -s "$f" "$BUILD/Optics example/$name"; then pass; else fail "$name not copied beside the program"; fi
done

# The periscope sends its rays out to the right 250 pixels above where they came in.
periscope="$SOURCE/examples/潜望镜.exo"
if [ -e "$periscope" ] && run_tool "$WORK/trace" "$WORK/err" trace "$periscope"; then
  if python3 - "$WORK/trace" <<'PYEOF'; then pass; else fail "periscope trace"; fi
import sys
out = []
for line in open(sys.argv[1], encoding="utf-8"):
    f = line.split("\t")
    if f[0] == "ray":
        x1, y1, x2, y2 = map(float, f[1:5])
        if x2 - x1 > 500 and abs(y2 - y1) < 0.5:
            out.append(y1)
# Three rays came in at y = 400, 388 and 376.
expected = [150.0, 138.0, 126.0]
ok = len(out) == 3 and all(any(abs(y - e) < 1.0 for y in out) for e in expected)
if not ok:
    print("outgoing rays at", out, file=sys.stderr)
sys.exit(0 if ok else 1)
PYEOF
fi

finish
