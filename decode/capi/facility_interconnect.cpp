// Line interconnect parameters of the FACILITY message.
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_subcommand.h"
#include "decode/capi/capi_texts.h"
#include "control/diag.h"

namespace {

constexpr NameEntry kFunctionRows[] = {{0, "Get Supported Services"}, {1, "Connect"}, {2, "Disconnect"}};
constexpr NameEntry kReasonShortRows[] = {
    {0, "User initiated"},
    {0x3805, "Line no longer available"},
    {0x3806, "Interconnect not established"},
    {0x3807, "Lines not compatible"},
};
constexpr NameEntry kReasonLongRows[] = {
    {0, "User initiated"},
    {0x3800, "PLCI has no B-channel"},
    {0x3801, "Lines not compatible"},
    {0x3802, "PLCI's are not in any or same interconnection"},
};
constexpr NameEntry kServicesShortRows[] = {
    {0x1, "Interconnect"}, {0x2, "Monitoring"}, {0x4, "Announcements"}, {0x8, "Mixing"},
    {0x10, "Cross controller"},
};
constexpr NameEntry kServicesLongRows[] = {
    {0x1, "Cross controller"}, {0x2, "Asymetric connects"}, {0x4, "Monitoring"},
    {0x8, "Mixing"},           {0x10, "Remote monitoring"}, {0x20, "Remote mixing"},
    {0x40, "Line loop"},       {0x80, "Data loop"},         {0x100, "X loop"},
};
constexpr NameEntry kConnectMaskRows[] = {
    {0x1, "Conf. A->B"},      {0x2, "Conf. B->A"},      {0x4, "Monitor A"}, {0x8, "Monitor B"},
    {0x10, "Announcement A"}, {0x20, "Announcement B"}, {0x40, "Mix A"},    {0x80, "Mix B"},
};
constexpr NameEntry kMainMaskRows[] = {
    {0x1, "-"},         {0x2, "-"},       {0x4, "Monitor A"}, {0x8, "Mix A"},   {0x10, "Monitor X"},
    {0x20, "Mix X"},    {0x40, "Loop A"}, {0x80, "Loop data"}, {0x100, "Loop X"},
};
constexpr NameEntry kParticipantMaskRows[] = {
    {0x1, "Conn. A->B"}, {0x2, "Conn. B->A"}, {0x4, "Monitor B"}, {0x8, "Mix B"},    {0x10, "Monitor X"},
    {0x20, "Mix X"},     {0x40, "Loop B"},    {0x80, "Loop data"}, {0x100, "Loop X"},
};
const CapiValueTable kFunction = capiTable16(kFunctionRows, "reserved");
const CapiValueTable kReasonShort = capiTable16(kReasonShortRows, "unknown value");
const CapiValueTable kReasonLong = capiTable16(kReasonLongRows, "unknown value");
const CapiValueTable kServicesShort = capiTable32(kServicesShortRows, "unknown value");
const CapiValueTable kServicesLong = capiTable32(kServicesLongRows, "unknown value");
const CapiValueTable kConnectMask = capiTable32(kConnectMaskRows, "unknown value");
const CapiValueTable kMainMask = capiTable32(kMainMaskRows, "unknown value");
const CapiValueTable kParticipantMask = capiTable32(kParticipantMaskRows, "unknown value");

void wrong(FILE* out, const char* format) {
  std::fprintf(out, "        --> wrong format! (expected %s)\n", format);
}
void printPlci(FILE* out, const char* indent, uint32_t plci) {
  std::fprintf(out, "%sPLCI: 0x%08lx\n", indent, static_cast<unsigned long>(plci));
}
void printInfo(FILE* out, const char* indent, uint16_t info) {
  std::fprintf(out, "%sInfo: 0x%04x (%s)\n", indent, info, capiTextOf(kCapiInfo, info));
}
void printMask(FILE* out, const char* indent, const CapiValueTable& table, uint32_t mask) {
  std::fprintf(out, "%sMask: 0x%08lx ", indent, static_cast<unsigned long>(mask));
  capiPrintFlags32(table, mask, out);
  std::fputc('\n', out);
}

// A participant list: structures of elementFormat ("dd", "d" or "dw").
void printParticipants(FILE* out, ByteView list, const char* elementFormat) {
  static const char kIndent[] = "          ";
  size_t off = 0;
  while (off < list.size) {
    CapiParam s[2];
    ByteView rest = list.sub(off);
    if (!capiParseParams(rest, "s", s)) {
      wrong(out, "s");
      return;
    }
    CapiParam e[3];
    if (!capiParseParams(s[0].bytes, elementFormat, e)) {
      wrong(out, elementFormat);
    } else {
      printPlci(out, kIndent, e[0].dword());
      if (elementFormat[1] == 'd') printMask(out, kIndent, kParticipantMask, e[1].dword());
      if (elementFormat[1] == 'w') printInfo(out, kIndent, e[1].word());
    }
    off += capiStructSpan(rest);
  }
}

const char kI8[] = "        ";

void printRequest(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[4];
  if (function == 1) {
    if (p.size == 8) {
      if (!capiParseParams(p, "dd", f)) return wrong(out, "dd");
      printPlci(out, kI8, f[0].dword());
      printMask(out, kI8, kConnectMask, f[1].dword());
    } else {
      if (!capiParseParams(p, "ds", f)) return wrong(out, "ds");
      printMask(out, kI8, kMainMask, f[0].dword());
      printParticipants(out, f[1].bytes, "dd");
    }
  } else if (function == 2) {
    if (p.size == 4) {
      if (!capiParseParams(p, "d", f)) return wrong(out, "d");
      printPlci(out, kI8, f[0].dword());
    } else {
      if (!capiParseParams(p, "s", f)) return wrong(out, "s");
      printParticipants(out, f[0].bytes, "d");
    }
  }
}

void printConfirmation(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[8];
  if (function == 0) {
    if (p.size == 14) {
      if (!capiParseParams(p, "wddd", f)) return wrong(out, "wddd");
      printInfo(out, kI8, f[0].word());
      std::fprintf(out, "        Supported Services: 0x%08lx ", static_cast<unsigned long>(f[1].dword()));
      capiPrintFlags32(kServicesShort, f[1].dword(), out);
      std::fprintf(out, "\n        Supported Interconnects: %ld\n", asLong32(f[2].dword()));
      std::fprintf(out, "        Supported Branches: %ld\n", asLong32(f[3].dword()));
    } else {
      if (!capiParseParams(p, "wddddd", f)) return wrong(out, "wddddd");
      printInfo(out, kI8, f[0].word());
      std::fprintf(out, "        Supported Services: 0x%08lx ", static_cast<unsigned long>(f[1].dword()));
      capiPrintFlags32(kServicesLong, f[1].dword(), out);
      std::fprintf(out, "\n        Supported Interconnects (Ctlr.): %ld\n", asLong32(f[2].dword()));
      std::fprintf(out, "        Supported Branches (Ctlr.): %ld\n", asLong32(f[3].dword()));
      std::fprintf(out, "        Supported Interconnects (Total): %ld\n", asLong32(f[4].dword()));
      std::fprintf(out, "        Supported Branches (Total): %ld\n", asLong32(f[5].dword()));
    }
  } else if (function == 1 || function == 2) {
    if (p.size == 6) {
      if (!capiParseParams(p, "dw", f)) return wrong(out, "dw");
      printPlci(out, kI8, f[0].dword());
      printInfo(out, kI8, f[1].word());
    } else {
      if (!capiParseParams(p, "ws", f)) return wrong(out, "ws");
      printInfo(out, kI8, f[0].word());
      printParticipants(out, f[1].bytes, "dw");
    }
  }
}

void printIndication(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[4];
  if (function == 1) {
    if (!capiParseParams(p, "d", f)) return wrong(out, "d");
    printPlci(out, kI8, f[0].dword());
  } else if (function == 2) {
    if (p.size == 2) {
      if (!capiParseParams(p, "w", f)) return wrong(out, "w");
      std::fprintf(out, "        Reason: 0x%04x (%s)\n", f[0].word(), capiTextOf(kReasonShort, f[0].word()));
    } else {
      if (!capiParseParams(p, "dw", f)) return wrong(out, "dw");
      printPlci(out, kI8, f[0].dword());
      std::fprintf(out, "        Reason: 0x%04x (%s)\n", f[1].word(), capiTextOf(kReasonLong, f[1].word()));
    }
  }
}

}  // namespace

void capiDecodeLineInterconnect(uint8_t sub, ByteView content, FILE* out) {
  CapiParam f[3];
  if (!capiParseParams(content, "ws", f)) {
    std::fputs("      --> wrong format! (expected ws)\n", out);
    return;
  }
  uint16_t function = f[0].word();
  ByteView p = f[1].bytes;
  std::fprintf(out, "\n      Function: %s\n", capiTextOf(kFunction, function));
  std::fprintf(out, "      Line Interconnect parameter (0x%lx):\n", static_cast<unsigned long>(p.size));
  if (p.empty()) return;
  if (sub == kCapiReq)
    printRequest(out, function, p);
  else if (sub == kCapiConf)
    printConfirmation(out, function, p);
  else if (sub == kCapiInd)
    printIndication(out, function, p);
}
