#!/usr/bin/env bash
# Part of scripts/test.sh: every fuzz target replays its seeds and runs briefly.
set -euo pipefail
exec "$(dirname "$0")/../fuzz.sh" 15
