#!/bin/sh
# Runs a test program on a virtual X display with the openbox window manager:
# frames, title bars and full-screen changes exist only there. Exits 77
# (skipped) when the tools are missing.
command -v xvfb-run >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1 || exit 77
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  openbox >/dev/null 2>&1 &
  manager=$!
  sleep 1
  QT_QPA_PLATFORM=xcb "$@"
  status=$?
  kill $manager 2>/dev/null
  exit $status' run_under_window_manager "$@"
