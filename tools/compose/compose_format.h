// The trace composer: turns a readable description of debug records into a
// raw debug file. One record per line:
//
//   rec <key=value ...> [| payload items ...]
//   raw | payload items          bytes with no header
//   include <path>               relative to the including file
//
// The parser is kept apart from the program so that tests can feed it text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Default date of t= stamps.
constexpr int kComposeDefaultYear = 2026;
constexpr int kComposeDefaultMonth = 1;
constexpr int kComposeDefaultDay = 15;
constexpr int kComposeMaxIncludeDepth = 16;

// What carries over from one record (and one source file) to the next.
struct ComposeState {
  uint32_t lastSequence = 0;  // the next record defaults to lastSequence + 1
  int year = kComposeDefaultYear, month = kComposeDefaultMonth, day = kComposeDefaultDay;
  uint32_t timeLow = 0, timeHigh = 0;  // a record without a time repeats these
  int depth = 0;                       // include nesting
};

// One record as the composer writes it.
struct ComposeRecord {
  uint32_t timeLow = 0, timeHigh = 0;
  uint16_t driverId = 1;
  uint16_t typeWord = 0x0101;
  uint32_t sequence = 1;
  bool lengthOverride = false;
  uint32_t lengthField = 0;  // used when lengthOverride
  bool oldForm = false;
  std::vector<uint8_t> payload;  // including an appended zero byte, if any
};

// Appends rec in its header form, its payload and zero padding to a multiple
// of 4. The length field is the payload size unless overridden.
void composeWriteRecord(const ComposeRecord& rec, std::vector<uint8_t>& out);

// 100-ns intervals since 1601-01-01 00:00 UTC. Returns false for a date or
// time that does not exist. fraction100ns is 0..9999999.
bool composeFileTime(int year, int month, int day, int hour, int minute, int second,
                     uint32_t fraction100ns, uint64_t& fileTime);

// Composes the source text (name is used in messages and to resolve
// includes) and appends the bytes to out. On error returns false with
// "name:line: message" in error; out then holds what came before the error.
bool composeText(ComposeState& state, const std::string& name, const std::string& text,
                 std::vector<uint8_t>& out, std::string& error);

// Reads the file at path and composes it.
bool composeFile(ComposeState& state, const std::string& path, std::vector<uint8_t>& out,
                 std::string& error);
