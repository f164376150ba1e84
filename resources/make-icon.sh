#!/usr/bin/env bash
# Renders the program icon qorix.png from its drawing, qorix-icon.mvg.
# Needs ImageMagick; the build uses the PNG kept beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
convert -background none "mvg:$here/qorix-icon.mvg" -depth 8 -strip -define png:compression-level=9 "$here/qorix.png"
