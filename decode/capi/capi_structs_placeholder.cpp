// Placeholder until the B protocol, NCPI, Additional Info and FACILITY
// decoders land: each shows its structure's header line and raw bytes.
#include "decode/capi/capi_conn.h"
#include "decode/capi/capi_structs.h"

void capiDecodeBProtocol(ByteView content, FILE* out, uint32_t addressing, unsigned flags) {
  const char* prefix = (flags & kCapiBpNested) ? "    " : "";
  std::fprintf(out, "%s    B protocol (0x%lx):\n", prefix, static_cast<unsigned long>(content.size));
  unsigned b3 = 0;
  if (!content.empty()) {
    std::fprintf(out, "%s      ", prefix);
    capiPrintHex(content, out);
    std::fputc('\n', out);
    CapiParam f[kCapiMaxParams];
    if (capiParseParams(content, "wwwsssr", f)) b3 = f[2].word();
  }
  if (flags & kCapiBpRemember) capiConnRememberB3(addressing, b3);
}

void capiDecodeNcpi(uint32_t, ByteView content, FILE* out) {
  std::fprintf(out, "    NCPI (0x%lx): ", static_cast<unsigned long>(content.size));
  capiPrintHex(content, out);
  std::fputc('\n', out);
}

void capiDecodeAdditionalInfo(ByteView content, FILE* out, bool nested) {
  const char* prefix = nested ? "    " : "";
  std::fprintf(out, "%s    Additional Info (0x%lx):\n", prefix, static_cast<unsigned long>(content.size));
  if (content.empty()) return;
  std::fprintf(out, "%s      ", prefix);
  capiPrintHex(content, out);
  std::fputc('\n', out);
}

void capiPrintModemOptions(FILE* out, uint16_t options) { std::fprintf(out, "(0x%x)", options); }

void capiDecodeFacility(uint8_t subcommand, const CapiParam* params, FILE* out) {
  if ((subcommand & 0xFC) != 0x80) return;
  const CapiParam& parameter = params[subcommand == 0x81 ? 3 : 2];
  std::fprintf(out, "    Facility parameter (0x%lx): ", static_cast<unsigned long>(parameter.bytes.size));
  capiPrintHex(parameter.bytes, out);
  std::fputc('\n', out);
}

void capiDecodePowerWakeup(uint8_t, FILE* out, ByteView content) { capiPrintHex(content, out), std::fputc('\n', out); }
void capiDecodeLineInterconnect(uint8_t, ByteView content, FILE* out) { capiPrintHex(content, out), std::fputc('\n', out); }
void capiDecodeEchoCanceller(uint8_t, ByteView content, FILE* out) { capiPrintHex(content, out), std::fputc('\n', out); }
void capiDecodeSupplementary(uint8_t, ByteView content, FILE* out) { capiPrintHex(content, out), std::fputc('\n', out); }
