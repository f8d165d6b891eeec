#!/bin/sh
# A mutation run: the faults of tools/mutation/faults.tsv planted one at a time into this tree,
# each followed by a build of the test programs it names and a run of them (see mutate.py).
# The build folder must be configured (build/release as the README makes it; the windows are
# not needed: -DHASTELYN_UI=OFF). Builds and test output go to BUILD/mutation.log.
#
#   tools/mutation/run.sh [--build build/release] [--only ID...]
set -eu
cd "$(dirname "$0")/../.."
exec python3 tools/mutation/mutate.py "$@"
