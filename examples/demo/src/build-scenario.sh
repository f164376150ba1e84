#!/usr/bin/env bash
# Turns the UTF-8 sources into the Shift-JIS files with CR LF that Qorix reads.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for f in demo.snr sample.txt; do
  iconv -f UTF-8 -t CP932 "$here/$f.utf8" | sed 's/$/\r/' > "$here/../$f"
done
