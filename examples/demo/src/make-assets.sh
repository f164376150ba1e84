#!/usr/bin/env bash
# Draws every picture and synthesises every sound of the demo. Run it from
# anywhere; it writes into examples/demo/. Needs ImageMagick, sox and python3.
# Everything is drawn from fixed numbers, so a second run makes the same files.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "$here/.." && pwd)
cd "$out"

# A fixed pseudo-random sequence (for stars and lit windows): next_rand N
# leaves a number below N in $rand.
seed=7
next_rand() {
  seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
  rand=$(( (seed / 65536) % $1 ))
}

# "point x,y ..." for COUNT stars in the box W x H.
stars() {
  local count=$1 w=$2 h=$3 s="" i x y
  for i in $(seq 1 "$count"); do
    next_rand "$w"; x=$rand
    next_rand "$h"; y=$rand
    s+="point $x,$y "
  done
  echo "$s"
}

# --- Backgrounds (JPEG) ------------------------------------------------------
# The classroom at sunset: a wall, a window with the evening sky, a blackboard
# edge and a row of desks.
convert -size 640x480 gradient:'#7a5a44'-'#3a2a20' \
  -fill '#f7b267' -draw "rectangle 380,60 600,260" \
  -fill '#f4845f' -draw "rectangle 380,170 600,260" \
  -fill '#e85d5d' -draw "circle 540,220 560,220" \
  -stroke '#2b1d14' -strokewidth 8 -fill none -draw "rectangle 380,60 600,260" \
  -draw "line 490,60 490,260" -draw "line 380,160 600,160" \
  -stroke none -fill '#23352b' -draw "rectangle 0,70 300,230" \
  -fill '#6b5040' -draw "rectangle 0,230 300,240" \
  -fill '#4a3426' -draw "rectangle 0,360 640,480" \
  -fill '#8a6a4c' -draw "rectangle 20,330 200,350" -draw "rectangle 440,330 620,350" \
  -fill '#5a4230' -draw "rectangle 30,350 40,420" -draw "rectangle 180,350 190,420" \
  -draw "rectangle 450,350 460,420" -draw "rectangle 600,350 610,420" \
  -quality 85 room.jpg

# The night sky over the hill.
convert -size 640x480 gradient:'#0b1030'-'#283a6e' \
  -fill '#1d2b1d' -draw "ellipse 320,560 520,180 0,360" \
  -fill white -draw "$(stars 70 640 300)" \
  -fill '#fff6c8' -draw "circle 520,90 540,90" \
  -quality 85 sky.jpg

# A tall picture for ".u": the view starts at the bottom (the slope with its
# street lamps) and travels up to the top (stars and the moon).
convert -size 640x720 gradient:'#0b1030'-'#4a6aa0' \
  -fill white -draw "$(stars 90 640 380)" \
  -fill '#fff6c8' -draw "circle 470,110 500,110" \
  -fill '#22442a' -draw "polygon 0,470 640,400 640,720 0,720" \
  -fill '#b8a07a' -draw "polygon 200,720 440,720 350,420 330,420" \
  -fill '#303030' -draw "rectangle 236,520 240,640" -draw "rectangle 420,480 424,600" \
  -fill '#ffe9a0' -draw "circle 238,516 246,516" -draw "circle 422,476 430,476" \
  -quality 85 slope-tall.jpg

# A wide picture for ".l": the shopping street at dusk, right end first.
houses=""; roofs=""; lights=""
for i in $(seq 0 11); do
  x=$((i * 80)); next_rand 110; h=$((110 + rand)); top=$((440 - h))
  houses+="rectangle $x,$top $((x + 72)),440 "
  next_rand 2
  [ "$rand" -eq 0 ] && roofs+="polygon $((x - 6)),$top $((x + 36)),$((top - 34)) $((x + 78)),$top "
  for row in 0 1 2 3; do
    for col in 0 1; do
      wx=$((x + 12 + col * 32)); wy=$((top + 18 + row * 40))
      [ $((wy + 18)) -ge 420 ] && continue
      next_rand 3
      [ "$rand" -eq 0 ] && continue
      lights+="rectangle $wx,$wy $((wx + 16)),$((wy + 18)) "
    done
  done
done
convert -size 960x480 gradient:'#f4845f'-'#2a2250' \
  -fill '#1b1630' -draw "$houses" -fill '#2a1f3a' -draw "$roofs" -fill '#ffd166' -draw "$lights" \
  -fill '#3a3050' -draw "rectangle 0,440 960,480" \
  -quality 85 town-wide.jpg

# Home in the evening: a wall, the window with the sunset, the front door.
convert -size 640x480 gradient:'#9a8468'-'#4e4034' \
  -fill '#f7b267' -draw "rectangle 400,90 580,250" \
  -fill '#f4845f' -draw "rectangle 400,180 580,250" \
  -stroke '#5a4634' -strokewidth 6 -fill none -draw "rectangle 400,90 580,250" \
  -draw "line 490,90 490,250" \
  -stroke none -fill '#5a3a22' -draw "rectangle 60,100 220,420" \
  -fill '#c8a060' -draw "circle 195,270 203,270" \
  -fill '#3e3228' -draw "rectangle 0,420 640,480" \
  -quality 85 home.jpg

# --- Persons (bitmaps, so the key colour in the corner stays exact) ----------
# Each person stands in the middle of a 480 x 400 picture whose magenta corner
# is the key colour; "l" and "r" move a picture by a quarter of its width.
skin='#f6d5b8'
base() { # body colour, collar colour
  echo "-fill '$1' -draw 'roundrectangle 160,250 320,420 40,40'" \
       "-fill '$skin' -draw 'rectangle 224,196 256,262'" \
       "-fill '$2' -draw 'polygon 200,250 240,300 280,250'"
}
face() {
  echo "-fill '$skin' -draw 'circle 240,150 240,88'" \
       "-fill '#3a2a20' -draw 'ellipse 218,160 6,9 0,360' -draw 'ellipse 262,160 6,9 0,360'" \
       "-fill '#f2a7a0' -draw 'ellipse 206,180 9,5 0,360' -draw 'ellipse 274,180 9,5 0,360'" \
       "-stroke '#a0524a' -strokewidth 3 -fill none -draw 'arc 228,178 252,192 20,160' -stroke none"
}
person() { # file, then drawing commands
  local file=$1; shift
  eval "convert -size 480x400 xc:'#ff00ff' +antialias $* -type Palette -compress RLE BMP3:$file"
}
# Akari: long hair with a red ribbon.
person akari.bmp \
  "-fill '#6b3e26' -draw 'roundrectangle 166,84 314,300 60,60'" "$(base '#e76f51' white)" "$(face)" \
  "-fill '#6b3e26' -draw 'ellipse 240,122 66,40 180,360' -draw 'polygon 176,122 304,122 290,140 190,140'" \
  "-fill '#d62839' -draw 'polygon 282,90 316,74 316,106' -draw 'polygon 282,90 300,66 306,98'"
# Sora: short spiky hair.
person sora.bmp \
  "$(base '#2a9d8f' '#e9f5f2')" "$(face)" \
  "-fill '#1d1d1d' -draw 'ellipse 240,120 68,38 180,360'" \
  "-draw 'polygon 172,120 186,70 206,96 222,62 240,92 262,60 276,94 298,70 308,120'" \
  "-draw 'polygon 176,120 304,120 292,134 262,124 240,138 214,124 190,134'"
# Kai: neat hair and round glasses.
person kai.bmp \
  "$(base '#264653' '#f1faee')" "$(face)" \
  "-fill '#8d5524' -draw 'ellipse 240,118 66,36 180,360' -draw 'polygon 174,118 306,118 306,136 250,128 174,136'" \
  "-stroke '#222222' -strokewidth 3 -fill none -draw 'circle 218,160 218,143' -draw 'circle 262,160 262,143'" \
  "-draw 'line 235,160 245,160' -stroke none"
# Neko: a small cat sitting at the bottom of its picture.
person neko.bmp \
  "-fill '#e9a03b' -draw 'ellipse 300,380 50,14 0,360'" \
  "-draw 'ellipse 240,350 54,50 0,360' -draw 'circle 240,282 240,244'" \
  "-draw 'polygon 206,266 212,228 234,252' -draw 'polygon 274,266 268,228 246,252'" \
  "-fill '#fbe3c0' -draw 'ellipse 240,362 26,34 0,360'" \
  "-fill '#3a2a20' -draw 'ellipse 226,280 4,7 0,360' -draw 'ellipse 254,280 4,7 0,360'" \
  "-fill '#d06070' -draw 'polygon 236,292 244,292 240,297'"

# The sub picture: a letter with a red seal, 100 x 100.
convert -size 100x100 xc:'#4a5a78' +antialias \
  -fill '#fdf0d5' -draw "rectangle 10,24 90,80" \
  -stroke '#c9b48a' -strokewidth 2 -fill none -draw "polyline 10,24 50,56 90,24" -stroke none \
  -fill '#c1121f' -draw "circle 50,56 50,46" \
  -type Palette -compress RLE BMP3:letter.bmp

# --- Music and sounds --------------------------------------------------------
# The classroom loop: eight plucked notes, eight seconds (WAV).
tmp=$(mktemp -d)
i=0
for note in C4 E4 G4 E4 F4 A4 G4 D4; do
  sox -n -r 11025 -c 1 -b 16 "$tmp/$i.wav" synth 1 pluck "$note" gain -8 fade 0 1 0.3
  i=$((i + 1))
done
sox "$tmp"/{0..7}.wav -b 16 evening.wav
rm -rf "$tmp"
# The town at night: a soft chord that swells, six seconds (OGG).
sox -n -r 22050 -c 1 night.ogg synth 6 sine 220 sine 277 gain -14 tremolo 2 40 fade 0.5 6 0.5
# Sound effects: the school chime and a knock on the door.
sox -n -r 22050 -c 1 -b 16 chime.wav synth 0.8 pluck A5 gain -4 fade 0 0.8 0.4
sox -n -r 22050 -c 1 -b 16 knock.wav synth 0.08 brownnoise gain -2 pad 0 0.12 repeat 1
# The hill: a MIDI tune.
python3 "$here/make-midi.py" theme.mid
