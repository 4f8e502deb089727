// Arbitrary bytes into the line monitor's record consumer, drawn on a
// character grid instead of the terminal. The first byte selects replay
// (bit 0: fed from a file, so the pacing runs; its pauses are not slept).
// Corrupt framing ends the program through terminate(), which here jumps
// back so that the fuzzer goes on.
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "control/diag.h"
#include "monitor/monitor.h"
#include "monitor/tests/fake_screen.h"

static std::jmp_buf g_backToFuzzer;

[[noreturn]] static void jumpBack(int) { std::longjmp(g_backToFuzzer, 1); }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setTerminateHook(jumpBack);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  resetMonitorWithFake();
  const char* file = (data[0] & 1) ? "replay.3" : nullptr;
  // A heap copy of exactly the input, so that ASan sees any read past it;
  // plain C storage, because the jump back skips destructors.
  size_t count = size - 1;
  uint8_t* volatile buf = static_cast<uint8_t*>(std::malloc(count ? count : 1));
  if (count) std::memcpy(buf, data + 1, count);
  if (setjmp(g_backToFuzzer) == 0) {
    size_t left = count;
    monitorRecords(file, buf, left);
    if (left > count) std::abort();  // the consumer may only give bytes back
  }
  std::free(buf);
  g_fakeScreen.sleeps.clear();
  return 0;
}
