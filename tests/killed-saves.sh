#!/usr/bin/env bash
# A save killed at its worst moment, and a save's order against a power cut,
# made certain with strace (a delay injected into one system call, the
# process killed while it waits) rather than left to timing luck:
# - killed after writing the new contents, before they are linked in: the
#   old skin is whole and no temporary file is left;
# - rewritten in place (a folder that takes no new file), killed after the
#   space is reserved and before the first byte: the old skin is whole;
# - the new file is synced before it is renamed over the old one, and the
#   folder after.
# Usage: killed-saves.sh KVZTOOL
set -euo pipefail
# LeakSanitizer cannot work under ptrace; the sanitizer build still checks the rest.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
kvztool=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work" # the unprivileged user below must reach it
cd "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Runs kvztool under strace with SYSCALL delayed by 10 s at its first call,
# kills it 1 s in, and says whether it was still waiting then.
killed_in() {
  local syscall=$1; shift
  strace -f -qq -o /dev/null -e trace="$syscall" -e inject="$syscall":delay_enter=10000000:when=1 \
    -- sh -c 'echo $$ > pid; exec "$@"' sh "$@" 2>/dev/null &
  local tracer=$!
  sleep 1
  local pid; pid=$(cat pid)
  local waiting=no
  kill -0 "$pid" 2>/dev/null && waiting=yes
  kill -9 "$pid" 2>/dev/null || true
  sleep 0.2
  kill -9 "$tracer" 2>/dev/null || true # it would sit out the delay
  wait "$tracer" 2>/dev/null || true
  echo "$waiting"
}

# 1. Killed between writing the new contents and linking them in.
"$kvztool" new s >/dev/null
cp s.kvz old.kvz
[ "$(killed_in fsync "$kvztool" set s.kvz PitanjeC1=Red)" = yes ] || fail "the save never synced its new file"
cmp -s s.kvz old.kvz || fail "a killed save changed the skin"
[ -z "$(find . -name '.kvz-*')" ] || fail "a killed save left a temporary file: $(find . -name '.kvz-*')"

# 2. Killed in the middle of an in-place rewrite, as a user who may write the
#    skin but not its folder.
mkdir ro
cp old.kvz ro/s.kvz
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 ro
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 555 ro
chmod 644 ro/s.kvz
[ "$(killed_in pwrite64 "${as_user[@]}" "$kvztool" set ro/s.kvz PitanjeC1=Red)" = yes ] ||
  fail "the in-place rewrite never reached its write"
cmp -s ro/s.kvz old.kvz || fail "a killed in-place rewrite changed the skin ($(stat -c %s ro/s.kvz) bytes)"
chmod 755 ro

# 3. The order against a power cut: the data synced, then renamed into
#    place, then the folder synced.
strace -f -qq -o trace -e trace=fsync,rename,renameat,renameat2 "$kvztool" set s.kvz PitanjeC1=Red >/dev/null
order=$(sed -E 's/^[0-9]+ +//; s/\(.*//' trace | uniq | tr '\n' ' ')
[ "$order" = "fsync rename fsync " ] || fail "the save's system calls come as: $order"

echo "$((failures > 3 ? 0 : 3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
