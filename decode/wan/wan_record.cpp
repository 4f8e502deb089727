// Placeholder until the WAN-miniport decoder lands: the text as it stands.
#include "decode/wan/wan.h"

void wanDecodeRecord(FILE* out, const DebugRecord& rec) {
  ByteView v = rec.view();
  std::fprintf(out, "%.*s\n", static_cast<int>(v.strLen(0)), reinterpret_cast<const char*>(v.data ? v.data : (const uint8_t*)""));
}
