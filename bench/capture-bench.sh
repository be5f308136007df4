#!/bin/sh
# Times whole-page captures of tall generated pages with tessaly-shot and with headless
# Chromium, checks each output decodes whole, and prints the ratio and peak memory.
#   bench/capture-bench.sh [BUILD_DIR]        (run under a display, e.g. xvfb-run -a)
# Needs python3 (page server) and chromium (the reference); both are Debian packages.
set -eu
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shot="$build/app/tessaly-shot"
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM

python3 "$here/make-pages.py" "$work" 5000 20000 60000
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" >/dev/null 2>&1 &
server=$!
sleep 1

export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}"
seconds() { python3 -c 'import sys,time; print(f"{time.time():.3f}")'; }

printf '%-8s %10s %10s %7s %10s  %s\n' height tessaly_s chromium_s ratio peak_MB output
for h in 5000 20000 60000; do
    url="http://127.0.0.1:$port/page-$h.html"
    t0=$(seconds)
    /usr/bin/time -f %M -o "$work/mem" "$shot" --width 1280 --height 700 "$url" "$work/t-$h.png" 2>/dev/null
    t1=$(seconds)
    chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
        --screenshot="$work/c-$h.png" --window-size=1280,"$h" "$url" >/dev/null 2>&1 || true
    t2=$(seconds)
    check=$(python3 "$here/check-output.py" "$work/t-$h.png" "$h")
    ratio=$(python3 -c "print(f'{($t1-$t0)/($t2-$t1):.2f}')")
    printf '%-8s %10.2f %10.2f %7s %10d  %s\n' "$h" "$(python3 -c "print($t1-$t0)")" \
        "$(python3 -c "print($t2-$t1)")" "$ratio" $(( $(cat "$work/mem") / 1024 )) "$check"
done
