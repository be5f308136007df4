#!/bin/sh
# Times whole-page captures of tall generated pages with tessaly-shot (in each image format),
# headless Chromium and wkhtmltoimage, checks every row of every output, and prints each
# capture's time, Tessaly's ratio to it and its peak memory.
#   bench/capture-bench.sh [BUILD_DIR]   (under a display, e.g. xvfb-run -a)
# HEIGHTS="..." chooses the pages (5000 20000 60000 100000 200000), FORMATS="..." Tessaly's
# formats (png bmp tif jpg; jpg only up to 65,500 pixels), PEERS="..." the others (chromium
# wkhtmltoimage; Chromium only up to 100,000 pixels, it takes minutes above, unless SLOW=1).
# Needs python3 (page server), chromium, wkhtmltopdf and libjpeg-turbo-progs (djpeg, to
# check JPEG files); all are Debian packages.
set -eu
heights="${HEIGHTS:-5000 20000 60000 100000 200000}"
formats="${FORMATS:-png bmp tif jpg}"
peers="${PEERS-chromium wkhtmltoimage}"
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shot="$build/shot/tessaly-shot"
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM

python3 "$here/make-pages.py" "$work" 600 $heights
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" >/dev/null 2>&1 &
server=$!
sleep 1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}"

# measure COMMAND...: runs one capture (a hung one is stopped after LIMIT seconds) and
# leaves "seconds peak_KB exit_status" in $work/time.
measure() {
    status=0
    /usr/bin/time -f '%e %M' -o "$work/time" timeout "${LIMIT:-1800}" "$@" >/dev/null 2>&1 || status=$?
    echo "$(tail -n 1 "$work/time") $status" >"$work/time"
}

# The browser's own memory, whatever the page: the peak of a capture of a one-screen page.
measure "$shot" --width 1280 --height 700 "http://127.0.0.1:$port/page-600.html" "$work/base.png"
base=$(cut -d' ' -f2 "$work/time")
echo "browser baseline (one-screen page): $(( base / 1024 )) MB peak"
echo "peak: the largest process's peak (/usr/bin/time %M); raw: output width x height x 4 bytes;"
echo "above: Tessaly's peak above the baseline; tessaly/x: the first Tessaly format's time over x's"

# line HEIGHT TOOL FILE: checks FILE, removes it and prints the table line of its capture.
line() {
    check=$(python3 "$here/check-output.py" "$3" "$1")
    rm -f "$3"
    read -r seconds peak status <"$work/time"
    [ "$status" = 0 ] || check="$check (exit $status)"
    case $2 in tessaly*) first=${first:-$seconds}; above=$(( peak - base )) ;; *) above=- ;; esac
    echo "$1 $2 $seconds ${first:--} $peak $above $check" | awk '{
        split($7, size, "x"); raw = size[1] * size[2] * 4 / 1024
        ratio = $2 ~ /^tessaly/ || $4 == "-" || $3 == 0 ? "-" : sprintf("%.2f", $4 / $3)
        above = $6 == "-" || raw == 0 ? "-" : sprintf("%.2f", $6 / raw)
        mem = raw == 0 ? "-" : sprintf("%.2f", $5 / raw)
        out = $7; for (i = 8; i <= NF; i++) out = out " " $i
        printf "%-7s %-13s %8.2f %9s %8d %8s %9s  %s\n", $1, $2, $3, ratio, $5 / 1024, mem, above, out }'
}

printf '%-7s %-13s %8s %9s %8s %8s %9s  %s\n' height tool seconds tessaly/x peak_MB peak/raw above/raw output
for h in $heights; do
    url="http://127.0.0.1:$port/page-$h.html"
    first=
    for f in $formats; do
        if [ "$f" = jpg ] && [ "$h" -gt 65500 ]; then
            printf '%-7s %-13s skipped: JPEG stops at 65,500 pixels\n' "$h" "tessaly-$f"
            continue
        fi
        measure "$shot" --width 1280 --height 700 "$url" "$work/t-$h.$f"
        line "$h" "tessaly-$f" "$work/t-$h.$f"
    done
    for p in $peers; do
        case $p in
        chromium)
            if [ "$h" -gt 100000 ] && [ "${SLOW:-0}" != 1 ]; then
                printf '%-7s %-13s skipped: takes minutes above 100,000 pixels (SLOW=1 runs it)\n' "$h" "$p"
                continue
            fi
            measure chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
                --screenshot="$work/c-$h.png" --window-size=1280,"$h" "$url" ;;
        wkhtmltoimage)
            # Without --height it takes the whole page; --width is the layout width.
            measure wkhtmltoimage --quiet --width 1280 "$url" "$work/w-$h.png" ;;
        *) echo "unknown peer $p" >&2; exit 2 ;;
        esac
        line "$h" "$p" "$work/$(echo "$p" | cut -c1)-$h.png"
    done
done
