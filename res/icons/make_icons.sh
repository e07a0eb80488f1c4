#!/bin/sh
# Draws the program's two icons:
#   vek128: the application icon, "VEK" in bold black over rows of light grey hex digits, at 16,
#           32, 48, 64, 128 and 256 pixels (the larger ones for the desktop's hicolor theme);
#   vek129: the document icon, "VEK" in bold black inside a thin black frame, at 16 and 32 pixels.
# vek.svg, the scalable application icon, is drawn by hand after the same picture.
# Needs ImageMagick's convert and the Liberation fonts. Run from anywhere; writes next to itself.
set -eu
cd "$(dirname "$0")"

BOLD=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
MONO=/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf
GREY='#b4b4b4'

# The 32-pixel icons are drawn with the fonts; at 16 pixels the fonts blur, so those two are drawn
# pixel by pixel below.
# $1 size, $2 digit point size, $3 digit row step, $4 letters point size, $5 letter kerning,
# $6 output, $7 width of the white outline that keeps the letters off the digits (default 2),
# $8 colours in the palette (default 16: enough for the small sizes, too few for smooth edges at
# the large ones)
app_icon() {
  size=$1 digitSize=$2 step=$3 letterSize=$4 kerning=$5 out=$6 outline=${7:-2} colours=${8:-16}
  rows=""
  y=$step
  i=0
  for line in "3F A0 7C 1E 9B" "D4 08 E2 5A 61" "0C 7F B3 46 E9" "A2 5D 18 C7 3B" "6E F1 04 9A D8"; do
    [ "$y" -gt "$size" ] && break
    # Alternate rows start half a pair to the left so the texture does not form columns.
    x=$(( i % 2 == 0 ? 0 : -step / 3 ))
    rows="$rows -draw \"text $x,$y '$line'\""
    y=$(( y + step ))
    i=$(( i + 1 ))
  done
  eval convert -size "${size}x${size}" xc:white \
    -font "$MONO" -pointsize "$digitSize" -fill "'$GREY'" $rows \
    -font "$BOLD" -pointsize "$letterSize" -kerning "$kerning" -gravity center \
    -stroke white -strokewidth "$outline" -fill black -annotate +0+0 VEK \
    -stroke none -fill black -annotate +0+0 VEK \
    -colors "$colours" -type Palette "PNG8:$out"
}

# $1 size, $2 letters point size, $3 letter kerning, $4 output
document_icon() {
  size=$1 letterSize=$2 kerning=$3 out=$4
  last=$(( size - 1 ))
  convert -size "${size}x${size}" xc:white \
    -fill none -stroke black -strokewidth 1 -draw "rectangle 0,0 $last,$last" \
    -stroke none -fill black -font "$BOLD" -pointsize "$letterSize" -kerning "$kerning" \
    -gravity center \
    -annotate +0+0 VEK \
    -colors 16 -type Palette "PNG8:$out"
}

app_icon 32 7 6 14 -0.5 vek128-32.png
# The larger sizes scale the 32-pixel drawing: point sizes, row step, kerning and outline grow with it.
app_icon 48 10.5 9 21 -0.75 vek128-48.png 3 32
app_icon 64 14 12 28 -1 vek128-64.png 4 32
app_icon 128 28 24 56 -2 vek128-128.png 8 64
app_icon 256 56 48 112 -4 vek128-256.png 16 64
document_icon 32 13 -0.5 vek129-32.png

# $1 output; standard input: an XPM picture with '.' white, 'g' light grey, 'X' black.
from_xpm() {
  convert xpm:- -colors 16 -type Palette "PNG8:$1"
}

from_xpm vek128-16.png <<'XPM'
/* XPM */
static char *vek128_16[] = {
"16 16 3 1",
". c #ffffff",
"g c #b4b4b4",
"X c #000000",
"ggg.ggg...g..ggg",
".gg.g....g.g.g.g",
"..g.gg...ggg.g.g",
"ggg.g....g.g.ggg",
"................",
"XX.XX.XXXX.XX.XX",
"XX.XX.XX...XXXX.",
"XX.XX.XXX..XXX..",
".XXX..XX...XXX..",
".XXX..XX...XXXX.",
"..X...XXXX.XX.XX",
"................",
"ggg.ggg...g..ggg",
"..g.g....gg..gg.",
".g..g.....g..g..",
".g..ggg..ggg.ggg"
};
XPM

from_xpm vek129-16.png <<'XPM'
/* XPM */
static char *vek129_16[] = {
"16 16 2 1",
". c #ffffff",
"X c #000000",
"XXXXXXXXXXXXXXXX",
"X..............X",
"X..............X",
"X..............X",
"X..............X",
"X.X..X.XXX.X.X.X",
"X.X..X.X...X.X.X",
"X.X..X.XXX.XX..X",
"X.X..X.X...XX..X",
"X..XX..X...X.X.X",
"X..XX..XXX.X.X.X",
"X..............X",
"X..............X",
"X..............X",
"X..............X",
"XXXXXXXXXXXXXXXX"
};
XPM
