// The per-user directory that holds the device socket and the stop event:
// $MARLOG_DEVICE_DIR, else $XDG_RUNTIME_DIR, else /tmp/marlog-<uid> (made
// with mode 0700).
#pragma once

#include <string>

// Empty when no usable directory exists.
std::string runtimeDirectory();
