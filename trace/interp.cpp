// The record loop and the -i file reader.
#include "trace/interp.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <fcntl.h>

#include "control/diag.h"
#include "control/settings.h"
#include "decode/ppp/ppp.h"
#include "decode/wan/wan.h"
#include "monitor/monitor.h"
#include "platform/filetime.h"
#include "trace/adapter_dispatch.h"
#include "trace/mask_bit.h"

static InterpState g_state;
InterpState& interpState() { return g_state; }

// Two-digit and three-digit fields written by hand: the prefix is printed
// for every record, and printf is the loop's largest cost.
static char* put2(char* p, int v) {
  *p++ = static_cast<char>('0' + v / 10 % 10);
  *p++ = static_cast<char>('0' + v % 10);
  return p;
}

static bool outsideWindow(int hour, int minute) {
  const Settings& s = g_settings;
  if (hour < s.timeStartHour || (hour == s.timeStartHour && minute < s.timeStartMinute)) return true;
  if (hour > s.timeEndHour || (hour == s.timeEndHour && minute > s.timeEndMinute)) return true;
  return false;
}

static void checkSequence(FILE* out, uint32_t s) {
  uint32_t last = g_state.lastSequence;
  if (last > s)
    std::fprintf(out, "Marlog: sequence mismatch %ld / %ld\n", asLong32(last), asLong32(s));
  else if (last + 1 < s)
    std::fprintf(out, "==> missing sequence %ld - %ld\n", asLong32(last + 1), asLong32(s - 1));
  g_state.lastSequence = s;
}

// Prints the time field; false when the time window filters the record.
static bool printTime(FILE* out, const DebugRecord& rec) {
  char buf[32];
  if (rec.timeHigh != 0) {
    uint64_t ft = (static_cast<uint64_t>(rec.timeHigh) << 32) | rec.timeLow;
    LocalTimeOfDay t = fileTimeToLocal(ft);
    if (outsideWindow(t.hour, t.minute)) return false;
    long tod = t.hour * 3600L + t.minute * 60L + t.second;
    long prev = g_state.previousTimeOfDay;
    if (prev > 0) {
      if (tod < prev) prev -= 86400;  // the day has wrapped
      if (tod > prev + 5) std::fputs("--\n", out);
    }
    g_state.previousTimeOfDay = tod;
    char* p = buf;
    if (t.hour < 10) {
      *p++ = ' ';
      *p++ = static_cast<char>('0' + t.hour);
    } else {
      p = put2(p, t.hour);
    }
    *p++ = ':';
    p = put2(p, t.minute);
    *p++ = ':';
    p = put2(p, t.second);
    *p++ = '.';
    *p++ = static_cast<char>('0' + t.millisecond / 100);
    p = put2(p, t.millisecond % 100);
    *p++ = ' ';
    std::fwrite(buf, 1, static_cast<size_t>(p - buf), out);
  } else {
    uint32_t m = rec.timeLow;
    std::fprintf(out, "%4u:%04u:%03u ", m / 3600000u, (m / 1000u) % 3600u, m % 1000u);
  }
  return true;
}

static void dispatchRecord(FILE* out, const DebugRecord& rec, int maskBit) {
  int type = rec.messageType();
  int cls = rec.driverClass();
  int proc = rec.processor();
  if (proc >= 0 && cls != 6) {
    std::fputc('0' + proc, out);
    std::fputc(' ', out);
  }
  char letter = (type == kMsgBinary && (cls == 5 || cls == 6)) ? 'B' : classLetter(maskBit);
  std::fprintf(out, "%c %2d ", letter, rec.driverId);
  ByteView p = rec.view();
  switch (type) {
    case kMsgText:
      std::fwrite(p.data, 1, p.strLen(0), out);
      std::fputc('\n', out);
      break;
    case kMsgFlags:
      std::fprintf(out, "active debug flags 0x%08lX\n", static_cast<unsigned long>(p.le32(0)));
      break;
    case kMsgWan:
      wanDecodeRecord(out, rec);
      break;
    case kMsgBinary:
      if (rec.driverId == 12 || cls == 5)
        adapterRecordDispatch(out, rec, g_settings.compactBChannel);
      else if (cls == 6)
        class6RecordDispatch(out, rec);
      else if (cls == 14)
        printBinaryRecord(out, rec);
      else
        pppDecodeRecord(out, rec);
      break;
    default:
      std::fprintf(out, "unknown message type 0x%lx, fatal happens !\n", static_cast<unsigned long>(type));
      break;
  }
}

void recordLoop(uint8_t* buf, size_t& count) {
  FILE* out = stdout;
  static uint8_t scratch[kMaxRecordSize];
  size_t pos = 0;
  size_t remain = count;
  while (remain >= kRecordHeaderSize) {
    const uint8_t* at = buf + pos;
    ByteView head(at, remain);
    bool current = head.le16(10) == kFormatMarker;
    uint64_t length;
    bool corrupt;
    uint16_t driverId;
    if (current) {
      uint32_t n = head.le16(8);
      length = recordLength(n);
      corrupt = n > kMaxPayload;
      driverId = head.le16(12);
    } else {
      uint32_t n = head.le32(8);
      length = oldRecordLength(n);
      corrupt = n > kMaxOldPayload;
      driverId = head.le16(0);
    }
    if (corrupt) {
      std::fflush(out);
      printDiagnostic("corrupted input, msg_id %ld / size %ld\n", asLong32(driverId),
                      asLong32(static_cast<unsigned long>(length)));
      terminate(1);
    }
    if (remain < length) break;
    if (!current) {
      recordConvertOld(at, scratch);
      at = scratch;
    }
    pos += length;
    remain -= length;

    DebugRecord rec = recordFromBytes(at);
    int cls = rec.driverClass();
    if (cls == 0 || cls > 32) {
      std::fflush(out);
      printDiagnostic("corrupted input, msgType %04x\n", rec.typeWord);
      continue;
    }
    int maskBit = recordMaskBit(rec);
    int type = rec.messageType();
    if (type != kMsgText && type != kMsgFlags) checkSequence(out, rec.sequence);

    const Settings& s = g_settings;
    int proc = rec.processor();
    if (s.processorFilter >= 0 && proc >= 0 && proc != s.processorFilter) continue;
    if (s.driverId != kNoDriver && s.driverId != rec.driverId) continue;
    if (!(s.debugMask & (1u << maskBit))) continue;
    if (!printTime(out, rec)) continue;
    dispatchRecord(out, rec, maskBit);
  }
  std::fflush(out);
  if (remain && pos) std::memmove(buf, buf + pos, remain);
  count = remain;
}

void interpretFile(const char* name) {
  int fd = 0;
  if (name) {
    fd = ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      printDiagnostic("fopen(%s) ==> %ld\n", name, static_cast<long>(errno));
      return;
    }
  }
  // Standard input is binary on this platform; nothing to switch.
  size_t capacity = g_settings.bufferSize;
  uint8_t* buf = static_cast<uint8_t*>(std::malloc(capacity));
  if (!buf) {
    printDiagnostic("queAlloc() returns %ld\n", static_cast<long>(errno));
    if (name) ::close(fd);
    return;
  }
  size_t kept = 0;
  for (;;) {
    ssize_t got = ::read(fd, buf + kept, capacity - kept);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // end of input or error; a partial last record is dropped
    size_t count = kept + static_cast<size_t>(got);
    if (g_settings.monitor)
      monitorRecords(name, buf, count);
    else
      recordLoop(buf, count);
    kept = count;
  }
  std::free(buf);
  if (name) ::close(fd);
}
