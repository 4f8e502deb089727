// Echo canceller parameters of the FACILITY message (selectors 6 and 8).
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_subcommand.h"
#include "decode/capi/capi_texts.h"

namespace {

constexpr NameEntry kReqFunctionRows[] = {
    {0, "Get supported services"},
    {1, "Enable line echo canceller operation"},
    {2, "Disable line echo canceller operation"},
};
constexpr NameEntry kIndFunctionRows[] = {{0, "reserved"}, {1, "Bypass indication"}};
constexpr NameEntry kSupportedOptionRows[] = {
    {0x1, "NLP"},
    {0x2, "Bypass on any 2100 Hz"},
    {0x4, "Bypass on phase reversed 2100 Hz"},
    {0x8, "Adaptive pre-delay"},
};
constexpr NameEntry kOptionRows[] = {
    {0x1, "Enable NLP"},
    {0x2, "Bypass on continuous 2100 Hz"},
    {0x4, "Bypass on phase reversed 2100 Hz"},
    {0x8, "Adaptive pre-delay"},
};
constexpr NameEntry kBypassRows[] = {
    {0, "Bypass due to continuous 2100 Hz"},
    {1, "Bypass due to phase-reversed 2100 Hz"},
    {2, "Bypass released"},
};
const CapiValueTable kReqFunction = capiTable16(kReqFunctionRows, "reserved");
const CapiValueTable kIndFunction = capiTable16(kIndFunctionRows, "reserved");
const CapiValueTable kSupportedOptions = capiTable32(kSupportedOptionRows, "unknown value");
const CapiValueTable kOptions = capiTable32(kOptionRows, "unknown value");
const CapiValueTable kBypass = capiTable16(kBypassRows, "reserved");

void printInfo(FILE* out, const CapiValueTable& table, uint16_t v) {
  std::fprintf(out, "        Info: 0x%04x (%s)\n", v, capiTextOf(table, v));
}

}  // namespace

void capiDecodeEchoCanceller(uint8_t sub, ByteView content, FILE* out) {
  CapiParam f[6];
  if (!capiParseParams(content, "ws", f)) {
    std::fputs("      --> wrong format! (expected ws)\n", out);
    return;
  }
  if (sub != kCapiReq && sub != kCapiConf && sub != kCapiInd) return;
  uint16_t function = f[0].word();
  ByteView p = f[1].bytes;
  std::fprintf(out, "\n      Function: %s\n", capiTextOf(sub == kCapiInd ? kIndFunction : kReqFunction, function));
  std::fprintf(out, "      Echo Canceller parameter (0x%lx):\n", static_cast<unsigned long>(p.size));
  if (p.empty()) return;
  if (sub == kCapiReq && function == 1) {
    if (!capiParseParams(p, "www", f)) {
      std::fputs("        --> wrong format! (expected www)\n", out);
      return;
    }
    std::fprintf(out, "        Options: 0x%04x ", f[0].word());
    capiPrintFlags32(kOptions, f[0].word(), out);
    std::fprintf(out, "\n        Tail Length: %d\n", f[1].word());
    std::fprintf(out, "        Pre-Delay Length: %d\n", f[2].word());
  } else if (sub == kCapiConf && function == 0) {
    if (!capiParseParams(p, "wwww", f)) {
      std::fputs("        --> wrong format! (expected wwww)\n", out);
      return;
    }
    printInfo(out, kCapiInfo, f[0].word());
    std::fprintf(out, "        Supported Options: 0x%04x ", f[1].word());
    capiPrintFlags32(kSupportedOptions, f[1].word(), out);
    std::fprintf(out, "\n        Supported Tail Length: %d\n", f[2].word());
    std::fprintf(out, "        Supported Pre-Delay Length: %d\n", f[3].word());
  } else if (sub == kCapiConf && (function == 1 || function == 2)) {
    if (capiParseParams(p, "w", f))
      printInfo(out, kCapiInfo, f[0].word());
    else
      std::fputs("        --> wrong format! (expected wwww)\n", out);
  } else if (sub == kCapiInd && function == 1) {
    if (capiParseParams(p, "w", f))
      printInfo(out, kBypass, f[0].word());
    else
      std::fputs("        --> wrong format! (expected w)\n", out);
  }
}
