// The CAPI message header, the command table with every message's parameter
// formats, and the check of a message's parameters against its format.
#include "decode/capi/capi.h"
#include "decode/capi/capi_conn.h"
#include "decode/capi/capi_params.h"
#include "decode/capi/capi_printers.h"
#include "decode/capi/capi_structs.h"

namespace {

struct CapiCommand {
  uint8_t code;
  const char* name;
  const char* format[4];  // REQ, CONF, IND, RESP (low four bits of the subcommand)
  CapiPrinter printer;
};

constexpr CapiCommand kCommands[] = {
    {0x01, "ALERT", {"ds", "dw", "", ""}, capiPrintAlert},
    {0x02, "CONNECT", {"dwsssssssss", "dw", "dwssssssss", "dwsssss"}, capiPrintConnect},
    {0x03, "CONNECT_ACTIVE", {"", "", "dsss", "d"}, capiPrintConnectActive},
    {0x04, "DISCONNECT", {"ds", "dw", "dw", "d"}, capiPrintDisconnect},
    {0x05, "LISTEN", {"ddddss", "dw", "", ""}, capiPrintListen},
    {0x08, "INFO", {"dss", "dw", "dws", "d"}, capiPrintInfo},
    {0x41, "SELECT_B_PROTOCOL", {"ds", "dw", "", ""}, capiPrintSelectBProtocol},
    {0x80, "FACILITY", {"dws", "dwws", "dws", "dws"}, capiDecodeFacility},
    {0x82, "CONNECT_B3", {"ds", "dw", "ds", "dws"}, capiPrintConnectB3},
    {0x83, "CONNECT_B3_ACTIVE", {"", "", "ds", "d"}, capiPrintConnectB3Active},
    {0x84, "DISCONNECT_B3", {"ds", "dw", "dws", "d"}, capiPrintDisconnectB3},
    {0x86, "DATA_B3", {"ddwwwr", "dww", "ddwwwr", "dw"}, capiPrintDataB3},
    {0x87, "RESET_B3", {"ds", "dw", "ds", "d"}, capiPrintResetB3},
    {0x88, "CONNECT_B3_T90_ACTIVE", {"", "", "ds", "d"}, capiPrintConnectB3Active},
    {0xD4, "PORTABILITY", {"dws", "dw", "dww", "d"}, capiPrintPortability},
    {0xFF, "MANUFACTURER", {"ddr", "ddr", "ddr", "ddr"}, capiPrintManufacturer},
};

constexpr NameEntry kSubcommandRows[] = {
    {kCapiReq, "REQ"},
    {kCapiConf, "CONF"},
    {kCapiInd, "IND"},
    {kCapiResp, "RESP"},
};
// No default text: an unknown subcommand shows the header in numbers.
constexpr CapiValueTable kSubcommands = capiTable16(kSubcommandRows, nullptr);

const CapiCommand* findCommand(uint8_t code) {
  for (const CapiCommand& c : kCommands)
    if (c.code == code) return &c;
  return nullptr;
}

constexpr long kHeaderSize = 6;

}  // namespace

void capiDecodeMessage(ByteView message, long count, FILE* out) {
  if (count < kHeaderSize) {
    std::fputs("    - Bad Message (length < header)!\n", out);
    return;
  }
  uint8_t command = message.u8(2), subcommand = message.u8(3);
  const CapiCommand* cmd = findCommand(command);
  const char* sub = capiTextOf(kSubcommands, subcommand);
  char header[32];
  if (cmd && sub)
    std::snprintf(header, sizeof header, "%s %s", cmd->name, sub);
  else
    std::snprintf(header, sizeof header, "CMD 0x%02x 0x%02x", command, subcommand);
  std::fprintf(out, "  ---\n  %-24s AppID 0x%04x MsgNr 0x%04x", header, message.le16(0), message.le16(4));
  if (!cmd) {
    std::fputs("\n    --> unknown command!\n", out);
    return;
  }
  if (count - kHeaderSize < 1) {
    std::fputs("\n    - Parameters missing!\n", out);
    return;
  }
  unsigned slot = subcommand & 0x0F;
  if (slot > 3) {
    // Only REQ, CONF, IND and RESP have a format.
    std::fputs("\n    --> unknown subcommand!\n", out);
    return;
  }
  const char* format = cmd->format[slot];
  CapiParam params[kCapiMaxParams];
  ByteView bytes = message.sub(static_cast<size_t>(kHeaderSize), static_cast<size_t>(count - kHeaderSize));
  if (!capiParseParams(bytes, format, params)) {
    std::fprintf(out, "\n    --> wrong message format! (expected %s)\n", format);
    return;
  }
  if (!params[0].end) {
    uint32_t addressing = params[0].dword();
    const char* kind = (addressing & 0xFFFF0000u) ? "NCCI" : (addressing & 0xFF00u) ? "PLCI" : "CNTR";
    std::fprintf(out, " %s: 0x%08lx\n", kind, static_cast<unsigned long>(addressing));
    capiConnTouch(addressing);
  }
  cmd->printer(subcommand, params, out);
  std::fputc('\n', out);
}
