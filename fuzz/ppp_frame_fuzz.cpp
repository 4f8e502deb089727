// Arbitrary bytes as the payload of one PPP record: the frame dispatch and
// every control-protocol decoder behind it, on a heap copy of exactly the
// payload so that ASan sees any read past it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "decode/ppp/ppp.h"
#include "trace/record.h"

static FILE* g_out;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_out = std::fopen("/dev/null", "w");
  if (!g_out) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxPayload) size = kMaxPayload;
  uint8_t* buf = static_cast<uint8_t*>(std::malloc(size ? size : 1));
  if (size) std::memcpy(buf, data, size);
  DebugRecord rec;
  rec.length = static_cast<uint16_t>(size);
  rec.payload = buf;
  rec.typeWord = 0x0204;
  pppDecodeRecord(g_out, rec);
  std::free(buf);
  return 0;
}
