// Printers of INFO, PORTABILITY and MANUFACTURER messages.
#include "decode/capi/capi_printers.h"
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_texts.h"

namespace {

// Bits 14-15 of an INFO_IND info number: what the element holds.
enum InfoKind : unsigned { kQ931Element = 0, kCharges = 1, kNetworkEvent = 2 };

void printInfoIndication(const CapiParam* p, FILE* out) {
  uint16_t number = p[1].word();
  unsigned kind = number >> 14;
  uint8_t low = number & 0xFF;
  std::fprintf(out, "    Info number: 0x%04x ", number);
  switch (kind) {
    case kQ931Element:
      std::fputs("(Q.931 info element)\n", out);
      std::fprintf(out, "    Information type: 0x%x (%s)\n", low, capiTextOf(kCapiInfoElements, low));
      break;
    case kCharges:
      std::fputs(low ? "(charges in national currency)\n" : "(charges in charging units)\n", out);
      break;
    case kNetworkEvent:
      std::fputs("(Q.931 network event)\n", out);
      std::fprintf(out, "      Event: 0x%x (%s)\n", low, capiTextOf(kCapiNetworkEvents, low));
      break;
    default: break;
  }
  const ByteView& element = p[2].bytes;
  std::fprintf(out, "    Info element (0x%lx): ", static_cast<unsigned long>(element.size));
  if (!element.empty()) {
    // A charge element shorter than four bytes shows the bytes it has.
    if (kind == kCharges)
      std::fprintf(out, "%ld units", static_cast<long>(static_cast<int32_t>(element.le32(0))));
    else
      capiPrintHex(element, out);
  }
  std::fputc('\n', out);
}

}  // namespace

void capiPrintInfo(uint8_t subcommand, const CapiParam* p, FILE* out) {
  switch (subcommand) {
    case kCapiReq:
      capiPrintStructLine(out, "    Called Party Number", p[1].bytes, CapiShow::number0);
      std::fputc('\n', out);
      capiDecodeAdditionalInfo(p[2].bytes, out, false);
      break;
    case kCapiConf: capiPrintInfoLine(out, p[1].word()); break;
    case kCapiInd: printInfoIndication(p, out); break;
    default: break;
  }
}

void capiPrintPortability(uint8_t subcommand, const CapiParam* p, FILE* out) {
  switch (subcommand) {
    case kCapiReq:
      std::fprintf(out, "    Portability selector: %s\n", capiTextOf(kCapiPortability, p[1].word()));
      capiPrintStructLine(out, "    Call Identity", p[2].bytes, CapiShow::chars);
      std::fputc('\n', out);
      break;
    case kCapiConf: capiPrintInfoLine(out, p[1].word()); break;
    case kCapiInd: {
      uint16_t info = p[1].word();
      std::fputs("    Info: ", out);
      if (info == 0)
        std::fputs("accepted\n", out);
      else if ((info >> 8) == 0x34)
        std::fprintf(out, "0x%04x (%s)\n", info, capiCauseText(info));
      else
        std::fprintf(out, "0x%04x\n", info);
      std::fprintf(out, "    Portability selector: %s\n", capiTextOf(kCapiPortability, p[2].word()));
      break;
    }
    default: break;
  }
}

void capiPrintManufacturer(uint8_t, const CapiParam* p, FILE* out) {
  std::fprintf(out, "    Manu ID: 0x%08lx\n", static_cast<unsigned long>(p[1].dword()));
  capiPrintStructLine(out, "    Manufacturer specific", p[2].bytes, CapiShow::hex);
  std::fputc('\n', out);
}
