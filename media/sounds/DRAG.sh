#!/bin/sh
# While dragging: a soft humming chord that gently swells and loops forever.
# One second long, and every partial and the swell are whole numbers of hertz, so the wave at the end
# of the loop is exactly the wave at its start.
. "$(dirname "$0")/common.sh"
mix "tremolo 3 40" \
  "$(part synth 1 sine 262)" \
  "$(part synth 1 sine 330 gain -3)" \
  "$(part synth 1 sine 392 gain -5)" \
  "$(part synth 1 sine 524 gain -14)"
