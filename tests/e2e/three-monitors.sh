# A virtual desk of three monitors for Wine: sourced, not run (the several-monitor scenario and
# the footprint bench use it).
#
# Xvfb has one screen and one output. RandR 1.5 splits that screen into monitors, and Wine 8
# reports them when its XRandR path is switched off in the prefix, for it then asks Xinerama,
# which lists the RandR monitors. The layout, in X's coordinates (the whole screen 2464x768):
#
#   left 800x600 at 0,0 | primary 1024x768 at 800,0 | right 640x480 at 1824,0
#
# and as Windows reports it, the primary at 0,0: left (-800,0)-(0,600), primary (0,0)-(1024,768),
# right (1024,0)-(1664,480). The parts of the screen below the left and right monitors belong to
# no monitor. Wine reads the layout once, when its first program starts: it does not follow a
# layout changed while it runs.

three_monitor_screen=2464x768
three_monitor_primary_x=800  # X's x of Windows' 0
# The monitors as Windows reports them: "left,top,right,bottom", the primary first.
three_monitor_rects=("0,0,1024,768" "-800,0,0,600" "1024,0,1664,480")

# start_three_monitor_display FIRST [PIDFILE]: Xvfb on the first free display from :FIRST, split
# into the three monitors; sets three_monitor_display (":N") and three_monitor_xvfb_pid, for the
# caller to end. PIDFILE, when given, holds the pid too, for whoever cleans up after a caller
# that was killed (and so ran no trap). -noreset keeps the monitors: without it the server
# resets, and forgets them, when its last client (each xrandr call) disconnects. Xvfb is no job
# of the calling shell, so that waiting for its jobs (the programs under test) does not wait for
# the display.
three_monitor_server_up() {  # our Xvfb answers on :N (not another that took the number)
  kill -0 "$three_monitor_xvfb_pid" 2>/dev/null && DISPLAY=":$1" xdpyinfo >/dev/null 2>&1
}
start_three_monitor_display() {
  local n=$1 pid_file=${2:-} attempt i
  for attempt in 1 2 3 4 5 6 7 8; do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    three_monitor_xvfb_pid=$(Xvfb ":$n" -screen 0 "${three_monitor_screen}x24" -noreset -nolisten tcp \
      >/dev/null 2>&1 & echo $!)
    [ -z "$pid_file" ] || echo "$three_monitor_xvfb_pid" >"$pid_file"
    for i in $(seq 50); do
      three_monitor_server_up "$n" && break
      kill -0 "$three_monitor_xvfb_pid" 2>/dev/null || break  # the number was taken meanwhile
      sleep 0.1
    done
    if three_monitor_server_up "$n"; then
      three_monitor_display=":$n"
      # The first monitor takes the screen's only output; the others have none.
      DISPLAY=":$n" xrandr --setmonitor P 1024/271x768/203+800+0 screen >/dev/null &&
        DISPLAY=":$n" xrandr --setmonitor L 800/212x600/159+0+0 none >/dev/null &&
        DISPLAY=":$n" xrandr --setmonitor R 640/169x480/127+1824+0 none >/dev/null &&
        [ "$(DISPLAY=":$n" xrandr --listmonitors | head -n 1)" = "Monitors: 3" ] && return 0
      kill "$three_monitor_xvfb_pid" 2>/dev/null
      return 1
    fi
    kill "$three_monitor_xvfb_pid" 2>/dev/null  # a server that did not come up
    n=$((n + 1))
  done
  return 1
}

# wine_sees_monitors on|off: whether the prefix's Wine takes the Xinerama path (on) or its usual
# XRandR path, which sees the single output (off: the values removed, as a fresh prefix has
# none). Wine reads it at its start: every Wine process of the prefix is ended afterwards.
wine_sees_monitors() {
  local key='HKCU\Software\Wine\X11 Driver' name
  for name in UseXRandR UseXVidMode; do
    if [ "$1" = on ]; then
      wine reg add "$key" /v "$name" /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
    else
      wine reg delete "$key" /v "$name" /f >/dev/null 2>&1 || true
    fi
  done
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
