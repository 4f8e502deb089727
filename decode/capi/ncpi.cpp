// The NCPI structure, whose layout follows the B3 protocol remembered for
// its connection.
#include "decode/capi/capi_conn.h"
#include "decode/capi/capi_structs.h"

namespace {

constexpr NameEntry kFaxFormatRows[] = {
    {0, "SFF"},   {1, "Plain FAX format"}, {2, "PCX"},
    {3, "DCX"},   {4, "TIFF"},             {5, "ASCII"},
    {6, "Extended ANSI"}, {7, "Binary-File transfer"}, {8, "Native (JPEG/JBIG)"},
};
constexpr NameEntry kModemProtocolRows[] = {
    {0x1, "V.42/V.42bis"}, {0x2, "MNP4/MNP5"}, {0x4, "transparent mode"}, {0x10, "compression"}};
constexpr NameEntry kFaxOptionRows[] = {
    {0x1, "enable high resolution"},  {0x2, "faxpolling request/indication"},
    {0x4, "poll one more document"},  {0x400, "JPEG connection"},
    {0x800, "JBIG connection"},       {0x1000, "JBIG progr. used"},
    {0x2000, "MR compression used"},  {0x4000, "MMR compression used"},
    {0x8000, "not an ECM connection"},
};
const CapiValueTable kModemProtocol = capiTable16(kModemProtocolRows, "reserved");
const CapiValueTable kFaxOptions = capiTable16(kFaxOptionRows, "reserved");

unsigned long len(const ByteView& v) { return static_cast<unsigned long>(v.size); }

}  // namespace

const CapiValueTable kCapiFaxFormat = capiTable16(kFaxFormatRows, "unknown value");

void capiDecodeNcpi(uint32_t addressing, ByteView content, FILE* out) {
  std::fprintf(out, "    NCPI (0x%lx): ", len(content));
  if (content.empty()) {
    std::fputc('\n', out);
    return;
  }
  unsigned b3 = capiConnB3Protocol(addressing);
  CapiParam f[8];
  switch (b3) {
    case 2:
    case 3:
      if (!capiParseParams(content, "bbbr", f)) {
        std::fputs("        --> wrong format! (expected bbbl)\n", out);
        break;
      }
      std::fputs(f[0].byte() ? "\n      D-Bit: on\n" : "      D-Bit: off\n", out);
      std::fprintf(out, "      PVC group number: 0x%x\n", f[1].byte());
      std::fprintf(out, "      PVC number: 0x%x\n", f[2].byte());
      std::fprintf(out, "      Bytes following id field (0x%lx): ", len(f[3].bytes));
      capiPrintHex(f[3].bytes, out);
      std::fputc('\n', out);
      break;
    case 4:
    case 5:
      if (!capiParseParams(content, "wwwws", f)) {
        std::fputs("        --> wrong format! (expected wwwws)\n", out);
        break;
      }
      std::fprintf(out, "\n        Rate: %d\n", f[0].word());
      if (b3 == 4) {
        std::fprintf(out, "        Resolution: 0x%x\n", f[1].word());
      } else {
        std::fprintf(out, "        Options: 0x%x ", f[1].word());
        capiPrintFlags16(kFaxOptions, f[1].word(), out);
        std::fputc('\n', out);
      }
      std::fprintf(out, "        Format: 0x%x (%s)\n", f[2].word(), capiTextOf(kCapiFaxFormat, f[2].word()));
      std::fprintf(out, "        Pages: %d\n", f[3].word());
      std::fprintf(out, "        Receive ID (0x%lx): ", len(f[4].bytes));
      if (!f[4].bytes.empty()) {
        std::fputc('\'', out);
        for (size_t i = 0; i < f[4].bytes.size; ++i) std::fputc(static_cast<char>(f[4].bytes.u8(i)), out);
        std::fputc('\'', out);
      }
      std::fputc('\n', out);
      break;
    case 7:
      if (!capiParseParams(content, "ww", f)) {
        std::fputs("        --> wrong format! (expected ww)\n", out);
        break;
      }
      std::fprintf(out, "\n        Rate: %d\n", f[0].word());
      std::fprintf(out, "        Protocol: 0x%x ", f[1].word());
      capiPrintFlags16(kModemProtocol, f[1].word(), out);
      std::fputc('\n', out);
      break;
    default:
      capiPrintHex(content, out);
      std::fputc('\n', out);
      break;
  }
}
