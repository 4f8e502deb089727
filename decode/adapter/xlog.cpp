// The xlog decoder: one printer per entry code, then the entry's newline.
// Codes without a line form print the newline alone.
#include "decode/adapter/xlog.h"

#include "decode/adapter/register_dump.h"
#include "decode/adapter/xlog_codes.h"

namespace {

using XlogPrinter = void (*)(FILE* out, ByteView e);

struct PrinterRow {
  uint8_t code;
  XlogPrinter print;
};

constexpr PrinterRow kPrinters[] = {
    {1, xlogPrintBChannel},       {2, xlogPrintBChannel},      {3, xlogPrintFrame},
    {4, xlogPrintFrame},          {5, xlogPrintSigEvent},      {6, xlogPrintL2Primitive},
    {7, xlogPrintL2Primitive},    {8, xlogPrintDebugCode},     {9, xlogPrintMdlError},
    {10, xlogPrintTaskTransfer},  {11, xlogPrintTaskTransfer}, {12, xlogPrintFrame},
    {13, xlogPrintFrame},         {14, xlogPrintNlIndication}, {15, xlogPrintNlRequest},
    {16, xlogPrintTaskMessage},   {18, xlogPrintIoRequest},    {19, xlogPrintIoRequest},
    {20, xlogPrintL1State},       {21, xlogCollectSegment},    {22, xlogCollectSegment},
    {23, xlogPrintEyeSamples},    {24, xlogPrintText},         {25, xlogPrintAudioSamples},
    {50, xlogRegisterDump},       {130, xlogPrintCapi11},      {131, xlogPrintCapi11},
    {201, xlogPrintNlReturnCode}, {202, xlogPrintNlNotReady},  {220, xlogPrintOkbRequest},
    {221, xlogPrintOkbReturnCode}, {222, xlogPrintOkbIndication},
};

// Printer by code, built once from the rows so that dispatch is one index.
struct PrinterIndex {
  XlogPrinter byCode[256] = {};
  constexpr PrinterIndex() {
    for (const PrinterRow& row : kPrinters) byCode[row.code] = row.print;
  }
};
constexpr PrinterIndex kPrinterIndex;

}  // namespace

void xlogDecodeEntry(FILE* out, const uint8_t* entry) {
  ByteView e(entry, kEntryCopySize);
  if (XlogPrinter print = kPrinterIndex.byCode[e.u8(0)]) print(out, e);
  std::fputc('\n', out);
}

void xlogResetState() {
  xlogResetCollector();
  xlogResetRegisters();
}
