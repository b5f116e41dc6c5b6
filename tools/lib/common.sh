# Shared by tools/run and tools/test: packages, builds, the Wine prefix and a virtual display.
# shellcheck shell=bash

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# The display scale that Wine shows the programs, in dots per inch, from
# VELMORA_LOGPIXELS (96, the default, is 100%; 144 is 150%, 192 is 200%). Each
# scale other than 96 has a prefix of its own, named after it.
wine_logpixels() {
  local dpi=${VELMORA_LOGPIXELS:-96}
  if ! [[ $dpi =~ ^[0-9]{2,3}$ ]] || [ "$dpi" -lt 96 ] || [ "$dpi" -gt 480 ]; then
    echo "error: VELMORA_LOGPIXELS must be a dpi from 96 to 480, not '$dpi'" >&2
    return 1
  fi
  echo "$dpi"
}

# The prefix folder for a base name: build/NAME at 96 dpi, build/NAME-DPI else.
wine_prefix_for_scale() {
  local dpi
  dpi=$(wine_logpixels) || return 1
  if [ "$dpi" -eq 96 ]; then
    echo "$VELMORA_ROOT/build/$1"
  else
    echo "$VELMORA_ROOT/build/$1-$dpi"
  fi
}

WINEPREFIX=$(wine_prefix_for_scale wineprefix) || return 1
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# The Wine that runs the 32-bit program; use_wine64 switches to the 64-bit one.
VELMORA_WINE=wine
VELMORA_WINESERVER=wineserver

say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

# What runs a command as root: nothing for root, else sudo.
as_root() { [ "$(id -u)" -eq 0 ] || echo sudo; }

# shellcheck source=tools/lib/packages.sh
source "$VELMORA_ROOT/tools/lib/packages.sh"

# A locale with a decimal comma, so the tests can prove that number conversion
# ignores the C library's locale.
ensure_test_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  $(as_root) localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || true
}

# Configures one preset (the first time only) with the given cache settings.
configure_preset() {
  local preset=$1
  shift
  if [ ! -f "$VELMORA_ROOT/build/$preset/CMakeCache.txt" ]; then
    cmake --preset "$preset" -S "$VELMORA_ROOT" "$@" >/dev/null
  fi
}

# Configure (first time only) and build one preset.
build_preset() {
  local preset=$1
  shift
  if [ ! -f "$VELMORA_ROOT/build/$preset/CMakeCache.txt" ]; then
    cmake --preset "$preset" -S "$VELMORA_ROOT" >/dev/null
  fi
  cmake --build "$VELMORA_ROOT/build/$preset" "$@"
}

# A virtual X display of our own, unless one is given. Sets DISPLAY and XVFB_PID.
start_virtual_display() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local _
    for _ in $(seq 1 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  echo "could not start a virtual display" >&2
  return 1
}

stop_virtual_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

# Whether this machine runs 32-bit x86 programs. Wine runs velmora.exe, a 32-bit
# Windows program, as one; some virtual machines run 64-bit user code only (their
# kernel answers "Exec format error"). Tried with the smallest 32-bit Linux program,
# which exits with 3.
runs_32bit_programs() {
  local program status=0
  program=$(mktemp)
  printf '%b' '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x03\x00\x00\x00\xcd\x80' >"$program"
  chmod +x "$program"
  "$program" 2>/dev/null || status=$?
  rm -f "$program"
  [ "$status" -eq 3 ]
}

CANNOT_RUN_32BIT="this machine cannot run 32-bit x86 programs (its kernel runs 64-bit user code only), so Wine cannot run the 32-bit velmora.exe or its tests here"

# The 64-bit Wine in a prefix of its own, for the windows64 build's tests on
# machines that run no 32-bit code.
use_wine64() {
  WINEPREFIX=$(wine_prefix_for_scale wineprefix64) || return 1
  export WINEPREFIX WINEARCH=win64
  VELMORA_WINE=/usr/lib/wine/wine64
  VELMORA_WINESERVER=/usr/lib/wine/wineserver64
}

# The Windows build that this machine runs: the 32-bit program (preset windows,
# under wine), or where no 32-bit code runs the same program built for 64 bits
# (preset windows64, under wine64), which is said. Sets VELMORA_PRESET.
# shellcheck disable=SC2034  # read by the scripts that source this file
choose_windows_build() {
  if runs_32bit_programs; then
    VELMORA_PRESET=windows
  else
    VELMORA_PRESET=windows64
    use_wine64
    echo "NOTE: $CANNOT_RUN_32BIT; the same program built for 64 bits runs under wine64 instead." >&2
  fi
}

# Starts a persistent wineserver and boots the prefix with all output detached:
# Wine's background services would otherwise hold ctest's pipes open for ever.
# A server left from an earlier run is ended first: its desktop lives on the X
# display it started with, and every process on another display would wait for it
# (about 20 s at each exit).
start_wine() {
  if [ "$VELMORA_WINE" = wine ] && ! runs_32bit_programs; then
    echo "error: $CANNOT_RUN_32BIT" >&2
    return 1
  fi
  local fresh=0
  [ -f "$WINEPREFIX/system.reg" ] || fresh=1
  mkdir -p "$WINEPREFIX"
  "$VELMORA_WINESERVER" -k >/dev/null 2>&1 || true
  "$VELMORA_WINESERVER" -p >/dev/null 2>&1 </dev/null &
  if [ $fresh -eq 1 ]; then
    "$VELMORA_WINE" wineboot -i >/dev/null 2>&1 </dev/null
  else
    "$VELMORA_WINE" wineboot >/dev/null 2>&1 </dev/null
  fi
  install_wine_fonts
  if [ $fresh -eq 1 ] || [ ! -f "$WINEPREFIX/.velmora-configured-2" ]; then
    configure_wine_prefix
    # The desktop settings take effect with a new server.
    "$VELMORA_WINESERVER" -k >/dev/null 2>&1 || true
    "$VELMORA_WINESERVER" -p >/dev/null 2>&1 </dev/null &
    "$VELMORA_WINE" wineboot >/dev/null 2>&1 </dev/null
  fi
}

# Wine's own fonts (Marlett for the caption buttons, Tahoma, ...) are not found in
# its data folder by this build: without them the close box shows a letter "r".
# Wine reads every font in C:\windows\Fonts at start, so they go there.
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
  [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -f "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
  done
}

# Chinese text must render whatever the system code page: link the usual UI fonts
# to WenQuanYi Micro Hei, which has the CJK glyphs.
configure_wine_prefix() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local font
  for font in Tahoma "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "SimSun" "宋体"; do
    "$VELMORA_WINE" reg add "$key" /v "$font" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1 </dev/null
  done
  # One Wine-managed virtual desktop: windows get real frames without a window
  # manager, and Wine never waits on X for a window to be mapped.
  "$VELMORA_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  "$VELMORA_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
  # No crash dialogs from winedbg: a crashing test must simply fail.
  "$VELMORA_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1 </dev/null
  # The display scale. Wine 8 takes the user's value and, when there is none, the
  # machine-wide one (each alone gives the scale); both are set alike.
  local dpi
  dpi=$(wine_logpixels) || return 1
  if [ "$dpi" -ne 96 ]; then
    "$VELMORA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1 </dev/null
    "$VELMORA_WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  fi
  touch "$WINEPREFIX/.velmora-configured-2"
}

stop_wine() {
  "$VELMORA_WINESERVER" -k >/dev/null 2>&1 || true
}

# Runs one Windows program in a Wine session of its own, in the prefix of the scale
# (made and configured on first use), and ends the session afterwards; answers the
# program's exit status. For the tests that run at a display scale other than 96:
# their prefix's server must not outlive them on a display that goes away.
run_in_own_wine_session() {
  start_wine || return 1
  local status=0
  "$VELMORA_WINE" "$@" || status=$?
  stop_wine
  return "$status"
}

# Runs the allocation-fault driver (tests/windows/faults of the windows build) with
# the given options, under the running Wine session; lines that show return
# addresses get the functions and lines of the failing velmora.exe beneath them.
run_allocation_faults() {
  local dir="$VELMORA_ROOT/build/windows/tests/windows/faults"
  local exe="$dir/velmora.exe"
  local windows_exe="Z:${exe//\//\\}"
  # The program opens the forum's address at every start: no browser each run.
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winebrowser.exe=" \
    wine "$dir/velmora-alloc-faults.exe" "$windows_exe" "$@" </dev/null |
    while IFS= read -r line; do
      printf '%s\n' "$line"
      case $line in
        "    "*:*" "[0-9a-f]*) ;;
        *) continue ;;
      esac
      local where
      # The program's own frames only (the C++ library's headers and Wine's left out).
      # shellcheck disable=SC2086
      where=$(i686-w64-mingw32-addr2line -e "$exe" -f -p ${line##*: } 2>/dev/null |
        grep -v -e '^??' -e ' at /usr/' -e ' at /build/' | sed -E 's/^_?(Z[^ ]*)/_\1/' |
        c++filt | sed "s| at $VELMORA_ROOT/|  |" |
        head -n 6 | sed 's/^/        /' || true)
      [ -n "$where" ] && printf '%s\n' "$where"
    done
  return "${PIPESTATUS[0]}"
}
