// CAPI 1.1 messages put (130) and got (131): the message follows the code
// word: total length, application id, command, subcommand, message number,
// then the parameters, which are dumped.
#include <cstdio>

#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_codes.h"
#include "decode/adapter/xlog_names.h"

namespace {

constexpr size_t kMessageOffset = 2;
constexpr size_t kParamsOffset = 8;  // within the message
constexpr int kParamIndent = 46;

}  // namespace

void xlogPrintCapi11(FILE* out, ByteView e) {
  ByteView msg = e.sub(kMessageOffset);
  unsigned total = msg.le16(0);
  std::fprintf(out, e.le16(0) == 130 ? "CAPI11_PUT(%03d) " : "CAPI11_GET(%03d) ", static_cast<int>(total));
  std::fprintf(out, "APPL %04x ", msg.le16(2));
  std::fprintf(out, "%04x:", msg.le16(6));
  unsigned command = msg.u8(4), subcommand = msg.u8(5);
  if (const char* name = xlogCapi11CommandName(command))
    std::fprintf(out, "%s ", name);
  else
    std::fprintf(out, "CMD(%x) ", command);
  if (const char* name = xlogCapi11SubcommandName(subcommand))
    std::fputs(name, out);
  else
    std::fprintf(out, "SUB(%x)", subcommand);
  std::fprintf(out, "\n%*s", kParamIndent, "");
  if (total > kParamsOffset) {
    bool cut = false;
    size_t n = xlogBoundedCount(msg, kParamsOffset, total - kParamsOffset, &cut);
    xlogPrintHexRun(out, msg.sub(kParamsOffset, n));
    if (cut) std::fputs(kXlogLengthError, out);
  }
}
