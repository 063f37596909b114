#!/bin/sh
# Starts the calculator from the release build.
set -eu
cd "$(dirname "$0")/.."
exec build/bin/rurozovizera
