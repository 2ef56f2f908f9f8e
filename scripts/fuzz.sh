#!/usr/bin/env bash
# Fuzzes every reader: builds the fuzz targets with clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for SECONDS (default 180) from its seeds and from the corpus
# kept outside the source tree. A crash, leak, hang or memory blow-up stops the run with the input that
# shows it; copy that input into fuzz/regressions/<target>/ once the fault is mended.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# FUZZ_JOBS targets run at once (default 1), each niced; the build uses BUILD_JOBS (default 3).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-180}
shift || true
corpus=${QUILLPAD_FUZZ_CORPUS:-${XDG_CACHE_HOME:-$HOME/.cache}/quillpad-fuzz}
work=$root/build/fuzz
src=$work/src

# Clang cannot turn the UTF-8 literals into Windows-1252: compile a copy of the tree that already is.
# The copy follows the tree each run: files moved or removed in the tree leave it, and files that did
# not change keep their time, so that only what changed is built again.
mkdir -p "$src"
(cd "$root" && git ls-files -co --exclude-standard) | python3 -c '
import os, sys
root, src = sys.argv[1], sys.argv[2]
wanted = set()
for name in sys.stdin.read().splitlines():
    path = os.path.join(root, name)
    if not os.path.isfile(path):
        continue
    wanted.add(name)
    with open(path, "rb") as f:
        data = f.read()
    if name.endswith((".cpp", ".h")):
        data = data.decode("utf-8").encode("cp1252", errors="replace")
    target = os.path.join(src, name)
    try:
        with open(target, "rb") as f:
            if f.read() == data:
                continue
    except OSError:
        pass
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as f:
        f.write(data)
for folder, _, files in os.walk(src):
    for name in files:
        path = os.path.join(folder, name)
        if os.path.relpath(path, src) not in wanted:
            os.remove(path)
' "$root" "$src"

cmake -S "$src" -B "$work/build" -G Ninja -DQP_HOST=ON -DQP_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$work/build" -j "${BUILD_JOBS:-3}" --target fuzz_targets

mkdir -p "$work/artifacts"
# Runs one target; its summary (or the end of its log on a finding) goes to its own file.
run_target() {
  local name=$1
  shift
  mkdir -p "$corpus/$name"
  local dict=() existing=() d
  [ -f "$work/build/fuzz/$name.dict" ] && dict=(-dict="$work/build/fuzz/$name.dict")
  for d in "$@"; do [ -d "$d" ] && existing+=("$d"); done
  local log=$work/$name.log
  if ! nice -n 10 "$work/build/fuzz/fuzz_$name" "$corpus/$name" "${existing[@]}" "${dict[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 -max_len=1048576 \
      -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" > "$log" 2>&1; then
    { tail -60 "$log"; echo "fuzz: $name found a fault; the input is in $work/artifacts/"; } > "$log.summary"
    return 1
  fi
  local execs cov
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+' || echo 0)
  echo "   $name: $execs executions, $cov edges, corpus $(ls "$corpus/$name" | wc -l) inputs" > "$log.summary"
}

status=0
running=0
names=()
while read -r name seeds; do
  [ -n "$name" ] || continue
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  if [ "$running" -ge "${FUZZ_JOBS:-1}" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  echo "== $name: ${seconds}s"
  rm -f "$work/$name.log.summary"
  # shellcheck disable=SC2086
  run_target "$name" $seeds &
  running=$((running + 1))
  names+=("$name")
done < "$work/build/fuzz/targets.txt"
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
for name in "${names[@]}"; do cat "$work/$name.log.summary" 2>/dev/null || true; done
[ $status -eq 0 ] || echo "fuzz: a target found a fault (see above)" >&2
exit $status
