# Sourced by the scripts that run Windows programs under Wine, however their
# caller started them: Wine quiet, asking for no add-ons, and making no menu
# entries on this machine (winemenubuilder would mirror the installer's
# Start-menu entry into this machine's own menus, and outlive the installer
# holding the test's output open).
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
