// Power management wakeup parameters of the FACILITY message.
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_subcommand.h"

void capiDecodePowerWakeup(uint8_t sub, FILE* out, ByteView content) {
  CapiParam f[3];
  if (sub == kCapiConf) {
    if (capiParseParams(content, "w", f))
      std::fprintf(out, "\n      Accepted awake request parameters: %d\n", f[0].word());
    else
      std::fputs("        --> wrong format! (expected w)\n", out);
    return;
  }
  if (sub != kCapiReq) return;
  if (!capiParseParams(content, "w", f)) {
    std::fputs("        --> wrong format! (expected w)\n", out);
    return;
  }
  std::fprintf(out, "\n      Number of awake request parameters: %d\n", f[0].word());
  size_t off = 2;
  while (off < content.size) {
    ByteView rest = content.sub(off);
    if (!capiParseParams(rest, "sd", f)) {
      std::fputs("        --> wrong format! (expected sd)\n", out);
      return;
    }
    std::fprintf(out, "        Called Party Number (0x%lx): ", static_cast<unsigned long>(f[0].bytes.size));
    if (!f[0].bytes.empty()) capiPrintNumber(f[0].bytes, out, 0);
    uint32_t mask = f[1].dword();
    std::fprintf(out, "\n        CIP mask: 0x%lx ", static_cast<unsigned long>(mask));
    if (mask) {
      capiPrintFlags32(kCapiCipMask, mask, out);
      std::fputc('\n', out);
    } else {
      std::fputs("(signalling of incoming calls disabled)\n", out);
    }
    off += capiStructSpan(rest) + 4;
  }
}
