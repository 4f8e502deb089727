// Shared helpers for unit tests.
#pragma once

#include <cstdio>
#include <string>

// An output stream whose text can be read back: pass `stream` to a decoder,
// then compare text().
struct CapturedOutput {
  FILE* stream = nullptr;
  char* buf = nullptr;
  size_t size = 0;
  CapturedOutput();
  ~CapturedOutput();
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;
  std::string text();
};
