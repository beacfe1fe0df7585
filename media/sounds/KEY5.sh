#!/bin/sh
# Key 5: a toy ocarina A5, a hollow mellow tone (odd partials only).
. "$(dirname "$0")/common.sh"
mix "fade h 0.02 0.55 0.25" \
  "$(part synth 0.55 sine A5)" \
  "$(part synth 0.55 sine 2640 gain -12)" \
  "$(part synth 0.55 sine 4400 gain -22)"
