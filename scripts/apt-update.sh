#!/usr/bin/env bash
# apt-get update for the install scripts, tried again when it fails.  A Debian
# mirror in the middle of a sync serves index files whose size does not match
# its release file for a minute or two ("Mirror sync in progress?"), and the
# whole test command failed on it once; a later try gets the synced files.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
attempts=5
for attempt in $(seq "$attempts"); do
  if $SUDO apt-get update -qq; then
    exit 0
  fi
  if [ "$attempt" -lt "$attempts" ]; then
    echo "apt-get update failed (try $attempt of $attempts); trying again in 30 s" >&2
    sleep 30
  fi
done
echo "apt-get update failed $attempts times" >&2
exit 1
