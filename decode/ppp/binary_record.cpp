#include "decode/ppp/ppp.h"
#include "trace/hexdump.h"

void printBinaryRecord(FILE* out, const DebugRecord& rec) {
  std::fprintf(out, "%d bytes", rec.length);
  hexDumpBlock(out, rec.payload, rec.length);
  std::fputc('\n', out);
}
