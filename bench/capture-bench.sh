#!/bin/sh
# Times whole-page captures of tall generated pages with tessaly-shot and with headless
# Chromium, checks each output decodes whole, and prints the ratio and peak memory.
#   bench/capture-bench.sh [BUILD_DIR]   (under a display, e.g. xvfb-run -a; HEIGHTS="..." to choose pages)
# Needs python3 (page server) and chromium (the reference); both are Debian packages.
set -eu
heights="${HEIGHTS:-5000 20000 60000 100000}"
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
seconds() { python3 -c 'import sys,time; print(f"{time.time():.3f}")'; }

# The browser's own memory, whatever the page: the peak of a capture of a one-screen page.
/usr/bin/time -f %M -o "$work/mem" "$shot" --width 1280 --height 700 \
    "http://127.0.0.1:$port/page-600.html" "$work/base.png" 2>/dev/null
base=$(cat "$work/mem")
echo "browser baseline (one-screen page): $(( base / 1024 )) MB peak"

printf '%-8s %10s %10s %7s %10s %8s %9s  %s\n' height tessaly_s chromium_s ratio peak_MB mem/raw above/raw output
for h in $heights; do
    url="http://127.0.0.1:$port/page-$h.html"
    t0=$(seconds)
    /usr/bin/time -f %M -o "$work/mem" "$shot" --width 1280 --height 700 "$url" "$work/t-$h.png" 2>/dev/null
    t1=$(seconds)
    chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
        --screenshot="$work/c-$h.png" --window-size=1280,"$h" "$url" >/dev/null 2>&1 || true
    t2=$(seconds)
    check=$(python3 "$here/check-output.py" "$work/t-$h.png" "$h")
    ratio=$(python3 -c "print(f'{($t1-$t0)/($t2-$t1):.2f}')")
    # Peak memory against the output's raw size, width x height x 4 bytes.
    raw=$(echo "$check" | python3 -c 'import sys; w, h = sys.stdin.read().split()[0].split("x"); print(int(w) * int(h) * 4)' 2>/dev/null || echo 0)
    memratio=$(python3 -c "print(f'{$(cat "$work/mem") * 1024 / max($raw, 1):.2f}')")
    # What the capture adds to the browser's own memory, against the same raw size.
    above=$(python3 -c "print(f'{($(cat "$work/mem") - $base) * 1024 / max($raw, 1):.2f}')")
    printf '%-8s %10.2f %10.2f %7s %10d %8s %9s  %s\n' "$h" "$(python3 -c "print($t1-$t0)")" \
        "$(python3 -c "print($t2-$t1)")" "$ratio" $(( $(cat "$work/mem") / 1024 )) "$memratio" "$above" "$check"
done
