// The line monitor (-moni).
#pragma once

#include <cstddef>
#include <cstdint>

// Record consumer of the monitor; same contract as recordLoop. file is the
// name of the replayed file, or nullptr for live data.
void monitorRecords(const char* file, uint8_t* buf, size_t& count);

// Called by terminate(): restores the console if the monitor took it.
void consoleRestore(int code);
