#!/usr/bin/env bash
# Makes the toolbar pictures of res/icons from icons.tsv: res/icons/16/<id>.png
# for the toolbars and res/icons/24/<id>.png for the basic toolbar's popups.
# The SVG sources are copied from the installed Breeze icon theme into
# res/icons/svg (16-pixel designs) and res/icons/svg/22 (22-pixel designs),
# so the program never needs the theme. Needs breeze-icon-theme, librsvg2-bin
# and ImageMagick.
#   scripts/toolbar-icons/make-icons.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
theme=/usr/share/icons/breeze
svg=$root/res/icons/svg
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$svg/22" "$root/res/icons/16" "$root/res/icons/24"

# The theme's SVG of an icon at a design size (16 or 22), or nothing.
theme_svg() {
    local dir
    for dir in actions places mimetypes devices status apps; do
        if [[ -f $theme/$dir/$2/$1.svg ]]; then
            echo "$theme/$dir/$2/$1.svg"
            return
        fi
    done
}

# The SVG of an icon at a design size, copied from the theme the first time;
# the other design size stands in where the theme has only one.
source_svg() {
    local name=$1 size=$2 other=22 target from
    if [[ $name == paginor-* ]]; then
        echo "$svg/$name.svg"
        return
    fi
    [[ $size == 22 ]] && other=16
    target=$svg/$name.svg
    [[ $size == 22 ]] && target=$svg/22/$name.svg
    if [[ ! -f $target ]]; then
        from=$(theme_svg "$name" "$size")
        [[ -n $from ]] || from=$(theme_svg "$name" "$other")
        [[ -n $from ]] || { echo "no icon $name" >&2; return 1; }
        cp "$from" "$target"
    fi
    echo "$target"
}

# render <name> <design size> <pixels> <png>
render() {
    local file
    file=$(source_svg "$1" "$2")
    rsvg-convert -w "$3" -h "$3" "$file" -o "$4"
}

# picture <id> <size 16|24> <icon> [badge|rotate90|rotate270]
picture() {
    local id=$1 size=$2 icon=$3 extra=${4:-} design=16 inner=16 out
    out=$root/res/icons/$size/$id.png
    [[ $size == 24 ]] && design=22 inner=22
    render "$icon" "$design" "$inner" "$tmp/base.png"
    case $extra in
    rotate90 | rotate270)
        convert "$tmp/base.png" -rotate "${extra#rotate}" "$tmp/base.png"
        ;;
    "") ;;
    *)
        # The badge in the bottom-right corner, the picture cleared under it.
        local badge=$(((inner + 2) / 2)) at
        at=$((inner - badge))
        render "$extra" "$design" "$badge" "$tmp/badge.png"
        convert "$tmp/base.png" \( -size $((badge + 1))x$((badge + 1)) xc:black \) \
            -geometry +$((at - 1))+$((at - 1)) -compose DstOut -composite \
            "$tmp/badge.png" -geometry +$at+$at -compose Over -composite "$tmp/base.png"
        ;;
    esac
    convert "$tmp/base.png" -background none -gravity center -extent "${size}x${size}" \
        -define png:exclude-chunks=date,time -strip "PNG32:$out"
}

while IFS=$'\t' read -r id icon extra; do
    [[ -z $id || $id == \#* ]] && continue
    picture "$id" 16 "$icon" "$extra"
    picture "$id" 24 "$icon" "$extra"
done < "$(dirname "$0")/icons.tsv"

# The basic toolbar's buttons: the icon at the left, the label beside it
# (on two lines when it is long).
mkdir -p "$root/res/icons/basic"
while IFS=$'\t' read -r number icon label; do
    [[ -z $number || $number == \#* ]] && continue
    render "$icon" 22 22 "$tmp/icon.png"
    convert -background none -fill '#232629' -font IPAPGothic -pointsize 10 -interline-spacing -1 -size 45x \
        -gravity center "caption:$label" -extent 45x25 "$tmp/label.png"
    convert -size 71x27 xc:none "$tmp/icon.png" -geometry +2+2 -composite "$tmp/label.png" -geometry +25+1 \
        -composite -define png:exclude-chunks=date,time -strip "PNG32:$root/res/icons/basic/$number.png"
done < "$(dirname "$0")/basic.tsv"
