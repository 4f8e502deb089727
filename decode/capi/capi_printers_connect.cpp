// Printers of the call-control messages: ALERT, CONNECT, CONNECT_ACTIVE,
// DISCONNECT, LISTEN and SELECT_B_PROTOCOL.
#include "decode/capi/capi_conn.h"
#include "decode/capi/capi_printers.h"
#include "decode/capi/capi_structs.h"
#include "decode/capi/capi_texts.h"

void capiPrintAlert(uint8_t subcommand, const CapiParam* p, FILE* out) {
  if (subcommand == kCapiReq) capiDecodeAdditionalInfo(p[1].bytes, out, false);
  else if (subcommand == kCapiConf) capiPrintInfoLine(out, p[1].word());
}

void capiPrintConnect(uint8_t subcommand, const CapiParam* p, FILE* out) {
  uint32_t addressing = p[0].dword();
  switch (subcommand) {
    case kCapiReq:
    case kCapiInd: {
      uint16_t cip = p[1].word();
      std::fprintf(out, "    CIP value: %d (%s)\n", cip, capiTextOf(kCapiCipValues, cip));
      capiPrintStructLine(out, "    Called Party Number", p[2].bytes, CapiShow::number0);
      capiPrintStructLine(out, "\n    Calling Party Number", p[3].bytes, CapiShow::number1);
      capiPrintStructLine(out, "\n    Called Party Subaddress", p[4].bytes, CapiShow::number0);
      capiPrintStructLine(out, "\n    Calling Party Subaddress", p[5].bytes, CapiShow::number0);
      std::fputc('\n', out);
      // The request carries the B protocol in front of BC; the indication has none.
      size_t f = 6;
      if (subcommand == kCapiReq) capiDecodeBProtocol(p[f++].bytes, out, addressing, kCapiBpRemember);
      capiPrintStructLine(out, "    BC", p[f].bytes, CapiShow::hex);
      capiPrintStructLine(out, "\n    LLC", p[f + 1].bytes, CapiShow::hex);
      capiPrintStructLine(out, "\n    HLC", p[f + 2].bytes, CapiShow::hex);
      std::fputc('\n', out);
      capiDecodeAdditionalInfo(p[f + 3].bytes, out, false);
      break;
    }
    case kCapiConf:
      capiPrintInfoLine(out, p[1].word());
      capiConnBind(addressing);
      break;
    case kCapiResp:
      std::fprintf(out, "    Reject: %s\n", capiTextOf(kCapiReject, p[1].word()));
      capiDecodeBProtocol(p[2].bytes, out, addressing, kCapiBpRemember);
      capiPrintStructLine(out, "    Connected Number", p[3].bytes, CapiShow::number1);
      capiPrintStructLine(out, "\n    Connected Subaddress", p[4].bytes, CapiShow::number0);
      capiPrintStructLine(out, "\n    LLC", p[5].bytes, CapiShow::hex);
      std::fputc('\n', out);
      capiDecodeAdditionalInfo(p[6].bytes, out, false);
      break;
    default: break;
  }
}

void capiPrintConnectActive(uint8_t subcommand, const CapiParam* p, FILE* out) {
  if (subcommand != kCapiInd) return;
  capiPrintStructLine(out, "    Connected Number", p[1].bytes, CapiShow::number1);
  capiPrintStructLine(out, "\n    Connected Subaddress", p[2].bytes, CapiShow::number0);
  capiPrintStructLine(out, "\n    LLC", p[3].bytes, CapiShow::hex);
  std::fputc('\n', out);
}

void capiPrintDisconnect(uint8_t subcommand, const CapiParam* p, FILE* out) {
  switch (subcommand) {
    case kCapiReq: capiDecodeAdditionalInfo(p[1].bytes, out, false); break;
    case kCapiConf: capiPrintInfoLine(out, p[1].word()); break;
    case kCapiInd:
      std::fprintf(out, "    Reason: %s\n", capiPrintReason(p[1].word()));
      capiConnRelease(p[0].dword());
      break;
    default: break;
  }
}

void capiPrintListen(uint8_t subcommand, const CapiParam* p, FILE* out) {
  if (subcommand == kCapiConf) {
    capiPrintInfoLine(out, p[1].word());
    return;
  }
  if (subcommand != kCapiReq) return;
  uint32_t infoMask = p[1].dword(), cipMask = p[2].dword(), cipMask2 = p[3].dword();
  std::fprintf(out, "    Info mask: 0x%lx ", static_cast<unsigned long>(infoMask));
  capiPrintFlags32(kCapiInfoMask, infoMask, out);
  std::fprintf(out, "\n    CIP mask: 0x%lx ", static_cast<unsigned long>(cipMask));
  if (cipMask)
    capiPrintFlags32(kCapiCipMask, cipMask, out);
  else
    std::fputs("(signalling of incoming calls disabled)", out);
  std::fprintf(out, "\n    CIP mask 2: 0x%lx ", static_cast<unsigned long>(cipMask2));
  capiPrintFlags32(kCapiCipMask2, cipMask2, out);
  capiPrintStructLine(out, "\n    Calling Party Number", p[4].bytes, CapiShow::number1);
  capiPrintStructLine(out, "\n    Calling Party Subaddress", p[5].bytes, CapiShow::number0);
  std::fputc('\n', out);
}

void capiPrintSelectBProtocol(uint8_t subcommand, const CapiParam* p, FILE* out) {
  if (subcommand == kCapiReq) capiDecodeBProtocol(p[1].bytes, out, p[0].dword(), kCapiBpRemember);
  else if (subcommand == kCapiConf) capiPrintInfoLine(out, p[1].word());
}
