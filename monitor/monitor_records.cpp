// The monitor's record consumer: takes the place of the record loop under
// -moni and feeds the WAN miniport's texts to the line table.
#include <cstring>

#include "control/diag.h"
#include "monitor/line_model.h"
#include "monitor/monitor.h"
#include "monitor/screen.h"
#include "platform/filetime.h"
#include "trace/record.h"
#include "trace/textbuf.h"

namespace {

constexpr long kMaxReplayPauseMs = 2000;
constexpr long kMinReplayPauseMs = 100;

// Shows a record's time as the clock and, in a replay, waits as long as the
// recording did since the last record, but never more than 2 seconds.
void paceAndShowClock(const DebugRecord& rec) {
  LineMonitor& m = lineMonitor();
  uint64_t ft = (static_cast<uint64_t>(rec.timeHigh) << 32) | rec.timeLow;
  LocalTimeOfDay t = fileTimeToLocal(ft);
  showClock(&t);
  if (!m.fedFromFile) return;
  long ms = ((t.hour * 60L + t.minute) * 60L + t.second) * 1000L + t.millisecond;
  long prev = m.previousReplayMs;
  if (prev != 0 && ms >= prev && ms - prev > kMinReplayPauseMs) {
    long pause = ms - prev < kMaxReplayPauseMs ? ms - prev : kMaxReplayPauseMs;
    screenOps().flush();  // what the records so far did is seen during the pause
    screenOps().sleepMs(static_cast<unsigned>(pause));
  }
  m.previousReplayMs = ms;
}

void actOnRecord(const DebugRecord& rec) {
  LineMonitor& m = lineMonitor();
  int cls = rec.driverClass();
  if (cls < 1 || cls > 32) {
    printDiagnostic("corrupted input, msgType %04x\n", rec.typeWord);
    return;
  }
  int type = rec.messageType();
  if (type == kMsgText || type == kMsgFlags) return;
  if (m.expectedSequence > rec.sequence) return;  // already seen
  uint32_t next = m.expectedSequence + 1;
  m.expectedSequence = next > rec.sequence ? next : rec.sequence;
  if (type != kMsgWan) return;

  // The payload need not end with a zero byte; one inside it ends the text.
  ByteView v = rec.view();
  FixedText<kMaxPayload + 1> text;
  if (size_t n = v.strLen(0)) text.addBytes(reinterpret_cast<const char*>(v.data), n);
  switch (cls) {
    case 1:
      if (rec.timeHigh != 0) paceAndShowClock(rec);
      monitorLinePhrase(text.str());
      break;
    case 9:
      monitorPortCount(text.str());
      break;
    case 19:
      monitorModemPhrase(text.str());
      break;
    default:
      break;
  }
}

}  // namespace

void monitorRecords(const char* file, uint8_t* buf, size_t& count) {
  LineMonitor& m = lineMonitor();
  if (!m.consoleReady) {
    consoleSetup();
    drawFrame();
  }
  m.fedFromFile = file != nullptr;
  if (!file) showClock(nullptr);

  size_t pos = 0;
  size_t left = count;
  while (left >= kRecordHeaderSize) {
    ByteView head(buf + pos, kRecordHeaderSize);
    if (head.le16(10) != kFormatMarker) {
      printDiagnostic("cannot accept old style debug messages\n");
      terminate(1);
    }
    DebugRecord rec = recordFromBytes(buf + pos);
    size_t length = recordLength(rec.length);
    if (length > kMaxRecordSize) {
      printDiagnostic("corrupted input, size %ld\n", asLong32(length));
      terminate(1);
    }
    if (left < length) break;
    pos += length;
    left -= length;
    actOnRecord(rec);
  }
  if (left && pos) std::memmove(buf, buf + pos, left);
  count = left;
  screenOps().flush();
}
