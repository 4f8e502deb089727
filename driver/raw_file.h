// The raw output file: generations "<name>.0" (oldest) to "<name>.3" (the
// current file), the writer of request blocks and the wraparound rule.
#pragma once

#include <cstdint>

struct RequestBlock;

// Longest -o name whose generation names fit the 260-character path limit.
constexpr unsigned kMaxRawNameLength = 257;

// Rotates the generations and creates a new current file; 0 or -1.
int openRawFile(bool overlapped);
bool rawFileIsOpen();
// Bytes handed to the writer for the current file.
uint64_t rawFilePosition();
// The current file as a block's handle (nullptr when none is open).
const void* rawFileHandle();

// Hands a block's data to the writer at the current file position.
void rawFileQueueBlock(RequestBlock* block);
// The writer; also the completion routine of a block whose write finished.
void writeBlock(RequestBlock* block, uint32_t bytes);
// Before the capture stores a block: starts a new generation once the file
// has reached the wraparound limit and no write to it is in flight.
void rawFileWrapCheck();
