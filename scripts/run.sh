#!/bin/sh
# Starts the calculator from the user build that `make run` makes.
set -eu
cd "$(dirname "$0")/.."
exec build/user/bin/rurozovizera
