#!/usr/bin/env bash
# Starts the tool against a simulated unit: dorv-sim on a pseudo-terminal, mapped as COM1.
#
# The tool gets a configuration folder of its own (build/demo-config, or DORV_DEMO_CONFIG) and a
# data folder of its own for its logs and image history (build/demo-data, or DORV_DEMO_DATA), so
# the user's real settings, logs and history are not touched. Its DORV.ini maps COM1 to the simulator; everything
# else in that file is kept between runs. Extra arguments go to the tool (e.g. ENGLISH).
# Options for the simulator can be given in DORV_SIM_ARGS (e.g. "--rpm 3000 --throttle 20").
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
config=${DORV_DEMO_CONFIG:-$PWD/build/demo-config}
data=${DORV_DEMO_DATA:-$PWD/build/demo-data}
folder=$config/DORV
link=$folder/sim-tty

for program in "$bin/dorv" "$bin/dorv-sim"; do
  if [ ! -x "$program" ]; then
    echo "run-with-sim: $program is missing; build first (scripts/setup.sh run)" >&2
    exit 1
  fi
done
mkdir -p "$folder" "$data"

# Sets key=value in a section of an INI file, keeping every other line.
set_ini_value() { # file section key value
  local file=$1 section=$2 key=$3 value=$4 tmp
  tmp=$(mktemp "$file.XXXXXX")
  awk -v section="$section" -v key="$key" -v value="$value" '
    BEGIN { want = "[" toupper(section) "]" }
    function flush() { if (inside && !done) { print key "=" value; done = 1 } }
    /^[ \t]*\[/ {
      flush()
      header = toupper($0); gsub(/[ \t\r]/, "", header)
      inside = (header == want)
      if (inside) seen = 1
      print; next
    }
    inside && !done {
      line = $0; sub(/\r$/, "", line)
      split(line, part, "=")
      name = part[1]; gsub(/[ \t]/, "", name)
      if (toupper(name) == toupper(key)) { print key "=" value; done = 1; next }
    }
    { print }
    END { flush(); if (!seen) { print "[" section "]"; print key "=" value } }
  ' "$file" >"$tmp" 2>/dev/null || { : >"$tmp"; printf '[%s]\n%s=%s\n' "$section" "$key" "$value" >"$tmp"; }
  mv "$tmp" "$file"
}

ini=$folder/DORV.ini
[ -f "$ini" ] || : >"$ini"
set_ini_value "$ini" PORTS COM1 "$link"

# shellcheck disable=SC2086
"$bin/dorv-sim" --link "$link" ${DORV_SIM_ARGS:-} >/dev/null &
sim=$!
stop_sim() {
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
}
trap stop_sim EXIT

for _ in $(seq 50); do
  [ -e "$link" ] && break
  if ! kill -0 "$sim" 2>/dev/null; then
    echo "run-with-sim: the simulator did not start" >&2
    exit 1
  fi
  sleep 0.1
done
[ -e "$link" ] || { echo "run-with-sim: the simulator's port did not appear" >&2; exit 1; }

echo "run-with-sim: simulated unit on $(readlink "$link") as COM1; settings in $folder," \
  "logs and history in $data/DORV" >&2
status=0
XDG_CONFIG_HOME=$config XDG_DATA_HOME=$data "$bin/dorv" "$@" || status=$?
exit "$status"
