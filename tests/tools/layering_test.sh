#!/bin/sh
# Covers: the folders' layering. runtime/ includes nothing from ui/ or app/, ui/
# nothing from app/, ui/markup/ nothing from the controls, and portable files (neither _win nor _host) never include
# <windows.h> or another Windows header.
set -eu
root=$1
status=0
check() {  # folder, pattern, what
  found=$(grep -rlE "$2" "$root/$1" --include='*.cpp' --include='*.h' || true)
  if [ -n "$found" ]; then echo "$3:"; echo "$found"; status=1; fi
}
check runtime '#include "(ui|app)/' "runtime includes ui/ or app/"
check ui '#include "app/' "ui includes app/"
check ui/markup '#include "(ui/controls|app)/' "ui/markup includes ui/controls/ or app/"
portable=$(find "$root/runtime" "$root/ui" "$root/app" -name '*.cpp' ! -name '*_win.cpp' ! -name '*_host.cpp')
bad=$(grep -lE '#include <(windows|commctrl|shellapi|ole2)\.h>|#include "[^"]*_win\.h"' $portable || true)
if [ -n "$bad" ]; then echo "portable files that need Windows:"; echo "$bad"; status=1; fi
exit $status
