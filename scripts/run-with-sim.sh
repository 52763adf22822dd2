#!/usr/bin/env bash
# Starts the tool. (A simulated unit on a pseudo-terminal is wired in here once it exists.)
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/bin/dorv "$@"
