#!/bin/sh
# A springy boing for a held key: a tone that springs upwards while bouncing in loudness,
# "boyoyoyoing", then settles.
. "$(dirname "$0")/common.sh"
mix "tremolo 13 70 fade t 0.01 0.8 0.3" \
  "$(part synth 0.8 sine 150/520)" \
  "$(part synth 0.8 sine 300/1040 gain -9)" \
  "$(part synth 0.8 sine 450/1560 gain -18)"
