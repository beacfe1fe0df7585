#!/bin/sh
# Key 1: a wooden marimba C5, a soft knock with a short ring.
. "$(dirname "$0")/common.sh"
mix "fade t 0.003 0.6 0.05" \
  "$(part synth 0.6 sine C5 fade l 0 0.6 0.58)" \
  "$(part synth 0.6 sine C7 fade l 0 0.12 0.118 pad 0 0.48 gain -9)" \
  "$(part synth 0.6 sine 2093 fade l 0 0.05 0.048 pad 0 0.55 gain -14)"
