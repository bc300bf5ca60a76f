#!/usr/bin/env bash
# tools/setup against a package mirror that fails, with apt-get, dpkg and the rest faked on the
# PATH: which packages each road asks for, the retries of a failing index, and what the user is
# told when the install cannot be done.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAILED: $case_name: $1"
  failures=$((failures + 1))
}
expect_in() {  # TEXT FILE
  grep -qF -- "$1" "$2" || fail "expected '$1' in $(basename "$2"): $(cat "$2")"
}
expect_not_in() {  # TEXT FILE
  ! grep -qF -- "$1" "$2" || fail "did not expect '$1' in $(basename "$2")"
}

bin="$work/bin"
mkdir -p "$bin"
fake() {  # NAME BODY
  printf '#!/usr/bin/env bash\nS=%q\n%s\n' "$work/state" "$2" >"$bin/$1"
  chmod +x "$bin/$1"
}
fake id 'echo 0'
fake locale 'echo de_DE.utf8'
fake sleep 'echo "$1" >>"$S/sleeps"'
fake dpkg 'echo "dpkg $*" >>"$S/calls"
case "$1" in
  --print-foreign-architectures) cat "$S/arch" ;;
  --add-architecture) echo "$2" >>"$S/arch" ;;
  --remove-architecture) grep -vx "$2" "$S/arch" >"$S/arch.new"; mv "$S/arch.new" "$S/arch" ;;
esac'
fake dpkg-query 'pkg=${!#}
[ "$pkg" != "*:i386" ] || exit 1
grep -qx "$pkg" "$S/installed" && echo "install ok installed"'
fake apt-get 'echo "apt-get $*" >>"$S/calls"
case "$1" in
  update)
    n=$(( $(cat "$S/updates" 2>/dev/null || echo 0) + 1 )); echo $n >"$S/updates"
    if [ "$n" -le "$(cat "$S/update_failures")" ]; then
      echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100
    fi ;;
  install)
    if [ -f "$S/install_fails" ]; then
      echo " wine32:i386 : Depends: libwine:i386 (= 8.0~repack-4) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi
    for p in "${@:5}"; do echo "$p" >>"$S/installed"; done ;;
esac'

# run BITS UPDATE_FAILURES INSTALL(ok|fails) [INSTALLED...]: runs tools/setup; its exit code in
# $rc, its messages in $work/state/out, the fakes' calls in $work/state/calls.
run() {
  local bits=$1 update_failures=$2 install=$3
  shift 3
  rm -rf "$work/state"
  mkdir -p "$work/state"
  : >"$work/state/arch"
  : >"$work/state/calls"
  : >"$work/state/sleeps"
  echo "$update_failures" >"$work/state/update_failures"
  [ "$install" = ok ] || touch "$work/state/install_fails"
  printf '%s\n' "$@" >"$work/state/installed"
  env -u PARKO_BITS_SAID PATH="$bin:$PATH" PARKO_BITS="$bits" PARKO_HOST_RUNS_32BIT=yes \
    bash "$root/tools/setup" >"$work/state/out" 2>&1
  rc=$?
}
S="$work/state"

case_name="the 64-bit road on a fresh machine"
run 64 0 ok
[ "$rc" = 0 ] || fail "exit code $rc: $(cat "$S/out")"
expect_not_in "add-architecture" "$S/calls"
expect_not_in "wine32" "$S/calls"
expect_not_in "g++-multilib" "$S/calls"
expect_in "g++-mingw-w64-i686-win32" "$S/calls"
expect_in "wine64" "$S/calls"

case_name="the 32-bit road, an index that heals on the third fetch"
run 32 2 ok
[ "$rc" = 0 ] || fail "exit code $rc: $(cat "$S/out")"
expect_in "dpkg --add-architecture i386" "$S/calls"
expect_in "wine32" "$S/calls"
[ "$(cat "$S/updates")" = 3 ] || fail "fetched the indexes $(cat "$S/updates") times, not 3"
[ "$(tr '\n' ' ' <"$S/sleeps")" = "10 30 " ] || fail "paused $(tr '\n' ' ' <"$S/sleeps")"
expect_in "binary-i386/Packages.xz" "$S/out"

case_name="an index that stays bad, and the install that works anyway"
run 32 99 ok
[ "$rc" = 0 ] || fail "exit code $rc: $(cat "$S/out")"
[ "$(cat "$S/updates")" = 3 ] || fail "fetched the indexes $(cat "$S/updates") times, not 3"
expect_in "going on without a fresh copy of: http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz" "$S/out"
expect_in "apt-get install" "$S/calls"

case_name="an index that stays bad, and an install that cannot be resolved"
run 32 99 fails
[ "$rc" = 1 ] || fail "exit code $rc, not 1"
expect_in "could not install: " "$S/out"
expect_in "wine32" "$S/out"
expect_in "held broken packages" "$S/out"
expect_in "the package mirror did not give: http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz" "$S/out"
expect_in "run with PARKO_BITS=64" "$S/out"
expect_in "try again later" "$S/out"
[ ! -s "$S/arch" ] || fail "the i386 architecture stayed: $(cat "$S/arch")"
expect_in "architecture this run added is removed again" "$S/out"

case_name="the 64-bit road's failed install"
run 64 0 fails
[ "$rc" = 1 ] || fail "exit code $rc, not 1"
expect_in "try again later" "$S/out"
expect_not_in "run with PARKO_BITS=64" "$S/out"

case_name="everything already there"
run 64 99 fails cmake g++ clang-format clang libclang-rt-14-dev g++-mingw-w64-i686-win32 \
  binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 googletest \
  libgtest-dev wine wine64 xvfb xauth x11-apps imagemagick fonts-wine locales trayer xdotool \
  python3 fp-utils-3.2.2 libchm-bin liblnk-utils nsis
[ "$rc" = 0 ] || fail "exit code $rc: $(cat "$S/out")"
expect_not_in "apt-get" "$S/calls"

[ "$failures" = 0 ] && echo "tools/setup against a failing mirror: all cases hold"
[ "$failures" = 0 ]
