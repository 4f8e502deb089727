// Printers of the B3 (data connection) messages: CONNECT_B3,
// CONNECT_B3_ACTIVE, CONNECT_B3_T90_ACTIVE, DISCONNECT_B3, DATA_B3, RESET_B3.
#include "decode/capi/capi_printers.h"
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_texts.h"

void capiPrintConnectB3(uint8_t subcommand, const CapiParam* p, FILE* out) {
  switch (subcommand) {
    case kCapiReq:
    case kCapiInd: capiDecodeNcpi(p[0].dword(), p[1].bytes, out); break;
    case kCapiConf: capiPrintInfoLine(out, p[1].word()); break;
    case kCapiResp:
      std::fprintf(out, "    Reject: %s\n", capiTextOf(kCapiReject, p[1].word()));
      capiDecodeNcpi(p[0].dword(), p[2].bytes, out);
      break;
    default: break;
  }
}

void capiPrintConnectB3Active(uint8_t subcommand, const CapiParam* p, FILE* out) {
  if (subcommand == kCapiInd) capiDecodeNcpi(p[0].dword(), p[1].bytes, out);
}

void capiPrintDisconnectB3(uint8_t subcommand, const CapiParam* p, FILE* out) {
  switch (subcommand) {
    case kCapiReq: capiDecodeNcpi(p[0].dword(), p[1].bytes, out); break;
    case kCapiConf: capiPrintInfoLine(out, p[1].word()); break;
    case kCapiInd:
      std::fprintf(out, "    Reason_B3: %s\n", capiTextOf(kCapiReasonB3, p[1].word()));
      capiDecodeNcpi(p[0].dword(), p[2].bytes, out);
      break;
    default: break;
  }
}

void capiPrintDataB3(uint8_t subcommand, const CapiParam* p, FILE* out) {
  switch (subcommand) {
    case kCapiReq:
    case kCapiInd: {
      uint32_t data = p[1].dword();
      uint16_t flags = p[4].word();
      std::fprintf(out, "    Data: 0x%08lx\n", static_cast<unsigned long>(data));
      std::fprintf(out, "    Data length: %d\n", p[2].word());
      std::fprintf(out, "    Data handle: 0x%04x\n", p[3].word());
      std::fprintf(out, "    Flags: 0x%x ", flags);
      capiPrintFlags16(subcommand == kCapiReq ? kCapiDataB3ReqFlags : kCapiDataB3IndFlags, flags, out);
      std::fputc('\n', out);
      // A zero 32-bit pointer means the 64-bit pointer behind the flags is used.
      if (data == 0) {
        const ByteView& rest = p[5].bytes;
        if (rest.size >= 8)
          std::fprintf(out, "    Data64: 0x%08lx%08lx\n", static_cast<unsigned long>(rest.le32(4)),
                       static_cast<unsigned long>(rest.le32(0)));
        else
          std::fputs("      --> wrong format! (expected ddwwwq)\n", out);
      }
      break;
    }
    case kCapiConf:
      std::fprintf(out, "    Data handle: 0x%04x\n", p[1].word());
      capiPrintInfoLine(out, p[2].word());
      break;
    case kCapiResp: std::fprintf(out, "    Data handle: 0x%04x\n", p[1].word()); break;
    default: break;
  }
}

void capiPrintResetB3(uint8_t subcommand, const CapiParam* p, FILE* out) {
  if (subcommand == kCapiReq || subcommand == kCapiInd) capiDecodeNcpi(p[0].dword(), p[1].bytes, out);
  else if (subcommand == kCapiConf) capiPrintInfoLine(out, p[1].word());
}
