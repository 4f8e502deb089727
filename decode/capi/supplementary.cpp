// The supplementary-services facility (selector 3): common head, requests,
// confirmations and responses. Indications are in supplementary_ind.cpp.
#include "decode/capi/supplementary.h"

#include "decode/capi/capi_subcommand.h"
#include "decode/capi/supplementary_tables.h"

void suppWrong(FILE* out, const char* format) {
  std::fprintf(out, "        --> wrong format! (expected %s)\n", format);
}

void suppNumber(FILE* out, const char* label, const CapiParam& f, int extra) {
  static constexpr CapiShow kShows[] = {CapiShow::number0, CapiShow::number1, CapiShow::number2};
  capiPrintStructLine(out, label, f.bytes, kShows[extra]);
}

void suppBytes(FILE* out, const char* label, const CapiParam& f) {
  capiPrintStructLine(out, label, f.bytes, CapiShow::hex);
}

void suppQuoted(FILE* out, const char* label, const CapiParam& f) {
  std::fprintf(out, "%s (0x%lx): ", label, static_cast<unsigned long>(f.bytes.size));
  if (f.bytes.empty()) return;
  std::fputc('\'', out);
  for (size_t i = 0; i < f.bytes.size; ++i) std::fputc(static_cast<char>(f.bytes.u8(i)), out);
  std::fputc('\'', out);
}

void suppCfType(FILE* out, const char* indent, uint16_t type) {
  std::fprintf(out, "%sCall-Forwarding type: 0x%x ", indent, type);
  capiPrintFlags16(kSuppCfType, type, out);
}

static void handle(FILE* out, const CapiParam& f) {
  std::fprintf(out, "        Handle: 0x%lx\n", static_cast<unsigned long>(f.dword()));
}

// CF activate, deactivate and interrogate parameters: the shorter format's
// lines, then the one more number of the longer format when it fits.
static void printCfRequest(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[kSuppParams];
  const char* shortFormat = function == 9 ? "dwwsss" : "dwws";
  const char* longFormat = function == 9 ? "dwwssss" : "dwwss";
  if (!capiParseParams(p, shortFormat, f)) {
    suppWrong(out, function == 9 ? "dwwsss or dwwssss" : "dwws or dwwss");
    return;
  }
  handle(out, f[0]);
  suppCfType(out, "        ", f[1].word());
  std::fprintf(out, "\n        Basic Service: 0x%x\n", f[2].word());
  suppNumber(out, "        Served User Number:", f[3], 2);
  if (function == 9) {
    suppNumber(out, "\n        Forwarded-to-Number:", f[4], 2);
    suppNumber(out, "\n        Forwarded-to-Subaddress:", f[5], 0);
  }
  std::fputc('\n', out);
  if (!capiParseParams(p, longFormat, f)) return;
  const char* label = function == 9    ? "        Activating User Number:"
                      : function == 10 ? "        Deactivating User Number:"
                                       : "        Interrogating User Number:";
  suppNumber(out, label, f[function == 9 ? 6 : 4], 2);
  std::fputc('\n', out);
}

static void printRequest(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[kSuppParams];
  switch (function) {
    case 1:
      if (!capiParseParams(p, "d", f)) return suppWrong(out, "d");
      std::fprintf(out, "        Notification mask: 0x%lx ", static_cast<unsigned long>(f[0].dword()));
      capiPrintFlags32(kSuppNotificationMask, f[0].dword(), out);
      std::fputc('\n', out);
      return;
    case 4:
    case 5:
      if (!capiParseParams(p, "s", f)) return suppWrong(out, "s");
      suppNumber(out, "        Call Identity:", f[0], 0);
      std::fputc('\n', out);
      return;
    case 6:
    case 7:
    case 8:
    case 24:
      if (!capiParseParams(p, "d", f)) return suppWrong(out, "d");
      std::fprintf(out, "        PLCI: 0x%08lx\n", static_cast<unsigned long>(f[0].dword()));
      return;
    case 9:
    case 10:
    case 11:
      return printCfRequest(out, function, p);
    case 12:
      if (!capiParseParams(p, "d", f)) return suppWrong(out, "d");
      return handle(out, f[0]);
    case 13:
      if (!capiParseParams(p, "wss", f)) return suppWrong(out, "wss");
      std::fprintf(out, "        Presentation Allowed: 0x%x ", f[0].word());
      capiPrintFlags16(kSuppPresentation, f[0].word(), out);
      suppNumber(out, "\n        Deflected-to-Number:", f[1], 2);
      suppNumber(out, "\n        Deflected-to-Subaddress:", f[2], 0);
      std::fputc('\n', out);
      return;
    case 15:
    case 21:
    case 16:
      if (!capiParseParams(p, "dw", f)) return suppWrong(out, "dw");
      handle(out, f[0]);
      std::fprintf(out, function == 16 ? "        CCBS Reference: 0x%x\n" : "        CCBS Call Linkage ID: 0x%x\n",
                   f[1].word());
      return;
    case 17:
    case 22:
      if (!capiParseParams(p, "dws", f)) return suppWrong(out, "dw");
      handle(out, f[0]);
      std::fprintf(out, "        CCBS Reference: 0x%x\n", f[1].word());
      suppNumber(out, "        Served User Number:", f[2], 2);
      std::fputc('\n', out);
      return;
    case 18:
      if (!capiParseParams(p, "wwwsssss", f)) return;
      std::fprintf(out, "        CCBS Reference: 0x%x\n", f[0].word());
      std::fprintf(out, "        CIP Value: 0x%x\n", f[1].word());
      std::fprintf(out, "        Reserved: 0x%x\n", f[2].word());
      capiDecodeBProtocol(f[3].bytes, out, 0, kCapiBpNested);
      suppBytes(out, "        BC", f[4]);
      suppBytes(out, "\n        LLC", f[5]);
      suppBytes(out, "\n        HLC", f[6]);
      std::fputc('\n', out);
      capiDecodeAdditionalInfo(f[7].bytes, out, true);
      return;
    case 19:
      if (!capiParseParams(p, "wdwwwssss", f)) return suppWrong(out, "wdwwwssss");
      std::fprintf(out, "        Basic Service: 0x%x\n", f[0].word());
      std::fprintf(out, "        Number of Messages: 0x%lx\n", static_cast<unsigned long>(f[1].dword()));
      std::fprintf(out, "        Message Status: 0x%x\n", f[2].word());
      std::fprintf(out, "        Message Reference: 0x%x\n", f[3].word());
      std::fprintf(out, "        Invocation Mode: 0x%x\n", f[4].word());
      suppNumber(out, "        Receiving User Number:", f[5], 2);
      suppNumber(out, "\n        Controlling User Number:", f[6], 2);
      suppNumber(out, "\n        Controlling User Provided Number:", f[7], 2);
      suppQuoted(out, "\n        Time:", f[8]);
      std::fputc('\n', out);
      return;
    case 20:
      if (!capiParseParams(p, "wwss", f)) return suppWrong(out, "wwss");
      std::fprintf(out, "        Basic Service: 0x%x\n", f[0].word());
      std::fprintf(out, "        Invocation Mode: 0x%x\n", f[1].word());
      suppNumber(out, "        Receiving User Number:", f[2], 2);
      suppNumber(out, "\n        Controlling User Number:", f[3], 2);
      std::fputc('\n', out);
      return;
    case 23:
    case 25:
    case 26:
    case 27:
    case 28:
      if (!capiParseParams(p, "d", f)) return suppWrong(out, "b");
      std::fprintf(out, function == 23 ? "        Conference Size: (0x%lx): \n" : "        Party Identifier: (0x%lx): \n",
                   static_cast<unsigned long>(f[0].dword()));
      return;
    default:
      return;
  }
}

static void printConfirmation(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[4];
  if (function == 0) {
    if (!capiParseParams(p, "wd", f)) return suppWrong(out, "wd");
    std::fprintf(out, "        Info: 0x%x\n", f[0].word());
    std::fprintf(out, "        Supported Services: 0x%lx ", static_cast<unsigned long>(f[1].dword()));
    capiPrintFlags32(kSuppSupportedServices, f[1].dword(), out);
    std::fputc('\n', out);
  } else if (function >= 1 && function <= 28) {
    if (!capiParseParams(p, "w", f)) return suppWrong(out, "w");
    std::fprintf(out, "        Info: 0x%x\n", f[0].word());
  }
}

void capiDecodeSupplementary(uint8_t sub, ByteView content, FILE* out) {
  CapiParam head[3];
  if (!capiParseParams(content, "ws", head)) {
    std::fputs("      --> wrong format! (expected ws)\n", out);
    return;
  }
  uint16_t function = head[0].word();
  ByteView p = head[1].bytes;
  std::fprintf(out, "\n      Function: %s\n", capiTextOf(kSuppFunction, function));
  std::fprintf(out, "      Supplementary Service parameter (0x%lx):\n", static_cast<unsigned long>(p.size));
  if (p.empty()) return;
  switch (sub) {
    case kCapiReq: printRequest(out, function, p); break;
    case kCapiConf: printConfirmation(out, function, p); break;
    case kCapiInd: suppPrintIndication(out, function, p); break;
    case kCapiResp:
      if (function == 0x800E) {
        CapiParam f[2];
        if (capiParseParams(p, "w", f)) std::fprintf(out, "        CCBS Status Report: 0x%x\n", f[0].word());
      }
      break;
    default: break;
  }
}
