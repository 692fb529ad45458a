#!/usr/bin/env bash
# A short endurance run (60 s) of the real program under scripted input: flat memory after the
# warm-up, no unexpected output, and Escape still ends it with status 0.
exec bash "$(dirname "${BASH_SOURCE[0]}")/../../scripts/soak-program" 60 "${1:?usage: $0 /path/to/grainwright}"
