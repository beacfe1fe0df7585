#!/bin/sh
# A wobbly wah-wah: a horn-like note sliding down while its bright partials open and close
# three times ("wah-wah-wah"), like a funny trumpet.
. "$(dirname "$0")/common.sh"
mix "fade t 0.03 1.0 0.25" \
  "$(part synth 1.0 sine 330/220)" \
  "$(part synth 1.0 sine 660/440 gain -3 tremolo 3 95)" \
  "$(part synth 1.0 sine 990/660 gain -5 tremolo 3 95)" \
  "$(part synth 1.0 sine 1320/880 gain -8 tremolo 3 95)" \
  "$(part synth 1.0 sine 1650/1100 gain -12 tremolo 3 95)"
