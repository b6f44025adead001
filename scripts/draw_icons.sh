#!/usr/bin/env bash
# Draws the host's chart-tool and quote-board icons (PNG, transparent) with
# ImageMagick into pelmora/app/data/images. Each is a shape of its own, so a
# tool is told apart without its tool tip. Run again after changing one and
# commit the pictures.
set -euo pipefail
cd "$(dirname "$0")/../pelmora/app/data/images"

ink='#303030'
rise='#D03030'
fall='#20A040'

icon() { # size file draw-arguments...
    local size=$1 file=$2
    shift 2
    mkdir -p "$(dirname "$file")"
    convert -size "${size}x${size}" xc:none -strokewidth 1 "$@" -define png:exclude-chunks=date,time "$file"
}

for size in 24 16; do
    s=$(awk "BEGIN{print $size/24}")
    at() { awk -v s="$s" 'BEGIN{ORS=""} {for(i=1;i<=NF;i++){ if($i ~ /^-?[0-9.]+$/) printf "%g ", $i*s; else printf "%s ", $i }}' <<<"$*"; }
    dir=toolbars/$size/tessrin
    # Bars: a high-low line each, the open to the left, the close to the right.
    icon "$size" "$dir/holc.png" -fill none -strokewidth "$(awk "BEGIN{print 2*$s}")" \
        -stroke "$rise" -draw "$(at line 7 5 7 19) $(at line 3 15 7 15) $(at line 7 8 11 8)" \
        -stroke "$fall" -draw "$(at line 17 4 17 20) $(at line 13 7 17 7) $(at line 17 16 21 16)"
    # Candles: a hollow rising body and a filled falling one, with wicks.
    icon "$size" "$dir/candlestick.png" \
        -stroke "$rise" -fill none -draw "$(at line 7 2 7 6) $(at line 7 18 7 22) $(at rectangle 4 6 10 18)" \
        -stroke "$fall" -fill "$fall" -draw "$(at line 17 3 17 9) $(at line 17 17 17 21) $(at rectangle 14 9 20 17)"
    # A line through the closes over a base line.
    icon "$size" "$dir/timeShared.png" -fill none -stroke "$ink" \
        -draw "$(at line 2 21 22 21)" -strokewidth "$(awk "BEGIN{print 2*$s}")" -stroke '#2060C0' \
        -draw "$(at polyline 2 16 7 9 11 13 16 5 22 10)"
done

# Zoom: a lens with a plus or a minus.
for sign in in out; do
    bar="line 6 10 14 10"
    [ "$sign" = in ] && bar="$bar line 10 6 10 14"
    icon 24 "toolbars/24/tessrin/zoom_$sign.png" -fill none -stroke "$ink" -strokewidth 2 \
        -draw "circle 10 10 10 3" -strokewidth 3 -draw "line 15 15 21 21" -strokewidth 2 -draw "$bar"
done

# The quote board's rows: the price rose, fell, or has not moved yet.
icon 16 common/16/up.png -stroke none -fill "$rise" -draw "polygon 8 3 14 12 2 12"
icon 16 common/16/down.png -stroke none -fill "$fall" -draw "polygon 2 4 14 4 8 13"
icon 16 common/16/circle_dark.png -stroke none -fill '#808080' -draw "circle 8 8 8 4"
