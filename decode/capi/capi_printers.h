// Message printers of the CAPI commands, called with the subcommand byte and
// the parameter list checked against the command's format (field 0 is the
// addressing parameter). Each acts only on the subcommands it decodes.
#pragma once

#include <cstdint>
#include <cstdio>

#include "decode/capi/capi_params.h"
#include "decode/capi/capi_subcommand.h"

using CapiPrinter = void (*)(uint8_t subcommand, const CapiParam* params, FILE* out);

void capiPrintAlert(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintConnect(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintConnectActive(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintDisconnect(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintListen(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintInfo(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintSelectBProtocol(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintConnectB3(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintConnectB3Active(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintDisconnectB3(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintDataB3(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintResetB3(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintPortability(uint8_t subcommand, const CapiParam* params, FILE* out);
void capiPrintManufacturer(uint8_t subcommand, const CapiParam* params, FILE* out);
