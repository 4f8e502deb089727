// Files for raw debug output: create (truncating), write at an offset or at
// the current position, rename with or without replacing, delete.
#pragma once

#include <cstdint>

struct Overlapped;

struct PlatformFile {
  int fd = -1;
  bool overlapped = false;  // writes go at the offset the Overlapped gives
};

// Creates or truncates the file for writing; nullptr with the error code.
PlatformFile* fileCreate(const char* name, bool overlapped, uint32_t& error);
void fileClose(PlatformFile* file);

// Writes count bytes: at ov's offset when the file is overlapped (ov needed),
// else at the current position. Returns 0 and the bytes written (the write
// completed at once), or the error code. ov's event is signalled as for a
// finished operation.
uint32_t fileWrite(PlatformFile* file, const uint8_t* data, uint32_t count, Overlapped* ov,
                   uint32_t& written);

// Renames, replacing an existing target. Returns 0 or the error code.
uint32_t fileMoveReplace(const char* from, const char* to);
// Renames; fails with kErrorFileExists when the target exists.
uint32_t fileMove(const char* from, const char* to);
uint32_t fileDelete(const char* name);
