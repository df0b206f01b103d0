#!/usr/bin/env bash
# Runs the end-to-end test program on a display of its own. Two test runs starting at the
# same moment may pick the same free display number, and then one X server fails to start;
# that run tries again on another number. The program gets at most QUORIX_E2E_SECONDS
# (default 420) and is then stopped, so that a window nobody answers never hangs the run.
#   run-e2e.sh TEST_PROGRAM [gtest arguments...]
set -uo pipefail
for attempt in 1 2 3; do
    log=$(mktemp)
    xvfb-run -a -e "$log" -s "-screen 0 1280x1024x24" \
        timeout -k 15 "${QUORIX_E2E_SECONDS:-420}" "$@"
    status=$?
    if ! grep -q "Xvfb failed to start" "$log"; then
        cat "$log" >&2
        if ((status == 124 || status == 137)); then echo "run-e2e.sh: stopped after the time limit" >&2; fi
        rm -f "$log"
        exit $status
    fi
    rm -f "$log"
    sleep $((attempt * 2))
done
echo "run-e2e.sh: no X server could be started" >&2
exit 1
