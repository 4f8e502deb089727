// Arbitrary bytes as one Facility information element (from its length
// byte) into the ROSE decoder, with the text going to /dev/null.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "decode/facility/rose.h"

static FILE* g_out = nullptr;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_out = std::fopen("/dev/null", "w");
  if (!g_out) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A heap copy of exactly the input, so that ASan sees any read past it.
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(size ? size : 1));
  if (size) std::memcpy(copy, data, size);
  roseDecodeFacility(g_out, ByteView(copy, size));
  std::free(copy);
  return 0;
}
