// The interpreter: the -i file reader and the record loop.
#pragma once

#include <cstddef>
#include <cstdint>

// -i mode: reads raw debug data from the file (or standard input when name is
// nullptr) in buffer-size chunks and interprets it. Returns at end of input or
// when the input cannot be opened.
void interpretFile(const char* name);

// Consumes and prints every whole record at the start of buf. On return count
// holds the bytes not consumed, moved to the start of buf. Flushes stdout.
void recordLoop(uint8_t* buf, size_t& count);

// Record loop state, kept for the whole run. Exposed for tests.
struct InterpState {
  uint32_t lastSequence = 0;
  long previousTimeOfDay = 0;
};
InterpState& interpState();
