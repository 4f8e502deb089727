// Arbitrary bytes into the record loop. The first byte selects the settings
// that change decoding (bit 0 the compact B-channel form, bit 1 facility
// decoding); the rest is raw debug data. Corrupt framing ends the program
// through terminate(), which here jumps back so that the fuzzer goes on.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "control/diag.h"
#include "control/settings.h"
#include "trace/interp.h"

static std::jmp_buf g_backToFuzzer;

[[noreturn]] static void jumpBack(int) { std::longjmp(g_backToFuzzer, 1); }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();
  setTerminateHook(jumpBack);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  g_settings.compactBChannel = (data[0] & 1) != 0;
  g_settings.facilityDecoding = (data[0] & 2) != 0;
  // A heap copy of exactly the input, so that ASan sees any read past it;
  // plain C storage, because the jump back skips destructors.
  size_t count = size - 1;
  uint8_t* volatile buf = static_cast<uint8_t*>(std::malloc(count ? count : 1));
  if (count) std::memcpy(buf, data + 1, count);
  if (setjmp(g_backToFuzzer) == 0) {
    size_t left = count;
    recordLoop(buf, left);
    if (left > count) std::abort();  // the loop may only give bytes back
  }
  std::free(buf);
  return 0;
}
