// Eye-pattern and audio samples: qualifier = channel, W1 = n, 16-bit samples
// at 4. Sample counts past the entry copy show the samples inside it.
#include <cstdio>

#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_codes.h"
#include "trace/textbuf.h"

namespace {

constexpr size_t kSamplesOffset = 4;
constexpr size_t kAudioBytesPerLine = 20;

// Hex digit of each 4-bit value with its bits reversed.
constexpr char kReversedDigits[] = "084C2A6E195D3B7F";

// "[*,*] " without a channel, "[*,%d] " with one.
void printChannelTag(FILE* out, int channel) {
  if (channel)
    std::fprintf(out, "[*,%d] ", channel);
  else
    std::fputs("[*,*] ", out);
}

}  // namespace

void xlogPrintEyeSamples(FILE* out, ByteView e) {
  bool cut = false;
  size_t n = xlogBoundedCount(e, kSamplesOffset, e.le16(2), &cut);
  printChannelTag(out, e.s8(1));
  std::fputs("EYE", out);
  // A long sample text is printed in pieces of a scratch line, so no sample
  // is lost however many the entry holds.
  FixedText<256> line;
  for (size_t i = 0; i < n; i += 2) {
    if (line.room() < 5) {
      std::fputs(line.str(), out);
      line.clear();
    }
    line.add(" %04X", e.le16(kSamplesOffset + i));
  }
  std::fputs(line.str(), out);
  if (cut) std::fputs(kXlogLengthError, out);
}

void xlogPrintAudioSamples(FILE* out, ByteView e) {
  int channel = e.s8(1);
  unsigned claimed = e.le16(2);
  if (channel)
    std::fprintf(out, "Audio%d (%03d)", channel, static_cast<int>(claimed));
  else
    std::fprintf(out, "Audio (%03d)", static_cast<int>(claimed));
  bool cut = false;
  size_t n = xlogBoundedCount(e, kSamplesOffset, claimed, &cut);
  for (size_t start = 0; start < n; start += kAudioBytesPerLine) {
    size_t end = n - start > kAudioBytesPerLine ? start + kAudioBytesPerLine : n;
    FixedText<256> line;
    for (size_t i = start; i < end; i += 2) {
      uint8_t lo = e.u8(kSamplesOffset + i), hi = e.u8(kSamplesOffset + i + 1);
      char sample[6] = {' ', kReversedDigits[hi & 15], kReversedDigits[hi >> 4],
                        kReversedDigits[lo & 15], kReversedDigits[lo >> 4], 0};
      line.addBytes(sample, 5);
    }
    std::fprintf(out, "\n  (%04d) - ", static_cast<int>(start));
    printChannelTag(out, channel);
    std::fprintf(out, "SAMPLE[]%s", line.str());
  }
  if (cut) std::fputs(kXlogLengthError, out);
}
