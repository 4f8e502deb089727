// The line printers of the xlog decoder, one per entry family. Each prints
// the text of one entry (the view covers the whole entry copy) without the
// final newline, which the decoder adds.
#pragma once

#include <cstdio>

#include "trace/byteview.h"

// Frames and byte dumps.
void xlogPrintBChannel(FILE* out, ByteView e);   // 1, 2
void xlogPrintFrame(FILE* out, ByteView e);      // 3, 4, 12, 13
void xlogPrintSigEvent(FILE* out, ByteView e);   // 5
void xlogPrintDebugCode(FILE* out, ByteView e);  // 8

// Short status lines.
void xlogPrintL2Primitive(FILE* out, ByteView e);  // 6, 7
void xlogPrintMdlError(FILE* out, ByteView e);     // 9
void xlogPrintTaskTransfer(FILE* out, ByteView e); // 10, 11
void xlogPrintTaskMessage(FILE* out, ByteView e);  // 16
void xlogPrintIoRequest(FILE* out, ByteView e);    // 18, 19
void xlogPrintL1State(FILE* out, ByteView e);      // 20
void xlogPrintText(FILE* out, ByteView e);         // 24

// Network layer.
void xlogPrintNlIndication(FILE* out, ByteView e);  // 14
void xlogPrintNlRequest(FILE* out, ByteView e);     // 15
void xlogPrintNlReturnCode(FILE* out, ByteView e);  // 201
void xlogPrintNlNotReady(FILE* out, ByteView e);    // 202

// Segment collector.
void xlogCollectSegment(FILE* out, ByteView e);  // 21, 22

// Samples.
void xlogPrintEyeSamples(FILE* out, ByteView e);    // 23
void xlogPrintAudioSamples(FILE* out, ByteView e);  // 25

// CAPI 1.1 short form.
void xlogPrintCapi11(FILE* out, ByteView e);  // 130, 131

// OKB requests, return codes and indications.
void xlogPrintOkbRequest(FILE* out, ByteView e);     // 220
void xlogPrintOkbReturnCode(FILE* out, ByteView e);  // 221
void xlogPrintOkbIndication(FILE* out, ByteView e);  // 222

// Prints every byte of bytes as " %02X" (no limit), composed in blocks so
// that a long run costs few stream writes.
void xlogPrintHexRun(FILE* out, ByteView bytes);

// Count of the n bytes at off that lie inside the entry view e; sets *cut
// when some lie beyond it.
size_t xlogBoundedCount(ByteView e, size_t off, size_t n, bool* cut);

// Clears the segment collector (tests only).
void xlogResetCollector();

// The bounded dump of xlogDumpBytes, appended to a line being composed.
struct TextBuf;
void xlogAddDump(TextBuf& line, ByteView data, unsigned n);
