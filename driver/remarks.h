// Remark sending, exposed for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct RequestBlock;

// Writes "*** <tag> *** " at the start of the block's data; its length.
size_t remarkPrefix(RequestBlock* block, const char* tag);
// Reads lines from in and sends each behind the prefix until in ends.
void remarkLines(RequestBlock* block, FILE* in);
// Sends the data area's first length bytes with WRITE_LINE: 1 sent, 0 failed.
int sendLine(RequestBlock* block, uint32_t length);
