#!/bin/sh
# Bom: a low, soft rumble like distant thunder, looping without a seam.
# Deep noise cross-faded into itself; the slow swell makes a whole number of cycles per loop.
. "$(dirname "$0")/common.sh"
noise_loop 1.5 synth 2.5 brownnoise lowpass 180 lowpass 180 bass +6 90
finish_loop tremolo 2 50
