// Arbitrary bytes as the payload of one adapter record and of one class-6
// record. The first byte picks the compact B-channel form (bit 0); the
// collector and register area keep their state from input to input, as they
// do from record to record.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "trace/adapter_dispatch.h"

static FILE* g_sink = nullptr;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_sink = std::fopen("/dev/null", "w");
  if (!g_sink) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size - 1 > 0xFFFF) return 0;
  bool compact = (data[0] & 1) != 0;
  // A heap copy of exactly the payload, so that ASan sees any read past it.
  size_t n = size - 1;
  uint8_t* payload = static_cast<uint8_t*>(std::malloc(n ? n : 1));
  if (n) std::memcpy(payload, data + 1, n);
  DebugRecord rec;
  rec.length = static_cast<uint16_t>(n);
  rec.payload = payload;
  adapterRecordDispatch(g_sink, rec, compact);
  class6RecordDispatch(g_sink, rec);
  std::free(payload);
  return 0;
}
