// The B protocol structure: B1, B2 and B3 protocols with their
// configurations and the global configuration.
#include "decode/capi/capi_conn.h"
#include "decode/capi/capi_structs.h"

namespace {

constexpr NameEntry kB1Rows[] = {
    {0, "64 kBit/s HDLC"},          {1, "64 kBit/s transparent"},
    {2, "V.110 async start/stop"},  {3, "V.110 sync HDLC"},
    {4, "T.30"},                    {5, "64 kBit/s inverted HDLC"},
    {6, "56 kBit/s transparent"},   {7, "Modem with full negotiation"},
    {8, "Modem async start/stop"},  {9, "Modem sync HDLC"},
};
constexpr NameEntry kB2Rows[] = {
    {0, "X.75 SLP (ISO 7776)"},
    {1, "Transparent"},
    {2, "SDLC"},
    {3, "LAPD for D channel X.25"},
    {4, "T.30"},
    {5, "PPP"},
    {6, "Transparent"},
    {7, "Modem with full negotiation"},
    {8, "X.75 SLP (ISO 7776) with V.42bis"},
    {9, "V.120 async"},
    {10, "V.120 async with V.42bis"},
    {11, "V.120 bit transparent"},
    {12, "LAPD Q.921 free SAPI selection"},
};
constexpr NameEntry kB3Rows[] = {
    {0, "Transparent"}, {1, "T.90NL"},         {2, "ISO 8208 (X.25 DTE-DTE)"},
    {3, "X.25 DCE"},    {4, "T.30"},           {5, "T.30 with extensions"},
    {6, "reserved"},    {7, "Modem"},
};
constexpr NameEntry kParityRows[] = {{0, "none"}, {1, "odd"}, {2, "even"}};
constexpr NameEntry kSpeedRows[] = {
    {0, "none"}, {1, "within class of modulation"}, {2, "V.100"}, {3, "V.8"}};
constexpr NameEntry kB2ModemOptionRows[] = {
    {0x1, "disable V.42/V.42bis"},     {0x2, "disable MNP4/MNP5"},
    {0x4, "disable transparent mode"}, {0x8, "disable V.42 negotiation"},
    {0x10, "disable compression"},
};
constexpr NameEntry kB3FaxOptionRows[] = {
    {0x1, "enable high resolution"},  {0x2, "accept faxpolling requests"},
    {0x400, "enable JPEG negotiation"}, {0x800, "enable JBIG (T.43)"},
    {0x1000, "do not use JBIG progr."}, {0x2000, "do not use MR"},
    {0x4000, "do not use MMR"},        {0x8000, "do not use ECM"},
};
constexpr NameEntry kBChannelOperationRows[] = {
    {0, "default"}, {1, "DTE, originate"}, {2, "DCE, answer"}};

const CapiValueTable kB1 = capiTable16(kB1Rows, "unknown value");
const CapiValueTable kB2 = capiTable16(kB2Rows, "unknown value");
const CapiValueTable kB3 = capiTable16(kB3Rows, "unknown value");
const CapiValueTable kParity = capiTable16(kParityRows, "reserved");
const CapiValueTable kSpeed = capiTable16(kSpeedRows, "reserved");
const CapiValueTable kB2ModemOptions = capiTable16(kB2ModemOptionRows, "reserved");
const CapiValueTable kB3FaxOptions = capiTable16(kB3FaxOptionRows, "reserved");
const CapiValueTable kBChannelOperation = capiTable16(kBChannelOperationRows, "unknown value");

void printQuoted(FILE* out, ByteView v) {
  if (v.empty()) return;
  std::fputc('\'', out);
  for (size_t i = 0; i < v.size; ++i) std::fputc(static_cast<char>(v.u8(i)), out);
  std::fputc('\'', out);
}

unsigned long len(const ByteView& v) { return static_cast<unsigned long>(v.size); }

void printAsync(FILE* out, const char* P, const CapiParam* f) {
  std::fprintf(out, "\n%s        Rate: %u\n", P, f[0].word());
  std::fprintf(out, "%s        Bits/char: %d\n", P, f[1].word());
  std::fprintf(out, "%s        Parity: %s\n", P, capiTextOf(kParity, f[2].word()));
  std::fprintf(out, "%s        Stop bits: %d\n", P, f[3].word() + 1);
}

void printB1Config(FILE* out, const char* P, unsigned b1, ByteView cfg) {
  std::fprintf(out, "%s      B1 configuration (0x%lx): ", P, len(cfg));
  if (cfg.empty()) {
    std::fputc('\n', out);
    return;
  }
  CapiParam f[8];
  switch (b1) {
    case 2:
    case 3:
    case 4:
      if (!capiParseParams(cfg, "wwww", f)) {
        std::fputs("        --> wrong format! (expected wwww)\n", out);
      } else if (b1 == 2) {
        printAsync(out, P, f);
      } else {
        std::fprintf(out, "\n%s        Rate: %u\n", P, f[0].word());
        if (b1 == 4) std::fprintf(out, "%s        Transmit Level: %d\n", P, f[1].word());
      }
      break;
    case 7:
    case 8:
    case 9:
      if (!capiParseParams(cfg, "wwwwww", f)) {
        std::fputs("        --> wrong format! (expected wwwwww)\n", out);
        break;
      }
      printAsync(out, P, f);
      std::fprintf(out, "%s        Options: 0x%x ", P, f[4].word());
      capiPrintModemOptions(out, f[4].word());
      std::fprintf(out, "\n%s        Speed-Negotiation: 0x%x (%s)\n", P, f[5].word(),
                   capiTextOf(kSpeed, f[5].word()));
      break;
    default:
      capiPrintHex(cfg, out);
      std::fputc('\n', out);
      break;
  }
}

void printLinkAddresses(FILE* out, const char* P, const CapiParam* f, bool first) {
  if (first) std::fprintf(out, "\n%s        Address A: 0x%x\n", P, f[0].byte());
  std::fprintf(out, "%s        Address B: 0x%x\n", P, f[1].byte());
  std::fprintf(out, "%s        Modulo Mode: 0x%x\n", P, f[2].byte());
  std::fprintf(out, "%s        Window Size: 0x%x\n", P, f[3].byte());
}

void printB2Config(FILE* out, const char* P, unsigned b2, ByteView cfg) {
  std::fprintf(out, "%s      B2 configuration (0x%lx): ", P, len(cfg));
  if (cfg.empty()) {
    std::fputc('\n', out);
    return;
  }
  CapiParam f[8];
  switch (b2) {
    case 0: case 2: case 3: case 9: case 11: case 12:
      if (!capiParseParams(cfg, "bbbbs", f)) {
        std::fputs("        --> wrong format! (expected bbbbs)\n", out);
        break;
      }
      if (b2 == 3 || b2 == 12) {
        uint8_t tei = f[0].byte();
        std::fprintf(out, "\n%s        TEI assignment: 0x%x ", P, tei);
        if (tei & 1)
          std::fprintf(out, "(fixed value %d)\n", tei >> 1);
        else
          std::fputs("(automatic)\n", out);
        printLinkAddresses(out, P, f, false);
      } else {
        printLinkAddresses(out, P, f, true);
      }
      std::fprintf(out, "%s        XID (0x%lx): ", P, len(f[4].bytes));
      capiPrintHex(f[4].bytes, out);
      std::fputc('\n', out);
      break;
    case 7:
      if (!capiParseParams(cfg, "w", f)) {
        std::fputs("        --> wrong format! (expected w)\n", out);
        break;
      }
      std::fprintf(out, "\n%s        Options: 0x%x ", P, f[0].word());
      capiPrintFlags16(kB2ModemOptions, f[0].word(), out);
      std::fputc('\n', out);
      break;
    case 8: case 10:
      if (!capiParseParams(cfg, "bbbbwww", f)) {
        std::fputs("        --> wrong format! (expected bbbbwww)\n", out);
        break;
      }
      printLinkAddresses(out, P, f, true);
      std::fprintf(out, "\n%s        Direction: %d\n", P, f[4].word());
      std::fprintf(out, "%s        Code words: 0x%x\n", P, f[5].word());
      std::fprintf(out, "%s        Max string length: 0x%x\n", P, f[6].word());
      break;
    default:
      capiPrintHex(cfg, out);
      std::fputc('\n', out);
      break;
  }
}

void printB3Config(FILE* out, const char* P, unsigned b3, ByteView cfg) {
  std::fprintf(out, "%s      B3 configuration (0x%lx): ", P, len(cfg));
  if (cfg.empty()) {
    std::fputc('\n', out);
    return;
  }
  CapiParam f[10];
  switch (b3) {
    case 1: case 2: case 3: {
      if (!capiParseParams(cfg, "wwwwwwww", f)) {
        std::fputs("        --> wrong format! (expected wwwwwwww)\n", out);
        break;
      }
      static const char* const kLabels[] = {"LIC", "HIC", "LTC", "HTC", "LOC", "HOC",
                                            "Modulo Mode", "Window Size"};
      for (int i = 0; i < 8; ++i)
        std::fprintf(out, "%s%s        %s: 0x%x\n", i == 0 ? "\n" : "", P, kLabels[i], f[i].word());
      break;
    }
    case 4: case 5:
      if (!capiParseParams(cfg, "wwss", f)) {
        std::fputs("        --> wrong format! (expected wwss)\n", out);
        break;
      }
      if (b3 == 4) {
        std::fprintf(out, "\n%s        Resolution: 0x%x\n", P, f[0].word());
      } else {
        std::fprintf(out, "\n%s        Options: 0x%x ", P, f[0].word());
        capiPrintFlags16(kB3FaxOptions, f[0].word(), out);
        std::fputc('\n', out);
      }
      std::fprintf(out, "%s        Format: 0x%x (%s)\n", P, f[1].word(), capiTextOf(kCapiFaxFormat, f[1].word()));
      std::fprintf(out, "%s        Station ID (0x%lx): ", P, len(f[2].bytes));
      printQuoted(out, f[2].bytes);
      std::fprintf(out, "\n%s        Headline (0x%lx): ", P, len(f[3].bytes));
      printQuoted(out, f[3].bytes);
      std::fputc('\n', out);
      break;
    default:
      capiPrintHex(cfg, out);
      std::fputc('\n', out);
      break;
  }
}

void printGlobalConfig(FILE* out, const char* P, ByteView rest) {
  if (rest.empty()) return;
  CapiParam g[2];
  if (!capiParseParams(rest, "s", g)) {
    std::fprintf(out, "%s        --> wrong format! (expected s)\n", P);
    return;
  }
  std::fprintf(out, "%s      Global configuration (0x%lx): ", P, len(g[0].bytes));
  if (g[0].bytes.empty()) {
    std::fputc('\n', out);
    return;
  }
  CapiParam w[2];
  if (capiParseParams(g[0].bytes, "w", w))
    std::fprintf(out, "\n%s        B Channel Operation: %d (%s)\n", P, w[0].word(),
                 capiTextOf(kBChannelOperation, w[0].word()));
  else
    std::fputs("        --> wrong format! (expected w)\n", out);
}

}  // namespace

void capiDecodeBProtocol(ByteView content, FILE* out, uint32_t addressing, unsigned flags) {
  const char* P = (flags & kCapiBpNested) ? "    " : "";
  unsigned b3 = 0;
  std::fprintf(out, "%s    B protocol (0x%lx):\n", P, len(content));
  CapiParam f[8];
  if (content.empty()) {
    // nothing more
  } else if (!capiParseParams(content, "wwwsssr", f)) {
    std::fprintf(out, "%s      --> wrong format! (expected wwwsss)\n", P);
  } else {
    unsigned b1 = f[0].word(), b2 = f[1].word();
    b3 = f[2].word();
    std::fprintf(out, "%s      B1 protocol: %d (%s)\n", P, b1, capiTextOf(kB1, b1));
    std::fprintf(out, "%s      B2 protocol: %d (%s)\n", P, b2, capiTextOf(kB2, b2));
    std::fprintf(out, "%s      B3 protocol: %d (%s)\n", P, b3, capiTextOf(kB3, b3));
    printB1Config(out, P, b1, f[3].bytes);
    printB2Config(out, P, b2, f[4].bytes);
    printB3Config(out, P, b3, f[5].bytes);
    printGlobalConfig(out, P, f[6].bytes);
  }
  if (flags & kCapiBpRemember) capiConnRememberB3(addressing, b3);
}

void capiPrintModemOptions(FILE* out, uint16_t options) {
  static const char* const kGuard[] = {"no guard tone", "guard tone 1800 Hz", "guard tone 550 Hz", ""};
  static const char* const kSpeaker[] = {"speaker off", "speaker on while negotiation", "speaker on", ""};
  static const char* const kVolume[] = {"silent", "volume low", "volume high", "volume maximum"};
  std::fputc('(', out);
  bool any = false;
  if (options & 1) {
    std::fputs("disable retrain", out);
    any = true;
  }
  if (options & 2) {
    if (any) std::fputs(", ", out);
    std::fputs("disable calling tone", out);
    any = true;
  }
  if (any) std::fputs(", ", out);
  std::fputs(kGuard[(options >> 2) & 3], out);
  std::fputs(", ", out);
  std::fputs(kSpeaker[(options >> 4) & 3], out);
  std::fputs(", ", out);
  std::fputs(kVolume[(options >> 6) & 3], out);
  std::fputc(')', out);
}
