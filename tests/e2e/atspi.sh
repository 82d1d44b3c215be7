# The main window as a screen reader sees it, over AT-SPI.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
/usr/bin/python3 "$(dirname "$0")/atspi.py"
stop_program
