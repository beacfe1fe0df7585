#!/bin/sh
# Syu: an airy whoosh that rises and falls, looping without a seam.
# Band-passed noise cross-faded into itself; two swells per loop, each a whole cycle.
. "$(dirname "$0")/common.sh"
noise_loop 1 synth 2 pinknoise highpass 600 lowpass 3000 sinc 700-2800
finish_loop tremolo 2 90
