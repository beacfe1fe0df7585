#!/bin/sh
# A short bubbly pop, like a soap bubble bursting.
. "$(dirname "$0")/common.sh"
one synth 0.12 sine 500/1400 fade q 0.004 0.12 0.09
