#!/usr/bin/env bash
# Builds the program and starts it from its start directory (build/start),
# which holds the Setting folder and the report templates.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$here/build/start"
exec "$here/build/ui/rv820" "$@"
