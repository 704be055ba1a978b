# Sourced by the end-to-end tests that read the window through AT-SPI, in a
# session bus of their own, after processes.sh:
#   start_accessibility_bus  starts the accessibility bus and returns once
#                            the session bus names it (a program started
#                            before that would find no bus, or start a
#                            second one); adds it to $pids
accessibility_bus_named() {
  [[ $(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
         org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null) == *"boolean true"* ]]
}

start_accessibility_bus() {
  # It names itself once the bus it launches has given its address.
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pids+=($!)
  if ! wait_until 30 accessibility_bus_named; then
    echo "FAIL: no accessibility bus on the session bus within 30 s" >&2
    exit 1
  fi
}
