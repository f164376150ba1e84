#!/usr/bin/env bash
# Draws every picture and synthesises every sound of the demo. Run it from
# anywhere; it writes into examples/demo/. Needs ImageMagick, sox and python3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "$here/.." && pwd)
cd "$out"

# --- Backgrounds (JPEG) ------------------------------------------------------
# Evening room: a wall, a window with the sunset, a desk.
convert -size 640x480 gradient:'#6b4f3a'-'#3a2a20' \
  -fill '#f7b267' -draw "rectangle 380,60 600,260" \
  -fill '#f4845f' -draw "rectangle 380,160 600,260" \
  -stroke '#2b1d14' -strokewidth 8 -fill none -draw "rectangle 380,60 600,260" \
  -draw "line 490,60 490,260" -draw "line 380,160 600,160" \
  -stroke none -fill '#4a3426' -draw "rectangle 0,360 640,480" \
  -fill '#7a5a40' -draw "rectangle 40,330 300,360" \
  -quality 88 room.jpg

# Night sky over the hill, with stars from a fixed sequence.
stars=""; seed=7
for i in $(seq 1 60); do
  seed=$(( (seed * 1103515245 + 12345) % 2147483648 )); x=$(( seed % 640 ))
  seed=$(( (seed * 1103515245 + 12345) % 2147483648 )); y=$(( seed % 300 ))
  stars+="point $x,$y "
done
convert -size 640x480 gradient:'#0b1030'-'#283a6e' \
  -fill '#1d2b1d' -draw "ellipse 320,560 520,180 0,360" \
  -fill white -draw "$stars" \
  -fill '#fff6c8' -draw "circle 520,90 540,90" \
  -quality 88 sky.jpg

# A tall picture: the sky above, the slope below (panned with ".u").
convert -size 640x960 gradient:'#0b1030'-'#7aa0d0' \
  -fill '#2f5d2f' -draw "polygon 0,700 640,560 640,960 0,960" \
  -fill '#fff6c8' -draw "circle 320,120 350,120" \
  -fill '#c8b08a' -draw "polygon 260,960 380,960 350,640 330,640" \
  -quality 88 slope-tall.jpg

# A wide picture: the town at dusk (panned with ".l").
houses=""; lights=""
for i in $(seq 0 15); do
  x=$((i * 80)); h=$((120 + (i * 37) % 160))
  houses+="rectangle $x,$((480 - h)) $((x + 70)),480 "
  lights+="rectangle $((x + 20)),$((500 - h)) $((x + 30)),$((510 - h)) "
done
convert -size 1280x480 gradient:'#f4845f'-'#2a2250' \
  -fill '#1b1630' -draw "$houses" -fill '#ffd166' -draw "$lights" \
  -quality 88 town-wide.jpg

# --- Persons (bitmaps, so the key colour in the corner stays exact) ----------
person() { # name body-colour hair-colour
  convert -size 300x400 xc:'#ff00ff' +antialias \
    -fill "$2" -draw "roundrectangle 70,170 230,400 40,40" \
    -fill '#f6d5b8' -draw "circle 150,110 150,40" \
    -fill "$3" -draw "ellipse 150,80 75,45 180,360" \
    -fill '#3a2a20' -draw "circle 125,115 125,122" -draw "circle 175,115 175,122" \
    -type Palette "BMP3:$1"
}
person akari.bmp '#e76f51' '#6b3e26'
person sora.bmp '#2a9d8f' '#1d1d1d'
person kai.bmp '#264653' '#8d5524'
person neko.bmp '#e9c46a' '#f4a261'

# The sub picture: a letter, 100 x 100.
convert -size 100x100 xc:'#fdf0d5' -fill '#c1121f' -draw "circle 50,50 50,35" \
  -fill '#003049' -draw "rectangle 15,75 85,80" -type Palette BMP3:letter.bmp

# --- Music and sounds --------------------------------------------------------
# A gentle loop of eight seconds (WAV) and its OGG twin.
tmp=$(mktemp -d)
i=0
for note in C4 E4 G4 E4 F4 A4 G4 D4; do
  sox -n -r 22050 -c 1 -b 16 "$tmp/$i.wav" synth 1 pluck "$note" gain -8 fade 0 1 0.3
  i=$((i + 1))
done
sox "$tmp"/{0..7}.wav -b 16 evening.wav
rm -rf "$tmp"
sox -n -r 22050 -c 1 night.ogg synth 6 sine 220 sine 277 gain -14 tremolo 2 40 fade 0.5 6 0.5
# Sound effects.
sox -n -r 22050 -c 1 -b 16 chime.wav synth 0.8 pluck A5 gain -4 fade 0 0.8 0.4
sox -n -r 22050 -c 1 -b 16 knock.wav synth 0.08 brownnoise gain -2 pad 0 0.12 repeat 2
# The MIDI tune.
python3 "$here/make-midi.py" theme.mid
