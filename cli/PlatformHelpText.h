#pragma once

// The help's paragraphs that name the system's own places: the devices
// COM1.. stand for, where the journal and the car book are kept. Literals, so that the
// general help stays one text.

#ifdef _WIN32

#define DRAVINOR_PORT_SELECTION_HELP                                                                                   \
    "Port selection:\n"                                                                                                \
    "  --port COM3              use COM3 only (no scan)\n"                                                             \
    "  --port \\\\.\\COM12         use this device only (no scan)\n"                                                   \
    "  --port COM1=\\\\.\\COM12    map a port name to a device (repeatable); once\n"                                   \
    "                           any mapping is given, only mapped names exist\n"                                       \
    "  Without a port to use, COM1..COM10 are scanned for the controller.\n"                                           \
    "  By default COM1.. are the system's COM ports under the numbers the Device\n"                                    \
    "  Manager shows. The environment variable\n"                                                                      \
    "  DRAVINOR_PORTS=\"COM1=\\\\.\\COM12,COM2=\\\\.\\COM14\" gives the map too. --port adds to\n"                     \
    "  DRAVINOR_PORTS and wins for a name both give; one device never has two names.\n"

#define DRAVINOR_JOURNAL_HELP                                                                                          \
    "Journal: %DRAVINOR_STATE_DIR%\\journal.log, else\n"                                                               \
    "  %LOCALAPPDATA%\\Dravinor\\journal.log\n"                                                                        \
    "  (at 1 MB it moves to journal.log.1, replacing the one older file kept).\n"

#define DRAVINOR_CAR_BOOK_HELP                                                                                         \
    "Car book: %DRAVINOR_DATA_DIR%\\workshop.sqlite, else\n"                                                           \
    "  %LOCALAPPDATA%\\Dravinor\\workshop.sqlite.\n"                                                                   \
    "\n"

#define DRAVINOR_NO_PORTS_TEXT "no serial ports found (no COM port in the system's list)"

#else

#define DRAVINOR_PORT_SELECTION_HELP                                                                                   \
    "Port selection:\n"                                                                                                \
    "  --port COM3              use COM3 only (no scan)\n"                                                             \
    "  --port /dev/ttyUSB0      use this device only (no scan)\n"                                                      \
    "  --port COM1=/dev/ttyUSB0 map a port name to a device (repeatable); once\n"                                      \
    "                           any mapping is given, only mapped names exist\n"                                       \
    "  Without a port to use, COM1..COM10 are scanned for the controller.\n"                                           \
    "  By default COM1.. stand for the serial devices present: /dev/ttyUSB*,\n"                                        \
    "  /dev/ttyACM*, then /dev/ttyS* with a real UART. The environment variable\n"                                     \
    "  DRAVINOR_PORTS=\"COM1=/dev/x,COM2=/dev/y\" gives the map too. --port adds to\n"                                 \
    "  DRAVINOR_PORTS and wins for a name both give; one device never has two names.\n"

#define DRAVINOR_JOURNAL_HELP                                                                                          \
    "Journal: $DRAVINOR_STATE_DIR/journal.log, else\n"                                                                 \
    "  $XDG_STATE_HOME/dravinor/journal.log, else ~/.local/state/dravinor/journal.log\n"                               \
    "  (at 1 MB it moves to journal.log.1, replacing the one older file kept).\n"

#define DRAVINOR_CAR_BOOK_HELP                                                                                         \
    "Car book: $DRAVINOR_DATA_DIR/workshop.sqlite, else\n"                                                             \
    "  $XDG_DATA_HOME/dravinor/workshop.sqlite, else\n"                                                                \
    "  ~/.local/share/dravinor/workshop.sqlite.\n"                                                                     \
    "\n"

#define DRAVINOR_NO_PORTS_TEXT "no serial ports found (no /dev/ttyUSB*, /dev/ttyACM* or /dev/ttyS* with a UART)"

#endif
