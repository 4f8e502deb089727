// The FACILITY message: selector, parameter length, and the handset, DTMF
// and V.42 bis parameters; other selectors go to their own decoders.
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_subcommand.h"
#include "decode/capi/capi_texts.h"

namespace {

constexpr NameEntry kSelectorRows[] = {
    {0, "Handset support"},
    {1, "DTMF"},
    {2, "V.42 bis"},
    {3, "Supplementary Services"},
    {4, "Power Management Wakeup"},
    {5, "Line Interconnect"},
    {6, "Broadband Extensions/Echo Cancellation"},
    {7, "Controller Events"},
    {8, "Echo Cancellation"},
};
constexpr NameEntry kDtmfFunctionRows[] = {
    {0, "Get compression info"},      {1, "Start DTMF listen"}, {2, "Stop DTMF listen"},
    {3, "Send DTMF digits"},          {4, "Start DTMF listen, detect edges"},
};
constexpr NameEntry kDtmfInfoRows[] = {
    {0, "DTMF command initiated"}, {1, "incorrect DTMF digit"}, {2, "unknown  DTMF request"}};
const CapiValueTable kSelector = capiTable16(kSelectorRows, "reserved");
const CapiValueTable kDtmfFunction = capiTable16(kDtmfFunctionRows, "reserved");
const CapiValueTable kDtmfInfo = capiTable16(kDtmfInfoRows, "unknown value");

void printBytesLine(FILE* out, ByteView content) {
  capiPrintHex(content, out);
  std::fputc('\n', out);
}

void printDtmfRequest(FILE* out, ByteView content) {
  CapiParam f[6];
  if (capiParseParams(content, "wwwsr", f)) {
    std::fprintf(out, "\n      Function: %s\n", capiTextOf(kDtmfFunction, f[0].word()));
    std::fprintf(out, "      Tone-Duration: %d ms\n", f[1].word());
    std::fprintf(out, "      Gap-Duration: %d ms\n", f[2].word());
    std::fprintf(out, "      DTMF-Digits (0x%lx): ", static_cast<unsigned long>(f[3].bytes.size));
    capiPrintChars(f[3].bytes, out);
    std::fputc('\n', out);
    if (f[4].bytes.empty()) return;
    CapiParam s[2];
    if (!capiParseParams(f[4].bytes, "s", s)) {
      std::fputs("      --> wrong format! (expected s)\n", out);
      return;
    }
    std::fprintf(out, "      DTMF-Characteristics (0x%lx):\n", static_cast<unsigned long>(s[0].bytes.size));
    if (s[0].bytes.empty()) return;
    CapiParam w[2];
    if (capiParseParams(s[0].bytes, "w", w))
      std::fprintf(out, "        DTMF Selectivity: %d\n", w[0].word());
    else
      std::fputs("      --> wrong format! (expected w)\n", out);
    return;
  }
  if (capiParseParams(content, "w", f))
    std::fprintf(out, "\n      Function: %s\n", capiTextOf(kDtmfFunction, f[0].word()));
  else
    std::fputs("      --> wrong format! (expected wwws)\n", out);
}

void printFunctionWord(FILE* out, ByteView content) {
  CapiParam f[2];
  if (capiParseParams(content, "w", f))
    std::fprintf(out, "\n      Function: %s\n", capiTextOf(kDtmfFunction, f[0].word()));
  else
    std::fputs("      --> wrong format! (expected w)\n", out);
}

void printDtmfConfirmation(FILE* out, ByteView content) {
  CapiParam f[2];
  if (capiParseParams(content, "w", f))
    std::fprintf(out, "\n      DTMF information: %s\n", capiTextOf(kDtmfInfo, f[0].word()));
  else
    std::fputs("      --> wrong format! (expected w)\n", out);
}

void printV42Confirmation(FILE* out, ByteView content) {
  CapiParam f[10];
  if (!capiParseParams(content, "wwwwdddd", f)) {
    std::fputs("      --> wrong format! (expected wwwwdddd)\n", out);
    return;
  }
  std::fprintf(out, "\n      V.42bis info: 0x%x\n", f[0].word());
  std::fprintf(out, "      Compression mode: 0x%x\n", f[1].word());
  std::fprintf(out, "      Code words: 0x%x\n", f[2].word());
  std::fprintf(out, "      Max string length: 0x%x\n", f[3].word());
  std::fprintf(out, "      Tx total: 0x%lx\n", static_cast<unsigned long>(f[4].dword()));
  std::fprintf(out, "      Tx compressed: 0x%lx\n", static_cast<unsigned long>(f[5].dword()));
  std::fprintf(out, "      Rx total: 0x%lx\n", static_cast<unsigned long>(f[6].dword()));
  std::fprintf(out, "      Rx uncompressed: 0x%lx\n", static_cast<unsigned long>(f[7].dword()));
}

void printDigits(FILE* out, const char* label, ByteView content) {
  std::fputs(label, out);
  capiPrintChars(content, out);
  std::fputc('\n', out);
}

}  // namespace

void capiDecodeFacility(uint8_t sub, const CapiParam* params, FILE* out) {
  if (sub != kCapiReq && sub != kCapiConf && sub != kCapiInd && sub != kCapiResp) return;
  size_t at = 1;
  if (sub == kCapiConf) {
    std::fprintf(out, "    Info: %s\n", capiTextOf(kCapiInfo, params[1].word()));
    at = 2;
  }
  uint16_t selector = params[at].word();
  ByteView content = params[at + 1].bytes;
  std::fprintf(out, "    Facility selector: 0x%x %s\n", selector, capiTextOf(kSelector, selector));
  std::fprintf(out, "    Facility parameter (0x%lx): ", static_cast<unsigned long>(content.size));
  if (content.empty()) {
    std::fputc('\n', out);
    return;
  }
  if (selector == 3) {
    capiDecodeSupplementary(sub, content, out);
    return;
  }
  if (sub == kCapiResp) {
    printBytesLine(out, content);
    return;
  }
  switch (selector) {
    case 0:
      if (sub == kCapiInd)
        printDigits(out, "\n      Handset digits: ", content);
      else
        printBytesLine(out, content);
      return;
    case 1:
      if (sub == kCapiReq)
        printDtmfRequest(out, content);
      else if (sub == kCapiConf)
        printDtmfConfirmation(out, content);
      else
        printDigits(out, "\n      DTMF digits: ", content);
      return;
    case 2:
      if (sub == kCapiReq)
        printFunctionWord(out, content);
      else if (sub == kCapiConf)
        printV42Confirmation(out, content);
      else
        printBytesLine(out, content);
      return;
    case 4:
      if (sub == kCapiInd)
        printBytesLine(out, content);
      else
        capiDecodePowerWakeup(sub, out, content);
      return;
    case 5:
      capiDecodeLineInterconnect(sub, content, out);
      return;
    case 6:
    case 8:
      capiDecodeEchoCanceller(sub, content, out);
      return;
    default:
      printBytesLine(out, content);
      return;
  }
}
