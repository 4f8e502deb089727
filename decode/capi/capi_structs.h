// Printers of the CAPI structures with an inner layout of their own: B
// protocol, NCPI, Additional Info, and the FACILITY message's facility
// parameter with its selector decoders. Each prints one structure from its
// content (the bytes behind the length prefix); the length shown is the
// view's size.
#pragma once

#include <cstdint>
#include <cstdio>

#include "decode/capi/capi_params.h"

// Flags of capiDecodeBProtocol.
constexpr unsigned kCapiBpRemember = 1;  // record the B3 protocol in the connection table
constexpr unsigned kCapiBpNested = 2;    // inside a supplementary-service parameter

void capiDecodeBProtocol(ByteView content, FILE* out, uint32_t addressing, unsigned flags);
// The NCPI of a B3 message, decoded by the connection's remembered B3 protocol.
void capiDecodeNcpi(uint32_t addressing, ByteView content, FILE* out);
void capiDecodeAdditionalInfo(ByteView content, FILE* out, bool nested);
// Bytes a structure takes at the start of at (length prefix and content);
// the structure must have been checked to fit.
inline size_t capiStructSpan(ByteView at) {
  return at.u8(0) == 0xFF ? 3 + size_t(at.le16(1)) : 1 + size_t(at.u8(0));
}

// Fax format table, shared by the B3 configuration and the NCPI.
extern const CapiValueTable kCapiFaxFormat;

// "(...)" list of a modem B1 configuration's options word.
void capiPrintModemOptions(FILE* out, uint16_t options);

// The FACILITY message printer: params is the message's parameter list
// (REQ/IND/RESP "dws", CONF "dwws").
void capiDecodeFacility(uint8_t subcommand, const CapiParam* params, FILE* out);

// Selector decoders: each gets the facility parameter's content (never empty)
// and prints everything behind the "Facility parameter" line, final newline
// included.
void capiDecodePowerWakeup(uint8_t subcommand, FILE* out, ByteView content);
void capiDecodeLineInterconnect(uint8_t subcommand, ByteView content, FILE* out);
void capiDecodeEchoCanceller(uint8_t subcommand, ByteView content, FILE* out);
void capiDecodeSupplementary(uint8_t subcommand, ByteView content, FILE* out);
