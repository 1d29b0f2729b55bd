#!/usr/bin/env bash
# Installs what is missing, builds and starts Nyugvár from build/bin/.
set -euo pipefail
cd "$(dirname "$0")"
tools/prepare.sh
exec build/bin/nyugvar "$@"
