# The Debian packages the project needs, installed only when one is missing.
# shellcheck shell=bash
#
# A mirror in the middle of a sync can serve a stale index for one architecture of
# one suite for days. APT then takes the amd64 half of a multi-arch library from one
# suite and the i386 half from another, and wine32:i386 cannot be resolved ("held
# broken packages"), however often it is tried. Installing with the machine's own
# release as the target release resolves the set from one suite; the machine's APT
# configuration is never written.
#
# Knobs, for the tests of this file: VELMORA_OS_RELEASE (the os-release file to read
# the codename from), VELMORA_APT_RETRY_SECONDS (the pause before a second round).

VELMORA_PACKAGES=(
  cmake ninja-build g++ clang libfuzzer-14-dev libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev libgif-dev libstb-dev
  g++-mingw-w64-i686 wine wine32:i386 xvfb xauth x11-utils xdotool xclip imagemagick fonts-wqy-microhei
  g++-mingw-w64-x86-64-posix wine64
  locales shellcheck zip
)

# The packages of "$@" that dpkg does not report as installed, one a line.
missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf '%s\n' "$p"
  done
}

# The codename of the machine's release ("bookworm"), or nothing.
release_codename() {
  local file=${VELMORA_OS_RELEASE:-/etc/os-release}
  [ -r "$file" ] || return 0
  sed -n -E 's/^VERSION_CODENAME="?([A-Za-z0-9._-]+)"?$/\1/p' "$file" | head -n 1
}

# apt-get update; prints one line for each index that could not be fetched.
update_package_indexes() {
  local sudo=$1 out
  out=$($sudo apt-get update 2>&1) || true
  grep -E '^(E|W): Failed to fetch' <<<"$out" |
    sed -E 's/^(E|W): Failed to fetch /index failed: /; s/ +\[IP:.*\]$//' |
    sort -u >&2 || true
}

# apt-get install, as root through $1 ("" or "sudo"), of the packages that follow
# (after "-t RELEASE" to take them from that release alone).
apt_install() {
  local sudo=$1
  shift
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$@" >/dev/null
}

ensure_packages() {
  local missing
  mapfile -t missing < <(missing_packages "${VELMORA_PACKAGES[@]}")
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo
  sudo=$(as_root)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  local codename round
  codename=$(release_codename)
  for round in 1 2; do
    update_package_indexes "$sudo"
    apt_install "$sudo" "${missing[@]}" && return 0
    if [ -n "$codename" ]; then
      echo "installing again with '$codename' as the target release" >&2
      apt_install "$sudo" -t "$codename" "${missing[@]}" && return 0
    fi
    # A sync that is still running may have ended by the second round.
    [ "$round" -eq 1 ] && sleep "${VELMORA_APT_RETRY_SECONDS:-15}"
  done
  echo "error: could not install the packages the project needs: ${missing[*]}" >&2
  echo "(apt-get install failed as configured${codename:+ and with '$codename' as the target release})" >&2
  return 1
}
