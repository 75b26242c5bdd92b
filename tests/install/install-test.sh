#!/usr/bin/env bash
# Unpacks the game's Debian package into a scratch root, checks what it holds and plays the
# installed game there: started through its /usr/games link from an unrelated folder under a
# virtual X server, it must open its window with the start picture and read its explanation
# file; its manual page must be found by name.
#
# Usage: install-test.sh PACKAGE.deb SOURCE_DIR APP_ID VERSION
# Needs dpkg, man-db, xvfb, xauth, xdotool and imagemagick.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Where the body picture sits in the window's client area: the box `now` at (32, 56) pixels
# with a 2-pixel sunken border. The menu bar above the client area has the height the
# style gives it, so the picture is searched for a little way down from there.
readonly kPictureX=34
readonly kPictureTop=58
readonly kMenuBarAtMost=40

if [[ "${1:-}" == "--inside-x" ]]; then
    root=$2
    source=$3
    work=$4
    game_dir=$root/usr/lib/games/mukiro-tough

    # Started from elsewhere, the way a menu or a terminal would start it.
    mkdir -p "$work/elsewhere"
    (cd "$work/elsewhere" &&
        SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb exec "$root/usr/games/mukiro-tough") \
        2>"$work/game.err" &
    game_pid=$!
    trap 'kill "$game_pid" 2>/dev/null || true' EXIT

    window=""
    for _ in $(seq 1 150); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game exited before its window came up"
        for id in $(xdotool search --onlyvisible --class mukiro-tough 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            if ((WIDTH >= 705 && HEIGHT >= 524)); then
                window=$id
                break 2
            fi
        done
        sleep 0.2
    done
    [[ -n "$window" ]] || fail "no game window appeared"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    win_x=$X win_y=$Y

    cwd=$(readlink "/proc/$game_pid/cwd")
    [[ "$cwd" == "$(cd "$game_dir" && pwd -P)" ]] ||
        fail "the game works in $cwd, not in its installed folder $game_dir"

    # Finds the start picture where the body picture belongs; prints its y in the window, or
    # nothing when it is not there. A few grey levels of slack for the screen's colour depth.
    picture_row() {
        import -window root "$work/screen.png"
        local band_height=$((200 + kMenuBarAtMost))
        convert "$work/screen.png" \
            -crop "200x${band_height}+$((win_x + kPictureX))+$((win_y + kPictureTop))" +repage \
            "$work/band.png"
        local dy
        for dy in $(seq 0 "$kMenuBarAtMost"); do
            convert "$work/band.png" -crop "200x200+0+$dy" +repage "$work/cell.png"
            local differing
            differing=$(compare -metric AE -fuzz 2% "$work/cell.png" \
                "$source/assets/pictures/start.bmp" null: 2>&1 || true)
            if [[ "$differing" == "0" ]]; then
                echo $((kPictureTop + dy))
                return
            fi
        done
    }

    # Retried for a while: the first paint, or the repaint after a click, may be slow on a
    # busy machine or under the sanitizers.
    row=""
    for _ in $(seq 1 20); do
        row=$(picture_row)
        [[ -n "$row" ]] && break
        sleep 0.5
    done
    [[ -n "$row" ]] || fail "the start picture is not on show in the body picture box"
    echo "start picture at ($kPictureX, $row) in the window"

    # The menu command 説明 is the menu bar's first entry, at its top-left. With its file beside
    # the program, the explanation covers the whole client area, picture included; without it,
    # a Message says so and the picture stays in view.
    xdotool mousemove --window "$window" 14 $(((row - kPictureTop) / 2)) click 1
    covered=false
    for _ in $(seq 1 20); do
        sleep 0.5
        [[ -z "$(picture_row)" ]] && { covered=true; break; }
    done
    $covered || fail "説明 did not bring up the explanation over the window"
    visible=$(xdotool search --onlyvisible --class mukiro-tough | wc -l)
    ((visible == 1)) || fail "説明 opened $((visible - 1)) more window(s), a Message about the file?"
    # The explanation's text: dark glyphs where the picture was.
    convert "$work/screen.png" \
        -crop "400x200+$win_x+$((win_y + row))" +repage -colorspace Gray -threshold 50% \
        "$work/text.png"
    dark=$(convert "$work/text.png" -negate -format "%[fx:round(mean*w*h)]" info:)
    ((dark > 500)) || fail "the explanation shows only $dark dark pixels: no text?"
    echo "explanation on show: $dark dark pixels of text"

    kill -0 "$game_pid" 2>/dev/null || fail "the game died"
    exit 0
fi

deb=$1
source=$2
app_id=$3
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[[ -f "$deb" ]] || fail "no package $deb"
echo "package: $(basename "$deb")"
# The package and the game carry one version.
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] ||
    fail "the package's version $(dpkg-deb -f "$deb" Version) is not the game's $version"
[[ "$(dpkg-deb -f "$deb" Section)" == games ]] || fail "the package is not in section games"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libsdl2-2.0-0 qt6-qpa-plugins fonts-ipafont-gothic; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
        fail "Depends lacks $needed: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == "qt6-wayland, pulseaudio | pipewire-pulse" ]] ||
    fail "Recommends is '$recommends'"
echo "Depends: $depends"

root=$work/root
dpkg-deb -x "$deb" "$root"
game_dir=$root/usr/lib/games/mukiro-tough

# The launcher is a relative link, so it points into the package wherever that lies.
link=$root/usr/games/mukiro-tough
[[ -L "$link" ]] || fail "usr/games/mukiro-tough is not a link"
[[ "$(readlink "$link")" != /* ]] || fail "usr/games/mukiro-tough points to an absolute path"
[[ "$(readlink -f "$link")" == "$(readlink -f "$game_dir/mukiro-tough")" && -x "$link" ]] ||
    fail "usr/games/mukiro-tough does not lead to the program"

# Every cue and the explanation file, beside the program, as committed.
wavs=("$game_dir"/*.wav)
((${#wavs[@]} == 22)) || fail "${#wavs[@]} WAVs beside the program, not 22"
for file in "${wavs[@]}" "$game_dir/wave/鉄砲１.wav" "$game_dir/ムキロ・タフ.txt"; do
    cmp -s "$file" "$source/assets/sounds/${file#"$game_dir/"}" ||
        fail "${file#"$root"} differs from assets/sounds"
done

# The desktop finds the entry, the icon and the metadata by one app id.
share=$root/usr/share
desktop=$share/applications/$app_id.desktop
[[ -f "$desktop" ]] || fail "no desktop entry $app_id.desktop"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry's Icon is not $app_id"
grep -qx "Exec=mukiro-tough" "$desktop" || fail "the desktop entry does not start mukiro-tough"
metainfo=$share/metainfo/$app_id.metainfo.xml
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
for side in 16 24 32 48 64 128 256 512; do
    icon=$share/icons/hicolor/${side}x${side}/apps/$app_id.png
    [[ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" == "PNG ${side}x${side}" ]] ||
        fail "no ${side}x${side} PNG icon at ${icon#"$root"}"
done

# `man mukiro-tough` finds the page in section 6 and it renders without a complaint.
page=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -M "$share/man" mukiro-tough 2>"$work/man.err") ||
    fail "man finds no page mukiro-tough: $(cat "$work/man.err")"
[[ ! -s "$work/man.err" ]] || fail "the manual page renders with warnings: $(cat "$work/man.err")"
[[ "$page" == "MUKIRO-TOUGH(6)"* ]] || fail "the manual page is not in section 6: ${page:0:40}"
grep -q "/usr/lib/games/mukiro-tough/" <<<"$page" || fail "the manual page does not say where the files lie"
echo "files: program, link, 22 + 1 WAVs, explanation, desktop entry, metainfo, 8 icons, manual"

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" --inside-x "$root" "$source" "$work" ||
    { echo "--- the game's stderr:" >&2; cat "$work/game.err" >&2 2>/dev/null; exit 1; }
