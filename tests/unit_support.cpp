#include "tests/unit_support.h"

#include <cstdlib>

CapturedOutput::CapturedOutput() { stream = open_memstream(&buf, &size); }
CapturedOutput::~CapturedOutput() {
  if (stream) std::fclose(stream);
  std::free(buf);
}
std::string CapturedOutput::text() {
  std::fflush(stream);
  return std::string(buf ? buf : "", size);
}
