// Supplementary-service indications and notifications, with their element
// lists.
#include "decode/capi/supplementary.h"
#include "decode/capi/supplementary_tables.h"

namespace {

void reason(FILE* out, const CapiParam& f) { std::fprintf(out, "        Reason: 0x%x\n", f.word()); }

// A "wd" parameter: the reason, then the dword on a line of its own;
// failure names its own format text.
void printReasonDword(FILE* out, ByteView p, const char* failure, const char* label, bool eightDigits) {
  CapiParam f[3];
  if (!capiParseParams(p, "wd", f)) return suppWrong(out, failure);
  reason(out, f[0]);
  unsigned long v = f[1].dword();
  if (eightDigits)
    std::fprintf(out, "        %s: 0x%08lx\n", label, v);
  else
    std::fprintf(out, "        %s: 0x%lx\n", label, v);
}

// Walks a list of elements, each a length octet L and L content octets. An
// element whose length runs past the list is given the octets that remain.
template <typename Print>
void walkList(ByteView list, Print print) {
  size_t off = 0;
  while (off < list.size) {
    size_t n = list.u8(off);
    print(list.sub(off + 1, n));
    off += n + 1;
  }
}

void printCfInstance(FILE* out, ByteView e) {
  CapiParam f[8];
  if (!capiParseParams(e, "wwsss", f)) {
    std::fputs("          --> wrong format! (expected wwsss or wwsssw)\n", out);
    return;
  }
  suppCfType(out, "          ", f[0].word());
  std::fprintf(out, "\n          Basic Service: 0x%x\n", f[1].word());
  suppNumber(out, "          Served User Number:", f[2], 2);
  suppNumber(out, "\n          Forwarded-to-Number:", f[3], 2);
  suppNumber(out, "\n          Forwarded-to-Subaddress:", f[4], 0);
  std::fputc('\n', out);
  if (capiParseParams(e, "wwsssw", f)) std::fprintf(out, "          Remote Enabled: 0x%x\n", f[5].word());
}

void printCcbsInstance(FILE* out, ByteView e) {
  CapiParam f[9];
  if (!capiParseParams(e, "wwssssss", f)) {
    std::fputs("          --> wrong format! (expected wwssssss)\n", out);
    return;
  }
  std::fprintf(out, "          CCBS Reference: 0x%x\n", f[0].word());
  std::fprintf(out, "          CIP Value: 0x%x\n", f[1].word());
  suppBytes(out, "          BC", f[2]);
  suppBytes(out, "\n          LLC", f[3]);
  suppBytes(out, "\n          HLC", f[4]);
  suppNumber(out, "\n          Address of B-party:", f[5], 2);
  suppNumber(out, "\n          Subaddress of B-party:", f[6], 0);
  suppNumber(out, "\n          Subaddress of A-party:", f[7], 0);
  std::fputc('\n', out);
}

// CCBS status, remote user free, B-free and erase notifications share their
// lines; the erase notification has one word more.
void printCcbsNotification(FILE* out, uint16_t function, ByteView p) {
  static const char* const kFormats[] = {"wwwsssss", "wwwsssssss", "wwwsssssss", "wwwwsssssss"};
  CapiParam f[kSuppParams];
  if (!capiParseParams(p, kFormats[function - 0x800E], f)) return;
  size_t i = 0;
  std::fprintf(out, "        CCBS Recall Mode: 0x%x\n", f[i++].word());
  std::fprintf(out, "        CCBS Reference: 0x%x\n", f[i++].word());
  if (function == 0x8011) std::fprintf(out, "        CCBS Erase Reason: 0x%x\n", f[i++].word());
  std::fprintf(out, "        CIP Value: 0x%x\n", f[i++].word());
  suppBytes(out, "        BC", f[i++]);
  suppBytes(out, "\n        LLC", f[i++]);
  suppBytes(out, "\n        HLC", f[i++]);
  suppNumber(out, "\n        Called Party Number", f[i++], 0);
  suppNumber(out, "\n        Called Party Subaddress", f[i++], 0);
  if (function != 0x800E) {
    suppNumber(out, "\n        Address of B-party", f[i++], 2);
    suppNumber(out, "\n        Subaddress of B-party", f[i++], 2);
  }
  std::fputc('\n', out);
}

// The called party number of an MWI indication: the leading octets up to the
// one with bit 8 set, then the digits. Without such an octet every octet is a
// leading one and no digits follow.
void printMwiCalledNumber(FILE* out, ByteView n) {
  std::fprintf(out, "\n        Called Party Number (0x%lx): ", static_cast<unsigned long>(n.size));
  if (n.empty()) {
    std::fputc('\n', out);
    return;
  }
  size_t i = 0;
  while (i < n.size) {
    uint8_t octet = n.u8(i++);
    std::fprintf(out, " %02x", octet);
    if (octet & 0x80) break;
  }
  std::fputs(" '", out);
  for (; i < n.size; ++i) std::fputc(static_cast<char>(n.u8(i)), out);
  std::fputs("'\n", out);
}

}  // namespace

void suppPrintIndication(FILE* out, uint16_t function, ByteView p) {
  CapiParam f[kSuppParams];
  switch (function) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 13: case 14:
    case 18: case 19: case 20: case 26: case 27: case 28:
      if (!capiParseParams(p, "w", f)) return suppWrong(out, "w");
      return reason(out, f[0]);
    case 9:
    case 10:
    case 16:
      return printReasonDword(out, p, "wd", "Handle", false);
    case 11:
    case 12:
      if (!capiParseParams(p, "wds", f)) return suppWrong(out, "wds");
      reason(out, f[0]);
      std::fprintf(out, "        Handle: 0x%lx\n", static_cast<unsigned long>(f[1].dword()));
      std::fprintf(out, function == 11 ? "        Instances: (0x%lx):\n" : "        Served User Numbers: (0x%lx):\n",
                   static_cast<unsigned long>(f[2].bytes.size));
      if (function == 11) {
        walkList(f[2].bytes, [out](ByteView e) { printCfInstance(out, e); });
      } else {
        walkList(f[2].bytes, [out](ByteView e) {
          std::fputs("          ", out);
          capiPrintNumber(e, out, 2);
          std::fputc('\n', out);
        });
      }
      return;
    case 15:
    case 21:
      if (!capiParseParams(p, "wdww", f)) return suppWrong(out, "wdww");
      reason(out, f[0]);
      std::fprintf(out, "        Handle: 0x%08lx\n", static_cast<unsigned long>(f[1].dword()));
      std::fprintf(out, "        CCBS Recall Mode: 0x%x\n", f[2].word());
      std::fprintf(out, "        Reference: 0x%x\n", f[3].word());
      return;
    case 17:
    case 22:
      if (!capiParseParams(p, "wdws", f)) return suppWrong(out, "wdws");
      reason(out, f[0]);
      std::fprintf(out, "        Handle: 0x%08lx\n", static_cast<unsigned long>(f[1].dword()));
      std::fprintf(out, "        CCBS Recall Mode: 0x%x\n", f[2].word());
      std::fprintf(out, "        CCBS Instances: (0x%lx):\n", static_cast<unsigned long>(f[3].bytes.size));
      walkList(f[3].bytes, [out](ByteView e) { printCcbsInstance(out, e); });
      return;
    case 23:
    case 24:
      return printReasonDword(out, p, "wb", "Party Identifier", false);
    case 25:
      return printReasonDword(out, p, "wd", "PLCI", true);
    case 0x8006:
      if (!capiParseParams(p, "wwsss", f)) return suppWrong(out, "wwsss");
      suppCfType(out, "        ", f[0].word());
      std::fprintf(out, "\n        Basic Service: 0x%x\n", f[1].word());
      suppNumber(out, "        Served User Number:", f[2], 2);
      suppNumber(out, "\n        Forwarded-to-Number:", f[3], 2);
      suppNumber(out, "\n        Forwarded-to-Subaddress:", f[4], 0);
      std::fputc('\n', out);
      return;
    case 0x8007:
      if (!capiParseParams(p, "wws", f)) return suppWrong(out, "wws");
      suppCfType(out, "        ", f[0].word());
      std::fprintf(out, "\n        Basic Service: 0x%x\n", f[1].word());
      suppNumber(out, "        Served User Number:", f[2], 2);
      std::fputc('\n', out);
      return;
    case 0x8008:
      if (!capiParseParams(p, "wwwsssss", f)) return suppWrong(out, "wwwsssss");
      std::fprintf(out, "        Basic Service: 0x%x\n", f[0].word());
      std::fprintf(out, "        Diversion reason: 0x%x ", f[1].word());
      capiPrintFlags16(kSuppDiversionReason, f[1].word(), out);
      std::fprintf(out, "        Last divertiing reason: 0x%x ", f[2].word());
      capiPrintFlags16(kSuppDiversionReason, f[2].word(), out);
      suppNumber(out, "        Served User Subaddress:", f[3], 0);
      suppNumber(out, "\n        Calling Number:", f[4], 2);
      suppNumber(out, "\n        Calling Subaddress:", f[5], 0);
      suppNumber(out, "\n        Original called number:", f[6], 2);
      suppNumber(out, "\n        Last diverting number:", f[7], 2);
      std::fputc('\n', out);
      return;
    case 0x800D:
      if (!capiParseParams(p, "wss", f)) return;
      std::fprintf(out, "        CCBS Call Linkage ID: 0x%x\n", f[0].word());
      suppNumber(out, "        Called Party Number", f[1], 0);
      suppNumber(out, "\n        Called Party Subaddress:", f[2], 0);
      std::fputc('\n', out);
      return;
    case 0x800E:
    case 0x800F:
    case 0x8010:
    case 0x8011:
      return printCcbsNotification(out, function, p);
    case 0x8012:
      if (capiParseParams(p, "w", f)) std::fprintf(out, "        CCBS Reference: 0x%x\n", f[0].word());
      return;
    case 0x8013:
    case 0x8015:
      if (capiParseParams(p, "w", f)) std::fprintf(out, "        CCBS Call Linkage ID: 0x%x\n", f[0].word());
      return;
    case 0x8014:
      if (!capiParseParams(p, "wdwwsss", f)) return suppWrong(out, "wdwwsss");
      std::fprintf(out, "        Basic Service: 0x%x\n", f[0].word());
      std::fprintf(out, "        Number of Messages: 0x%lx\n", static_cast<unsigned long>(f[1].dword()));
      std::fprintf(out, "        Message Status: 0x%x\n", f[2].word());
      std::fprintf(out, "        Message Reference: 0x%x\n", f[3].word());
      suppNumber(out, "        Controlling User Number:", f[4], 2);
      suppNumber(out, "\n        Controlling User Provided Number:", f[5], 2);
      suppQuoted(out, "\n        Time:", f[6]);
      if (capiParseParams(p, "wdwwssss", f))
        printMwiCalledNumber(out, f[7].bytes);
      else
        std::fputc('\n', out);
      return;
    case 0x8016:
      if (!capiParseParams(p, "d", f)) return suppWrong(out, "b");
      std::fprintf(out, "        Party Identifier: 0x%lx\n", static_cast<unsigned long>(f[0].dword()));
      return;
    case 0x8017:
      if (!capiParseParams(p, "d", f)) return suppWrong(out, "b");
      std::fprintf(out, "        Notification Identifier: 0x%lx\n", static_cast<unsigned long>(f[0].dword()));
      return;
    default:
      return;
  }
}
