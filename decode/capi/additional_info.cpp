// The Additional Info structure: B channel information, keypad facility,
// user-user data, facility data array and sending complete.
#include "decode/capi/capi_structs.h"

namespace {

constexpr NameEntry kBChannelInfoRows[] = {
    {0, "use B channel"},
    {1, "use D channel"},
    {2, "use neither B channel nor D channel"},
    {3, "use channel allocation"},
    {4, "use channel identification info element"},
};
constexpr NameEntry kSendingCompleteRows[] = {
    {0, "do not add sending complete"}, {1, "add sending complete"}};
const CapiValueTable kBChannelInfo = capiTable16(kBChannelInfoRows, "unknown value");
const CapiValueTable kSendingComplete = capiTable16(kSendingCompleteRows, "reserved");

unsigned long len(const ByteView& v) { return static_cast<unsigned long>(v.size); }

void printBChannelInfo(FILE* out, const char* P, ByteView b) {
  size_t L = b.size;
  std::fprintf(out, "%s      B channel info (0x%lx): ", P, static_cast<unsigned long>(L));
  if (L == 1) {
    std::fputs("\n        --> wrong format! (expected w)", out);
    return;
  }
  if (L < 2) return;
  uint16_t channel = b.le16(0);
  std::fputs(capiTextOf(kBChannelInfo, channel), out);
  if (channel == 3) {
    if (L >= 7 && L <= 36) {
      std::fprintf(out, "\n%s        Operation: %s mode", P, b.le16(2) == 0 ? "DTE" : "DCE");
      std::fprintf(out, "\n%s        Channel mask array: ", P);
      capiPrintHex(b.sub(4), out);
    } else {
      std::fprintf(out, "\n%s        --> wrong format! (expected 7..36 bytes)", P);
    }
  } else if (channel == 4) {
    std::fprintf(out, "\n%s        Channel identification: ", P);
    capiPrintHex(b.sub(2), out);
  }
}

// Elements are shown as bytes only. One whose length runs past the array is
// shown as far as the array goes.
void printFacilityDataArray(FILE* out, const char* P, ByteView array) {
  size_t off = 0;
  while (off < array.size) {
    size_t n = array.u8(off + 1);
    ByteView element = array.sub(off, n + 2);
    std::fprintf(out, "%s        ", P);
    capiPrintHex(element, out);
    std::fputc('\n', out);
    off += n + 2;
  }
}

}  // namespace

void capiDecodeAdditionalInfo(ByteView content, FILE* out, bool nested) {
  const char* P = nested ? "    " : "";
  std::fprintf(out, "%s    Additional Info (0x%lx):\n", P, len(content));
  if (content.empty()) return;
  CapiParam f[6];
  if (!capiParseParams(content, "ssssr", f)) {
    std::fprintf(out, "%s      --> wrong format! (expected ssss)\n", P);
    return;
  }
  printBChannelInfo(out, P, f[0].bytes);
  std::fprintf(out, "\n%s      Keypad facility (0x%lx): ", P, len(f[1].bytes));
  capiPrintHex(f[1].bytes, out);
  std::fprintf(out, "\n%s      User user data (0x%lx): ", P, len(f[2].bytes));
  capiPrintHex(f[2].bytes, out);
  std::fprintf(out, "\n%s      Facility data array (0x%lx):\n", P, len(f[3].bytes));
  printFacilityDataArray(out, P, f[3].bytes);
  if (f[4].bytes.empty()) return;
  CapiParam s[2];
  if (!capiParseParams(f[4].bytes, "s", s)) {
    std::fprintf(out, "%s        --> wrong format! (expected s)\n", P);
    return;
  }
  std::fprintf(out, "%s      Sending complete (0x%lx):\n", P, len(s[0].bytes));
  CapiParam w[2];
  if (capiParseParams(s[0].bytes, "w", w))
    std::fprintf(out, "%s        Mode: %d (%s)\n", P, w[0].word(), capiTextOf(kSendingComplete, w[0].word()));
  else
    std::fprintf(out, "%s        --> wrong format! (expected w)\n", P);
}
