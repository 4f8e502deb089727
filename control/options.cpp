#include "control/options.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/driver.h"

static const char kUsage[] =
    "usage: Marlog  -l\n"
    "  or   Marlog  -d <driver_id> -m [<debug_mask>]\n"
    "  or   Marlog  -p [-o <output_file>] [-r <tag>] [-s <ms>] [-w <kb>]\n"
    "  or   Marlog  -i [<debug_file>] [-proc <proc_id>]\n"
    "  or   Marlog  -a [<crashdump_file>] [-o <output_file>]\n"
    "  or   Marlog  -moni [-s <ms>]\n"
    "purpose: interpret debugs from maintenance driver\n"
    "options:\n"
    " -a    - analyse NT crashdump, extract last debug buffer contents\n"
    " -l    - list driver_id / version of currently registered drivers\n"
    " -wmp  - address the WAN miniport driver (qvwan.sys)\n"
    " -capi - address the (optional) CAPI driver (capi20.sys)\n"
    " -d    - specify driver to debug / for configuration\n"
    " -m    - get/set debugmask for driver <driver_id>\n"
    " -p    - poll debug driver continuously\n"
    " -o    - file for raw debug data output (gets suffix .3)\n"
    " -r    - interactively insert remarks preceeded by <tag>\n"
    " -s    - milliseconds for periodically buffer flush\n"
    " -w    - wraparound size limit for <output_file> in kilobyte\n"
    " -i    - interpret raw debug data from <debug_file> or 'stdin'\n"
    " -proc - select only processor <proc_id> for interpreted output\n"
    " -moni - monitor WAN miniport line activities in a console window\n"
    " -stop - to stop all running instances of marlog\n";

void printUsage() { std::fputs(kUsage, stderr); }

uint32_t toUnsigned32(const char* text) {
  // strtoul of a 32-bit platform: a negative number wraps, overflow gives
  // the largest value.
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  bool negative = *p == '-';
  unsigned long long v = std::strtoull(text, nullptr, 0);
  if (negative) {
    unsigned long long mag = std::strtoull(p + 1, nullptr, 0);
    if (mag > 0xFFFFFFFFull) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(0u - static_cast<uint32_t>(mag));
  }
  return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
}

long toSigned32(const char* text) {
  long long v = std::strtoll(text, nullptr, 0);
  if (v > 0x7FFFFFFFLL) return 0x7FFFFFFFL;
  if (v < -0x80000000LL) return -0x7FFFFFFFL - 1;
  return static_cast<long>(v);
}

// Hours (and minutes when a ':' follows) of one bound; parts out of range
// keep their previous value. Values accumulate in 16 bits.
static void parseTime(const char* t, uint16_t& hour, uint16_t& minute) {
  uint16_t h = 0;
  while (std::isdigit(static_cast<unsigned char>(*t))) h = static_cast<uint16_t>(h * 10 + (*t++ - '0'));
  if (h <= 23) hour = h;
  if (*t == ':') {
    ++t;
    uint16_t m = 0;
    while (std::isdigit(static_cast<unsigned char>(*t))) m = static_cast<uint16_t>(m * 10 + (*t++ - '0'));
    if (m <= 59) minute = m;
  }
}

void parseTimeWindow(const char* value, Settings& s) {
  const char* dash = std::strchr(value, '-');
  if (dash && (dash == value || dash[1] != 0)) {
    char start[64];
    size_t n = static_cast<size_t>(dash - value);
    if (n >= sizeof start) n = sizeof start - 1;
    std::memcpy(start, value, n);
    start[n] = 0;
    parseTime(start, s.timeStartHour, s.timeStartMinute);
    parseTime(dash + 1, s.timeEndHour, s.timeEndMinute);
  } else {
    parseTime(value, s.timeStartHour, s.timeStartMinute);
  }
}

// Case-insensitive test whether text begins with word.
static bool startsWith(const char* text, const char* word) {
  for (; *word; ++text, ++word)
    if (std::tolower(static_cast<unsigned char>(*text)) != *word) return false;
  return true;
}

// On this platform only "-" introduces an option: absolute paths begin with
// "/" and must be usable as values.
static bool isOption(const char* arg) { return arg[0] == '-'; }

ParseResult parseOptions(int argc, char** argv, Settings& s, ModeCounts& counts) {
  for (int k = 1; k < argc; ++k) {
    const char* arg = argv[k];
    if (!isOption(arg)) return ParseResult::kUsage;
    const char* rest = arg + 1;
    // The value of an option that takes one: the next argument, unless it is
    // missing or an option itself.
    auto takeValue = [&]() -> const char* {
      if (k + 1 < argc && !isOption(argv[k + 1])) return argv[++k];
      return nullptr;
    };
    const char* v = nullptr;
    switch (std::tolower(static_cast<unsigned char>(rest[0]))) {
      case 'a':
        ++counts.a;
        if ((v = takeValue())) s.crashDumpFile = v;
        break;
      case 'b':
        if ((v = takeValue())) {
          uint32_t n = toUnsigned32(v);
          s.extraCopies = n > 7 ? 7 : n;
        }
        break;
      case 'c':
        if (startsWith(rest + 1, "api")) {
          static const char* const prefixes[] = {"CAPI20:", "QVCAPI:"};
          selectDriverByName(prefixes, 2);
        } else {
          s.compactBChannel = true;
        }
        break;
      case 'd':
        if ((v = takeValue())) s.driverId = static_cast<uint16_t>(toUnsigned32(v));
        break;
      case 'i':
        ++counts.i;
        if ((v = takeValue())) s.inputFile = v;
        break;
      case 'l':
        ++counts.l;
        break;
      case 'm':
        if (startsWith(rest + 1, "oni")) {
          ++s.monitor;
          s.period = 100;
        } else {
          ++counts.m;
          if ((v = takeValue())) s.debugMask = toUnsigned32(v) & 0x7FFFFFFFu;
        }
        break;
      case 'o':
        if ((v = takeValue())) s.rawOutputFile = v;
        break;
      case 'p':
        if (startsWith(rest + 1, "roc")) {
          if ((v = takeValue())) {
            long n = toSigned32(v);
            if (n < 0 || n > 7) {
              std::fputs("processor argument out of range, ignored", stderr);
              s.processorFilter = -1;
            } else {
              s.processorFilter = static_cast<int>(n);
            }
          }
        } else {
          ++counts.p;
        }
        break;
      case 'q':
        s.facilityDecoding = true;
        break;
      case 'r':
        if ((v = takeValue())) s.remarksTag = v;
        break;
      case 's':
        if ((v = takeValue())) {
          uint32_t n = toUnsigned32(v);
          s.period = n < 100 ? 100 : n;
        }
        break;
      case 't':
        if (startsWith(rest + 1, "ime")) {
          // -time takes any next argument that is not empty ("-10:30" too).
          if (k + 1 < argc && argv[k + 1][0] != 0) parseTimeWindow(argv[++k], s);
        } else if ((v = takeValue())) {
          uint32_t n = toUnsigned32(v);
          s.copyThreshold = n < 256 ? 256 : (n > 0x400000 ? 0x400000 : n);
        }
        break;
      case 'w':
        if (startsWith(rest + 1, "mp")) {
          static const char* const prefixes[] = {"QVWAN:"};
          selectDriverByName(prefixes, 1);
        } else if ((v = takeValue())) {
          uint32_t kb = toUnsigned32(v);
          kb = kb < 128 ? 128 : (kb > 0x40000 ? 0x40000 : kb);
          s.wrapLimit = kb * 1024u;
        }
        break;
      default:
        return ParseResult::kUsage;
    }
  }
  return ParseResult::kOk;
}
