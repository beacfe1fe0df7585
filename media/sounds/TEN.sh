#!/bin/sh
# Ten: a bright tone that climbs up, like a ball bouncing higher.
. "$(dirname "$0")/common.sh"
mix "fade t 0.005 0.5 0.12" \
  "$(part synth 0.5 sine 523/1568)" \
  "$(part synth 0.5 sine 1046/3136 gain -6)" \
  "$(part synth 0.5 sine 1569/4704 gain -12)"
