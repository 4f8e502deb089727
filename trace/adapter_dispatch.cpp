// Placeholder until the adapter record dispatch lands: dumps the payload.
#include "trace/adapter_dispatch.h"

#include "trace/hexdump.h"

void adapterRecordDispatch(FILE* out, const DebugRecord& rec, bool) {
  std::fprintf(out, "%d bytes", rec.length);
  hexDumpBlock(out, rec.payload, rec.length);
  std::fputc('\n', out);
}

void class6RecordDispatch(FILE* out, const DebugRecord& rec) { adapterRecordDispatch(out, rec, true); }
