#!/bin/sh
# A host that only processes audio loads the bundle's processing object without X11 or Cairo; the
# UI object, which needs them, shows hosts nothing but its entry.
# Usage: module_linkage.sh PROCESSING_OBJECT UI_OBJECT
set -u
status=0
drawing=$(readelf -d "$1" | grep NEEDED | grep -E 'libX|libxcb|libcairo|libpng')
if [ -n "$drawing" ]; then
  echo "FAIL: the processing object needs $drawing"
  status=1
fi
readelf -d "$2" | grep NEEDED | grep -q libX11 || { echo "FAIL: the UI object links no X11"; status=1; }
exported=$(nm -D --defined-only "$2" | awk '$2 ~ /[TWDBVRiu]/ && $3 !~ /^_/ { print $3 }')
if [ "$exported" != "lv2ui_descriptor" ]; then
  echo "FAIL: the UI object exports: $exported"
  status=1
fi
exit $status
