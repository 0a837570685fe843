#!/usr/bin/env bash
# The installed package as its user has it: /usr/bin/velmar-calc computes the
# installed examples exactly as the build does, both programs name the
# package's version, and /usr/bin/velmar started under Xvfb with an installed
# .vdt opens it: closed as a user closes it, the window writes its session,
# which then holds that file's inputs line for line.
# Usage: installed_package_test.sh BUILT_VELMAR_CALC
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
built="$(realpath "$1")"
docs=/usr/share/doc/velmar/examples
version="$(dpkg-query -W -f='${Version}' velmar)"
source "$root/tests/window/xvfb_display.sh"
fail() { echo "installed_package_test: $*" >&2; exit 1; }

[ "$(/usr/bin/velmar --version)" = "velmar $version" ] || fail "velmar --version is not 'velmar $version'"
[ "$(/usr/bin/velmar-calc --version)" = "velmar-calc $version" ] || fail "velmar-calc --version is not 'velmar-calc $version'"
for page in velmar velmar-calc; do [ -f "/usr/share/man/man1/$page.1.gz" ] || fail "the man page of $page is missing"; done

# The same panes and tables, and the same exit status, for every example.
for args in "$root"/examples/*.args; do
  name="$(basename "$args")"
  [ -f "$docs/$name" ] || fail "$name is not installed"
  set +e
  (cd "$work" && /usr/bin/velmar-calc "@$docs/$name" --tables >installed.txt 2>&1)
  installed=$?
  (cd "$work" && "$built" "@$args" --tables >built.txt 2>&1)
  expected=$?
  set -e
  [ "$installed" = "$expected" ] || fail "$name: exit status $installed, the build's $expected"
  cmp -s "$work/installed.txt" "$work/built.txt" || { diff "$work/built.txt" "$work/installed.txt" >&2; fail "$name differs"; }
done
echo "installed_package_test: /usr/bin/velmar-calc computes every installed example as the build does"

# The window with an installed .vdt, in a start folder of its own.
start_display
mkdir "$work/start"
vdt="$docs/gerg91_error.vdt"
# A Russian user's locale: the examples are typed with the decimal comma, and
# the window takes its separator from the locale's name.
(cd "$work/start" && LC_ALL=ru_RU.UTF-8 exec /usr/bin/velmar "$vdt") >"$work/velmar.log" 2>&1 &
started=$!
title='Программный комплекс "Велмар"'
wait_for_window "$title" || { cat "$work/velmar.log" >&2; fail "no main window within a minute"; }
sleep 2  # the file is opened once the window is shown
# Closed as a window manager closes it: WM_DELETE_WINDOW.
/usr/bin/python3 - "$title" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
wanted = sys.argv[1]
net_name = d.intern_atom("_NET_WM_NAME")
utf8 = d.intern_atom("UTF8_STRING")
def title(w):
    p = w.get_full_property(net_name, utf8)
    return p.value.decode("utf-8", "replace") if p else None
def search(w):
    if title(w) == wanted:
        return w
    for child in w.query_tree().children:
        found = search(child)
        if found is not None:
            return found
    return None
window = search(d.screen().root)
if window is None:
    sys.exit("no window named " + wanted)
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(event, event_mask=X.NoEventMask)
d.flush()
PY
for _ in $(seq 30); do kill -0 "$started" 2>/dev/null || break; sleep 1; done
if kill -0 "$started" 2>/dev/null; then fail "velmar did not end when its window was closed"; fi
started=""
session="$work/start/Velmar/paramwin.vdt"
[ -f "$session" ] || { cat "$work/velmar.log" >&2; fail "no session file was written"; }
# The batch tool loads the same file with the window's decimal separator.
(cd "$work" && /usr/bin/velmar-calc --decimal-separator , --load "$vdt" --save expected.vdt >/dev/null) || true
cmp -s "$session" "$work/expected.vdt" || { diff "$work/expected.vdt" "$session" | head -20 >&2; fail "the session does not hold the inputs of $vdt"; }
echo "installed_package_test: /usr/bin/velmar opened $vdt under Xvfb"
