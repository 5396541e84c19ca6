#!/bin/sh
# Synthesises the sound library: a few short sounds per category, made with
# sox and encoded as MP3 with lame. Usage: make_sounds.sh OUTDIR
set -eu
out="$1"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

make() { # name, sox synth arguments...
  name="$1"; shift
  sox -q -n -r 22050 -c 1 "$tmp/$name.wav" "$@"
  lame --quiet -b 48 "$tmp/$name.wav" "$out/$name.mp3"
}

make agua_gota      synth 0.25 sine 1400-500 fade q 0 0.25 0.2
make agua_riacho    synth 1.5 brownnoise lowpass 900 tremolo 6 40 fade 0.2 1.5 0.4
make beep_curto     synth 0.15 square 880 vol 0.4
make beep_duplo     synth 0.12 square 1200 vol 0.4 pad 0 0.08 repeat 1
make bicho_grilo    synth 0.6 sine 4200 tremolo 30 90 fade 0.05 0.6 0.1
make bicho_sapo     synth 0.4 sawtooth 110-90 lowpass 600 tremolo 18 70
make arma_tiro      synth 0.35 whitenoise lowpass 2500 fade q 0 0.35 0.33
make arma_espada    synth 0.5 pinknoise highpass 3000 fade 0.02 0.5 0.45
make amb_vento      synth 2.0 pinknoise lowpass 500 tremolo 0.7 60 fade 0.4 2.0 0.6
make amb_chuva      synth 2.0 whitenoise lowpass 4000 vol 0.5 fade 0.3 2.0 0.5
make porta_rangido  synth 0.9 sawtooth 180-320 lowpass 1500 tremolo 9 50 fade 0.05 0.9 0.2
make porta_batida   synth 0.3 brownnoise lowpass 300 fade q 0 0.3 0.28
make monstro_rugido synth 1.2 sawtooth 70-55 lowpass 400 tremolo 12 60 fade 0.1 1.2 0.4
make monstro_passos synth 0.2 brownnoise lowpass 200 fade q 0 0.2 0.18 pad 0 0.3 repeat 2
