#!/usr/bin/env bash
# Whole-process measures of the tool against an empty Qt window: start-up to the first show, peak
# memory, and CPU while idle and polling a simulated unit on a pseudo-terminal.
#
# Build first:  cmake -S . -B build -G Ninja -DDORV_BUILD_BENCH=ON
#               cmake --build build --target dorv dorv-sim dorv-minimal-window dorv-text-window \
#                 dorv-fonts-window
# Then:         bench/measure-process.sh            (RUNS=30 IDLE_SECONDS=30 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

BIN=${BIN:-build/bin}
RUNS=${RUNS:-30}
IDLE_SECONDS=${IDLE_SECONDS:-30}
TOOL=$BIN/dorv
MINIMAL=$BIN/dorv-minimal-window
TEXT=$BIN/dorv-text-window
FONTS=$BIN/dorv-fonts-window
SIM=$BIN/dorv-sim

for program in "$TOOL" "$MINIMAL" "$TEXT" "$FONTS" "$SIM"; do
  [ -x "$program" ] || { echo "missing $program: build it first (see the top of $0)" >&2; exit 2; }
done
command -v hyperfine >/dev/null || { echo "hyperfine is needed (scripts/setup.sh installs it)" >&2; exit 2; }

work=$(mktemp -d)
sim_pid=""
tool_pid=""
cleanup() {
  set +e
  for pid in $tool_pid $sim_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  [ -n "${port_lock:-}" ] && rm -f "$port_lock"
  rm -rf "$work"
}
trap cleanup EXIT

# The simulated unit on a pty; a private configuration folder maps the ports to it, so the tool
# starts as a technician's would: port open, unit answering.
"$SIM" --link "$work/ttyDORV" -v >/dev/null 2>"$work/sim.log" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/ttyDORV" ] && break; sleep 0.1; done
[ -e "$work/ttyDORV" ] || { echo "dorv-sim did not make its pty" >&2; exit 1; }
mkdir -p "$work/config/DORV"
printf '[PORTS]\r\nCOM1=%s\r\nCOM2=%s\r\n' "$work/ttyDORV" "$work/ttyDORV" >"$work/config/DORV/DORV.ini"
export XDG_CONFIG_HOME=$work/config
export XDG_DATA_HOME=$work/data
export QT_QPA_PLATFORM=offscreen

median_ms() { # hyperfine JSON, command index
  python3 -c 'import json,statistics,sys
r=json.load(open(sys.argv[1]))["results"][int(sys.argv[2])]
print("%.1f" % (statistics.median(r["times"])*1000))' "$1" "$2"
}
ratio() { python3 -c 'import sys; print("%.2f" % (float(sys.argv[1]) / float(sys.argv[2])))' "$1" "$2"; }

echo "== 1. Start-up to the first show (process started to exit right after show), $RUNS runs"
# The probe ends the tool without closing its port or leaving its configuration folder, so the
# port's lock file and the folder's DORV.lock stay behind. A tool that was closed releases both;
# they are removed before each run so that every run starts as after a normal exit, not as after a
# crash (taking over the port's stale lock costs two more synchronous writes; the folder's lock
# file left behind costs nothing, as no one holds it).
port_lock=/var/lock/LCK..$(printf '%s' "$work/ttyDORV" | tr / _)
folder_lock=$work/config/DORV/DORV.lock
DORV_EXIT_AFTER_SHOW=1 hyperfine -N --warmup 3 --runs "$RUNS" --export-json "$work/startup.json" \
  --prepare "rm -f $port_lock $folder_lock" "$TOOL" --prepare "true" "$MINIMAL" \
  --prepare "true" "$TEXT" --prepare "true" "$FONTS" >"$work/hyperfine.txt"
grep -E "Benchmark|Time|Range" "$work/hyperfine.txt"
tool_ms=$(median_ms "$work/startup.json" 0)
minimal_ms=$(median_ms "$work/startup.json" 1)
text_ms=$(median_ms "$work/startup.json" 2)
fonts_ms=$(median_ms "$work/startup.json" 3)
echo "median: dorv $tool_ms ms, minimal window $minimal_ms ms, ratio $(ratio "$tool_ms" "$minimal_ms") (target 1.5)"
echo "median: window with one line of text $text_ms ms, ratio $(ratio "$tool_ms" "$text_ms") (target 1.3)"
echo "median: window with a line in each font of the first show $fonts_ms ms: the fonts alone are" \
  "$(ratio "$fonts_ms" "$text_ms") of the one line; dorv is $(ratio "$tool_ms" "$fonts_ms") of them"

echo "== 2. Peak memory (maximum resident set), median of 5 runs each"
peak_kb() {
  for _ in 1 2 3 4 5; do
    rm -f "$port_lock" "$folder_lock"
    DORV_EXIT_AFTER_SHOW=1 /usr/bin/time -v "$1" 2>&1 >/dev/null |
      awk -F': ' '/Maximum resident set size/ {print $2}'
  done | sort -n | sed -n 3p
}
tool_kb=$(peak_kb "$TOOL")
minimal_kb=$(peak_kb "$MINIMAL")
echo "dorv $tool_kb kB, minimal window $minimal_kb kB, ratio $(ratio "$tool_kb" "$minimal_kb") (target 1.5)"

echo "== 2b. Shared objects loaded up to the first show (dynamic loader's list)"
loaded_files() {
  rm -f "$port_lock" "$folder_lock"
  DORV_EXIT_AFTER_SHOW=1 LD_DEBUG=files "$1" 2>&1 >/dev/null |
    sed -n 's/.*file=\([^ ]*\) \[[0-9]*\];  generating link map.*/\1/p' | xargs -n1 basename | sort -u
}
loaded_files "$TOOL" >"$work/loaded-tool.txt"
loaded_files "$TEXT" >"$work/loaded-text.txt"
echo "dorv $(wc -l <"$work/loaded-tool.txt"), window with one line of text $(wc -l <"$work/loaded-text.txt");" \
  "only dorv: $(comm -23 "$work/loaded-tool.txt" "$work/loaded-text.txt" | tr '\n' ' ')"

echo "== 3. CPU while idle and polling the unit, $IDLE_SECONDS s"
rm -f "$port_lock" "$folder_lock"
"$TOOL" >/dev/null 2>&1 &
tool_pid=$!
sleep 3 # start-up and the first polls
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
polls_before=$(grep -c "^rx" "$work/sim.log" || true)
ticks_before=$(cpu_ticks "$tool_pid")
sleep "$IDLE_SECONDS"
ticks_after=$(cpu_ticks "$tool_pid")
polls_after=$(grep -c "^rx" "$work/sim.log" || true)
peak_running=$(awk '/VmHWM/ {print $2}' "/proc/$tool_pid/status")
hz=$(getconf CLK_TCK)
python3 -c 'import sys
t, hz, s = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3])
print("dorv used %.2f s of CPU in %.0f s: %.2f %% of one core (target under 1 %%)" % (t / hz, s, 100 * t / hz / s))' \
  "$((ticks_after - ticks_before))" "$hz" "$IDLE_SECONDS"
echo "frames the unit received meanwhile: $((polls_after - polls_before)) (a poll every 6 ticks of 55 ms: about $((IDLE_SECONDS * 1000 / 330)))"
echo "dorv peak resident set after running: $peak_running kB"
