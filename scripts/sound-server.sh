#!/usr/bin/env bash
# A PipeWire sound server of the tests' own, in user mode, as a Linux desktop runs it: a
# private runtime folder and session bus, PipeWire with WirePlumber and its PulseAudio
# server, a null sink as the default speaker and a virtual microphone fed from a sink of
# its own. Needs no root and touches nothing of the desktop's own sound.
#
#   scripts/sound-server.sh start DIR   start it (DIR: an empty or new folder); prints the
#                                       seconds it took to be ready
#   scripts/sound-server.sh kill DIR    kill it as a crash would (SIGKILL), leaving DIR
#   scripts/sound-server.sh stop DIR    stop it and remove DIR
#
# Clients reach it with XDG_RUNTIME_DIR=DIR/runtime (PipeWire) or
# PULSE_SERVER=unix:DIR/runtime/pulse/native. What is played goes to the sink
# "vestoria-speaker" (record its monitor to hear it); what is played into the sink
# "vestoria-mic-feed" comes out of the default source "vestoria-mic".
set -euo pipefail

command=${1:?start, kill or stop}
dir=${2:?the folder of the server}

servers=(pipewire wireplumber pipewire-pulse)
processes=(dbus-daemon "${servers[@]}")

# The servers' own environment: everything they keep stays in DIR.
server_env() {
  exec env -i PATH="$PATH" HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" XDG_CONFIG_HOME="$dir/config" \
    XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/data" DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/runtime/bus" \
    DISABLE_RTKIT=1 PIPEWIRE_LOG_SYSTEMD=false "$@"
}

write_config() {
  mkdir -p "$dir/home" "$dir/state" "$dir/data" "$dir/config/pipewire/pipewire.conf.d" \
    "$dir/config/wireplumber/main.lua.d" "$dir/config/wireplumber/bluetooth.lua.d"
  cat > "$dir/config/pipewire/pipewire.conf.d/vestoria.conf" <<'EOF'
context.objects = [
  { factory = adapter
    args = {
      factory.name = support.null-audio-sink
      node.name = "vestoria-speaker"
      node.description = "Vestoria test speaker"
      media.class = Audio/Sink
      audio.position = [ FL FR ]
      object.linger = true
      priority.driver = 2000
      priority.session = 2000
      monitor.channel-volumes = true
    }
  }
]
context.modules = [
  { name = libpipewire-module-loopback
    args = {
      node.description = "Vestoria test microphone"
      audio.position = [ MONO ]
      capture.props = {
        node.name = "vestoria-mic-feed"
        media.class = Audio/Sink
        priority.session = 100
      }
      playback.props = {
        node.name = "vestoria-mic"
        media.class = Audio/Source
        priority.session = 2000
      }
    }
  }
]
EOF
  # No hardware, cameras or Bluetooth: only the nodes above.
  cat > "$dir/config/wireplumber/main.lua.d/51-vestoria.lua" <<'EOF'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
EOF
  echo 'bluez_monitor.enabled = false' > "$dir/config/wireplumber/bluetooth.lua.d/51-vestoria.lua"
}

launch() {
  local name=$1
  shift
  server_env "$@" > "$dir/$name.log" 2>&1 &
  echo $! > "$dir/$name.pid"
}

# Ready when WirePlumber has made both test devices the defaults.
ready() {
  local defaults
  defaults=$(server_env pw-metadata -n default 0 2>/dev/null) || return 1
  [[ $defaults == *'"vestoria-speaker"'* && $defaults == *'"vestoria-mic"'* ]] && [ -S "$dir/runtime/pulse/native" ]
}

# Runs the command $2… every 10 ms until it succeeds; after 5 s says $1 and fails, so that a
# server that does not come up fails the tests instead of holding them up.
await() {
  local what=$1 tries=0
  shift
  until "$@"; do
    if ((++tries > 500)); then
      echo "sound server: $what after 5 s; see $dir/*.log" >&2
      return 1
    fi
    sleep 0.01
  done
}

start() {
  local began=$EPOCHREALTIME
  mkdir -p "$dir/runtime"
  chmod 700 "$dir/runtime"
  write_config
  if [ ! -S "$dir/runtime/bus" ] || ! kill -0 "$(cat "$dir/dbus-daemon.pid" 2>/dev/null)" 2>/dev/null; then
    launch dbus-daemon dbus-daemon --session --nofork --nopidfile --address="unix:path=$dir/runtime/bus"
  fi
  launch pipewire pipewire
  await "no PipeWire socket" test -S "$dir/runtime/pipewire-0" || return 1
  launch wireplumber wireplumber
  launch pipewire-pulse pipewire-pulse
  await "not ready" ready || return 1
  local us=$((${EPOCHREALTIME/./} - ${began/./}))
  printf 'sound server ready in %d.%03d s\n' $((us / 1000000)) $((us % 1000000 / 1000))
}

# Sends the signal $1 to the processes named after it.
send() {
  local signal=$1 name pid
  shift
  for name in "$@"; do
    pid=$(cat "$dir/$name.pid" 2>/dev/null) || continue
    kill "$signal" "$pid" 2>/dev/null || true
  done
}

case "$command" in
  start) start ;;
  kill)
    # The sound server crashes; the session bus lives on, as a desktop's would.
    send -KILL "${servers[@]}"
    rm -f "$dir/runtime/pipewire-0" "$dir/runtime/pipewire-0.lock" "$dir/runtime/pulse/native"
    ;;
  stop)
    send -TERM "${processes[@]}"
    sleep 0.1
    send -KILL "${processes[@]}"
    rm -rf "$dir"
    ;;
  *) echo "unknown command: $command" >&2; exit 2 ;;
esac
