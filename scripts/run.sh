#!/bin/sh
# Starts the calculator from the release build.
set -eu
cd "$(dirname "$0")/.."
if [ -x build/bin/rurozovizera ]; then
    exec build/bin/rurozovizera
fi
echo "The calculator's windows are not built yet; the engine is, and can be driven by"
echo "build/bin/rurozovizera-keys (keys on standard input, one per line)."
