// A CAPI trace entry: the direction line, the dump of the message and the
// decoded message.
#include "decode/adapter/xlog.h"
#include "decode/capi/capi.h"
#include "trace/hexdump.h"

namespace {
constexpr size_t kMessageOffset = 4;  // behind the code word and the length word
}

void capiDecodeTrace(FILE* out, const uint8_t* entry) {
  ByteView e(entry, kEntryCopySize);
  long total = static_cast<int16_t>(e.le16(2));
  std::fprintf(out, e.le16(0) == 0x0080 ? "CAPI20_PUT(%03ld)" : "CAPI20_GET(%03ld)", total);
  ByteView message = e.sub(kMessageOffset);
  long count = total - 2;
  // A length past the entry copy is shown and decoded only up to the copy's end.
  long shown = count < static_cast<long>(message.size) ? count : static_cast<long>(message.size);
  for (long o = 0; o < shown; o += 16)
    hexDumpLine(out, message.data + o, static_cast<unsigned>(o), shown - o);
  std::fputc('\n', out);
  if (count > shown)
    std::fprintf(out, "    - Message longer than the trace entry, %ld bytes logged!\n", shown);
  capiDecodeMessage(message, shown, out);
}
