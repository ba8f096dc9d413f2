#!/usr/bin/env bash
# The installed tree: cmake --install into a temporary prefix puts every file
# where the program and the unit look for it, and the installed orb_server
# starts headless from there and answers the installed orb_client; with the
# desktop view built, the installed server finds its module under lib/.
# Usage: install_test.sh BUILD_DIR VIEW(ON|OFF)
set -euo pipefail
build=$1
view=$2
work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill -KILL "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

expected=(
  bin/orb_server
  bin/orb_client
  lib/systemd/system/orb-server.service
  etc/default/orb-server
  share/orb-server/lx200.ini
  share/orb-server/autostar.ini
  share/doc/orb-server/README.md
)
[ "$view" = ON ] && expected+=(lib/orb-server/orb_qt_view.so)
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/orb_server" ] && [ -x "$prefix/bin/orb_client" ] || fail "the programs are not executable"
grep -q "^ExecStart=$prefix/bin/orb_server --headless --dir /var/lib/orb-server " \
  "$prefix/lib/systemd/system/orb-server.service" || fail "the unit does not start the installed orb_server"
grep -q "^EnvironmentFile=-$prefix/etc/default/orb-server$" "$prefix/lib/systemd/system/orb-server.service" \
  || fail "the unit does not read the installed options file"
grep -q '^\[get_ra\]' "$prefix/share/orb-server/lx200.ini" || fail "lx200.ini holds no command"

# A port on 127.0.0.1 that nothing answers on just now.
port=$((20000 + RANDOM % 40000))
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done

program_dir=$work/program_dir
mkdir "$program_dir"
"$prefix/bin/orb_server" --headless --dir "$program_dir" --listen "127.0.0.1:$port" >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  grep -q "Server running" "$work/server.log" && break
  sleep 0.1
done
grep -q "Server running" "$work/server.log" || { cat "$work/server.log"; fail "the installed server did not start"; }
reply=$("$prefix/bin/orb_client" --port "$port" --play get_info) || fail "orb_client: exit $?: $reply"
[[ $reply == "ok=(model=0)"$'\n'"ok=(name=LX200,"* ]] || fail "unexpected replies: $reply"
kill -TERM "$server_pid"
status=0
wait "$server_pid" || status=$?
server_pid=
[ "$status" -eq 0 ] || { cat "$work/server.log"; fail "the installed server exited with $status"; }
grep -qi '^\[main\]' "$program_dir/server.ini" || fail "the installed server saved no settings"

if [ "$view" = ON ]; then
  # On a display (Qt's offscreen one here) the installed server loads the
  # view module from lib/orb-server/ and opens its windows.
  DISPLAY=:99 QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$prefix/bin/orb_server" --dir "$program_dir" >"$work/desktop.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do
    grep -q "running on the desktop" "$work/desktop.log" && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q "running on the desktop" "$work/desktop.log" || { cat "$work/desktop.log"; fail "no desktop from the installed module"; }
  kill -TERM "$server_pid"
  status=0
  wait "$server_pid" || status=$?
  server_pid=
  [ "$status" -eq 0 ] || { cat "$work/desktop.log"; fail "the installed desktop server exited with $status"; }
fi
echo "installed tree in order; the installed server started headless and answered orb_client"
