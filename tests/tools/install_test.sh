#!/usr/bin/env bash
# Covers: the install step of tools/run and tools/test (tools/lib/packages.sh), with
# stand-ins for apt-get, dpkg, dpkg-query and sudo on PATH:
#  - everything installed: APT is not called at all;
#  - some packages missing: only those are asked for;
#  - a mirror that serves a stale i386 index (the plain install cannot be resolved):
#    one line names the index, the install is made with the release as the target
#    release, and succeeds;
#  - a registry that refuses everything: a clear error naming the packages, and
#    tools/test stops there, before any build.
# Usage: install_test.sh ROOT
set -uo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fakes=$work/bin
mkdir -p "$fakes"

# The stand-ins. $work/installed lists the installed packages, $work/calls every
# apt-get command line; $work/scenario says how the registry answers.
cat >"$fakes/dpkg-query" <<'EOF'
#!/usr/bin/env bash
grep -qxF -- "${*: -1}" "$FAKE_WORK/installed" && printf 'install ok installed'
exit 0
EOF
cat >"$fakes/dpkg" <<'EOF'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$FAKE_WORK/architectures" ;;
  --add-architecture) echo "$2" >>"$FAKE_WORK/architectures" ;;
esac
EOF
cat >"$fakes/sudo" <<'EOF'
#!/usr/bin/env bash
exec "$@"
EOF
cat >"$fakes/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_WORK/calls"
scenario=$(cat "$FAKE_WORK/scenario")
if [ "$1" = update ]; then
  echo "Get:1 http://deb.debian.org/debian bookworm InRelease [151 kB]"
  if [ "$scenario" = stale ]; then
    echo "Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]"
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100
  fi
  exit 0
fi
shift  # install
packages=()
target=""
while [ $# -gt 0 ]; do
  case $1 in
    -t) target=$2; shift 2 ;;
    -*) shift ;;
    *) packages+=("$1"); shift ;;
  esac
done
if [ "$scenario" = refuse ] || { [ "$scenario" = stale ] && [ "$target" != bookworm ]; }; then
  echo "E: Unable to correct problems, you have held broken packages." >&2
  exit 100
fi
printf '%s\n' "${packages[@]}" >>"$FAKE_WORK/installed"
EOF
cat >"$fakes/cmake" <<'EOF'
#!/usr/bin/env bash
echo "cmake $*" >>"$FAKE_WORK/calls"
exit 1
EOF
chmod +x "$fakes"/*
printf 'PRETTY_NAME="Debian GNU/Linux 12 (bookworm)"\nVERSION_CODENAME=bookworm\n' >"$work/os-release"

failures=0
fail() { echo "FAILED ($case): $*"; failures=$((failures + 1)); }

# Sets up a case: the scenario, and the installed packages (all but those given).
setup() {
  case=$1 scenario=$2
  shift 2
  echo "$scenario" >"$work/scenario"
  : >"$work/calls"
  echo i386 >"$work/architectures"
  (
    # shellcheck source=../../tools/lib/common.sh
    source "$root/tools/lib/common.sh"
    printf '%s\n' "${VELMORA_PACKAGES[@]}"
  ) | grep -vxF -f <(printf '%s\n' "$@" "#none") >"$work/installed"
}
# Runs ensure_packages with the stand-ins; its output in $work/out, status in $status.
install() {
  (
    export FAKE_WORK=$work PATH="$fakes:$PATH" VELMORA_OS_RELEASE=$work/os-release VELMORA_APT_RETRY_SECONDS=0
    # shellcheck source=../../tools/lib/common.sh
    source "$root/tools/lib/common.sh"
    ensure_packages
  ) >"$work/out" 2>&1
  status=$?
}

setup "all installed" ok
install
[ $status -eq 0 ] || fail "status $status"
[ ! -s "$work/calls" ] || fail "apt-get was called: $(cat "$work/calls")"

setup "two missing" ok wine32:i386 xdotool
install
[ $status -eq 0 ] || fail "status $status"
grep -qx 'install -y -qq wine32:i386 xdotool' "$work/calls" || fail "calls: $(cat "$work/calls")"
[ "$(grep -c '^update' "$work/calls")" -eq 1 ] || fail "calls: $(cat "$work/calls")"

setup "stale i386 index" stale wine wine32:i386
install
[ $status -eq 0 ] || fail "status $status: $(cat "$work/out")"
grep -qx 'install -y -qq -t bookworm wine wine32:i386' "$work/calls" || fail "calls: $(cat "$work/calls")"
[ "$(grep -c 'index failed' "$work/out")" -eq 1 ] || fail "index lines: $(cat "$work/out")"
grep -q 'index failed: .*bookworm-security/main/binary-i386/Packages.xz .*Mirror sync in progress?$' "$work/out" ||
  fail "no line naming the index: $(cat "$work/out")"
grep -qx wine32:i386 "$work/installed" || fail "wine32:i386 not installed"

setup "registry refuses" refuse wine32:i386 xdotool
install
[ $status -ne 0 ] || fail "succeeded"
grep -q 'error: could not install .*: wine32:i386 xdotool$' "$work/out" || fail "no error naming them: $(cat "$work/out")"
[ "$(grep -c '^install' "$work/calls")" -eq 4 ] || fail "calls: $(cat "$work/calls")"

setup "tools/test, registry refuses" refuse wine
(export FAKE_WORK=$work PATH="$fakes:$PATH" VELMORA_OS_RELEASE=$work/os-release VELMORA_APT_RETRY_SECONDS=0
 "$root/tools/test") >"$work/out" 2>&1
status=$?
[ $status -ne 0 ] || fail "tools/test succeeded"
grep -q 'error: could not install .*: wine$' "$work/out" || fail "no error naming wine: $(cat "$work/out")"
! grep -q '^cmake' "$work/calls" || fail "tools/test went on to build"

[ $failures -eq 0 ] && echo "install logic: all cases passed"
exit $((failures > 0))
