// The capture loop's request routines, exposed for tests.
#pragma once

#include <cstdint>

#include "driver/request_block.h"

// Issues a copy request: -1 on failure, the byte count when the reply came
// at once, 0 when it is pending or the driver lacked resources.
int startCopy(CompletionRoutine completion, uint32_t capacity);
// Asks the driver to complete pending copies with what it has collected.
void startFlush();
// Completion of a copy: issues the next copy, then prints or stores the reply.
void copyCompleted(RequestBlock* block, uint32_t bytes);

// Hands a reply's records to the record loop (or the line monitor); reports
// bytes of an incomplete last record, which cannot be printed.
void consumeRecords(uint8_t* data, uint32_t length);
