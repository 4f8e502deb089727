#include "tools/compose/compose_format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

enum TokenKind { kWord, kString, kBar };

struct Token {
  TokenKind kind;
  std::string text;  // the word, or the decoded bytes of a string
};

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// Decodes the quoted string starting at line[i] == '"'; i ends behind the
// closing quote.
bool scanString(const std::string& line, size_t& i, std::string& bytes, std::string& err) {
  ++i;
  while (i < line.size()) {
    char c = line[i++];
    if (c == '"') return true;
    if (c != '\\') {
      bytes += c;
      continue;
    }
    if (i >= line.size()) break;
    char e = line[i++];
    switch (e) {
      case 'n': bytes += '\n'; break;
      case 't': bytes += '\t'; break;
      case 'r': bytes += '\r'; break;
      case 'a': bytes += '\a'; break;
      case 'b': bytes += '\b'; break;
      case 'f': bytes += '\f'; break;
      case 'v': bytes += '\v'; break;
      case 'e': bytes += '\x1b'; break;
      case '\\': bytes += '\\'; break;
      case '"': bytes += '"'; break;
      case '\'': bytes += '\''; break;
      case '?': bytes += '?'; break;
      case 'x': {
        int v = 0, n = 0;
        while (n < 2 && i < line.size() && hexValue(line[i]) >= 0) v = v * 16 + hexValue(line[i++]), ++n;
        if (n == 0) {
          err = "\\x without hex digits";
          return false;
        }
        bytes += static_cast<char>(v);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          int v = e - '0', n = 1;
          while (n < 3 && i < line.size() && line[i] >= '0' && line[i] <= '7') v = v * 8 + (line[i++] - '0'), ++n;
          if (v > 0xFF) {
            err = "octal escape above \\377";
            return false;
          }
          bytes += static_cast<char>(v);
          break;
        }
        err = std::string("unknown escape \\") + e;
        return false;
    }
  }
  err = "unterminated string";
  return false;
}

// Splits one physical line into tokens; a '#' outside a string ends it, and
// a '\' at its end (before any comment) continues the statement.
bool tokenizeLine(const std::string& line, std::vector<Token>& tokens, bool& continues,
                  std::string& err) {
  continues = false;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (isBlank(c)) {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      Token t{kString, {}};
      if (!scanString(line, i, t.text, err)) return false;
      tokens.push_back(std::move(t));
    } else if (c == '|') {
      tokens.push_back({kBar, "|"});
      ++i;
    } else if (c == '\\') {
      size_t j = i + 1;
      while (j < line.size() && isBlank(line[j])) ++j;
      if (j < line.size() && line[j] != '#') {
        err = "stray '\\' (a continuation must end the line)";
        return false;
      }
      continues = true;
      break;
    } else {
      size_t j = i;
      while (j < line.size() && !isBlank(line[j]) && line[j] != '#' && line[j] != '"' &&
             line[j] != '|' && line[j] != '\\')
        ++j;
      tokens.push_back({kWord, line.substr(i, j - i)});
      i = j;
    }
  }
  return true;
}

// Decimal or 0x hexadecimal, at most max.
bool parseNumber(std::string_view s, uint64_t max, uint64_t& value) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  uint64_t v = 0;
  for (char c : s) {
    int d = hexValue(c);
    if (d < 0 || d >= base) return false;
    if (static_cast<uint64_t>(d) > max || v > (max - d) / base) return false;
    v = v * base + d;
  }
  value = v;
  return true;
}

// Exactly `digits` decimal digits.
bool parseFixedDecimal(std::string_view s, size_t digits, int& value) {
  if (s.size() != digits) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;  // days since 1970-01-01
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

bool parseDate(std::string_view s, int& y, int& m, int& d) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
  return parseFixedDecimal(s.substr(0, 4), 4, y) && parseFixedDecimal(s.substr(5, 2), 2, m) &&
         parseFixedDecimal(s.substr(8, 2), 2, d) && y >= 1601 && m >= 1 && m <= 12 && d >= 1 &&
         d <= daysInMonth(y, m);
}

// HH:MM:SS or HH:MM:SS.f with 1 to 7 fraction digits.
bool parseTimeOfDay(std::string_view s, int& h, int& mi, int& sec, uint32_t& frac) {
  if (s.size() < 8 || s[2] != ':' || s[5] != ':') return false;
  if (!parseFixedDecimal(s.substr(0, 2), 2, h) || !parseFixedDecimal(s.substr(3, 2), 2, mi) ||
      !parseFixedDecimal(s.substr(6, 2), 2, sec))
    return false;
  frac = 0;
  if (s.size() > 8) {
    std::string_view f = s.substr(9);
    if (s[8] != '.' || f.empty() || f.size() > 7) return false;
    uint32_t v = 0;
    for (char c : f) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    for (size_t n = f.size(); n < 7; ++n) v *= 10;
    frac = v;
  }
  return h < 24 && mi < 60 && sec < 60;
}

void put16(std::vector<uint8_t>& out, uint32_t v, bool big) {
  if (big) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
  } else {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  }
}

void put32(std::vector<uint8_t>& out, uint32_t v, bool big) {
  if (big) {
    put16(out, v >> 16, true);
    put16(out, v & 0xFFFF, true);
  } else {
    put16(out, v & 0xFFFF, false);
    put16(out, v >> 16, false);
  }
}

constexpr size_t kMaxItemBytes = 1 << 20;  // sanity bound of zeros: and fill:

// Appends the bytes of the payload items tokens[from..].
bool parseItems(const std::vector<Token>& tokens, size_t from, std::vector<uint8_t>& out,
                std::string& err) {
  for (size_t k = from; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    if (t.kind == kString) {
      out.insert(out.end(), t.text.begin(), t.text.end());
      continue;
    }
    if (t.kind == kBar) {
      err = "unexpected '|' among the payload items";
      return false;
    }
    std::string_view w = t.text;
    size_t colon = w.find(':');
    if (colon == std::string_view::npos) {
      if (w.size() % 2 != 0) {
        err = "odd number of hex digits in '" + t.text + "'";
        return false;
      }
      for (size_t i = 0; i < w.size(); i += 2) {
        int hi = hexValue(w[i]), lo = hexValue(w[i + 1]);
        if (hi < 0 || lo < 0) {
          err = "bad payload item '" + t.text + "'";
          return false;
        }
        out.push_back(static_cast<uint8_t>(hi * 16 + lo));
      }
      continue;
    }
    std::string_view kind = w.substr(0, colon), arg = w.substr(colon + 1);
    uint64_t v = 0;
    struct Sized {
      const char* name;
      int bytes;
      bool big;
    };
    static constexpr Sized kSized[] = {{"u8", 1, false},   {"le16", 2, false}, {"le32", 4, false},
                                       {"be16", 2, true},  {"be32", 4, true}};
    const Sized* sized = nullptr;
    for (const Sized& s : kSized)
      if (kind == s.name) sized = &s;
    if (sized) {
      uint64_t max = sized->bytes == 4 ? 0xFFFFFFFFull : (1ull << (8 * sized->bytes)) - 1;
      if (!parseNumber(arg, max, v)) {
        err = "bad value in '" + t.text + "'";
        return false;
      }
      if (sized->bytes == 1)
        out.push_back(static_cast<uint8_t>(v));
      else if (sized->bytes == 2)
        put16(out, static_cast<uint32_t>(v), sized->big);
      else
        put32(out, static_cast<uint32_t>(v), sized->big);
    } else if (kind == "zeros") {
      if (!parseNumber(arg, kMaxItemBytes, v)) {
        err = "bad count in '" + t.text + "'";
        return false;
      }
      out.insert(out.end(), v, 0);
    } else if (kind == "fill") {
      size_t c2 = arg.find(':');
      uint64_t byte = 0;
      if (c2 == std::string_view::npos || !parseNumber(arg.substr(0, c2), kMaxItemBytes, v)) {
        err = "bad count in '" + t.text + "' (fill:N:HH)";
        return false;
      }
      std::string_view hex = arg.substr(c2 + 1);
      if (hex.empty() || hex.size() > 2 || !parseNumber("0x" + std::string(hex), 0xFF, byte)) {
        err = "bad byte in '" + t.text + "' (fill:N:HH, HH in hex)";
        return false;
      }
      out.insert(out.end(), v, static_cast<uint8_t>(byte));
    } else {
      err = "unknown payload item '" + t.text + "'";
      return false;
    }
  }
  return true;
}

struct TypeName {
  const char* name;
  int type;
};
constexpr TypeName kTypeNames[] = {{"text", 1}, {"flags", 2}, {"wan", 3}, {"bin", 4}};

// Parses a "rec" statement into rec; state gives the defaults.
bool parseRecord(const ComposeState& state, const std::vector<Token>& tokens, ComposeRecord& rec,
                 int& year, int& month, int& day, std::string& err) {
  uint64_t driverId = 1, driverClass = 1, type = 1, sequence = state.lastSequence + 1ull;
  int proc = -1;
  bool haveTypeWord = false, noZero = false;
  uint64_t typeWord = 0, lengthField = 0;
  int timeKeys = 0;
  const char* timeForm = nullptr;
  std::string timeText;
  uint64_t timeA = 0, timeB = 0;
  size_t k = 1;
  for (; k < tokens.size() && tokens[k].kind != kBar; ++k) {
    const Token& t = tokens[k];
    if (t.kind != kWord) {
      err = "a string must follow '|'";
      return false;
    }
    const std::string& w = t.text;
    if (w == "old") {
      rec.oldForm = true;
      continue;
    }
    if (w == "nozero") {
      noZero = true;
      continue;
    }
    size_t eq = w.find('=');
    if (eq == std::string::npos) {
      err = "expected key=value, found '" + w + "'";
      return false;
    }
    std::string key = w.substr(0, eq);
    std::string_view val = std::string_view(w).substr(eq + 1);
    bool ok = true;
    if (key == "t") {
      ++timeKeys;
      timeForm = "t";
      timeText = std::string(val);
    } else if (key == "ms") {
      ++timeKeys;
      timeForm = "ms";
      ok = parseNumber(val, 0xFFFFFFFF, timeA);
    } else if (key == "ft") {
      ++timeKeys;
      timeForm = "ft";
      size_t c = val.find(':');
      ok = c != std::string_view::npos && parseNumber(val.substr(0, c), 0xFFFFFFFF, timeA) &&
           parseNumber(val.substr(c + 1), 0xFFFFFFFF, timeB);
    } else if (key == "date") {
      ok = parseDate(val, year, month, day);
    } else if (key == "drv") {
      ok = parseNumber(val, 0xFFFF, driverId);
    } else if (key == "class") {
      ok = parseNumber(val, 0xFF, driverClass);
    } else if (key == "type") {
      ok = false;
      for (const TypeName& n : kTypeNames)
        if (val == n.name) type = n.type, ok = true;
      if (!ok) ok = parseNumber(val, 15, type);
    } else if (key == "proc") {
      uint64_t p = 0;
      ok = parseNumber(val, 7, p);
      proc = static_cast<int>(p);
    } else if (key == "seq") {
      ok = parseNumber(val, 0xFFFFFFFF, sequence);
    } else if (key == "tw") {
      haveTypeWord = true;
      ok = parseNumber(val, 0xFFFF, typeWord);
    } else if (key == "len") {
      rec.lengthOverride = true;
      ok = parseNumber(val, 0xFFFFFFFF, lengthField);
    } else {
      err = "unknown key '" + key + "'";
      return false;
    }
    if (!ok) {
      err = "bad value in '" + w + "'";
      return false;
    }
  }
  if (timeKeys > 1) {
    err = "more than one time stamp (t=, ms=, ft=)";
    return false;
  }
  rec.timeLow = state.timeLow;
  rec.timeHigh = state.timeHigh;
  if (timeForm && std::strcmp(timeForm, "t") == 0) {
    int h = 0, mi = 0, s = 0;
    uint32_t frac = 0;
    uint64_t ft = 0;
    if (!parseTimeOfDay(timeText, h, mi, s, frac) ||
        !composeFileTime(year, month, day, h, mi, s, frac, ft)) {
      err = "bad time 't=" + timeText + "' (HH:MM:SS.mmm)";
      return false;
    }
    rec.timeLow = static_cast<uint32_t>(ft);
    rec.timeHigh = static_cast<uint32_t>(ft >> 32);
  } else if (timeForm && std::strcmp(timeForm, "ms") == 0) {
    rec.timeLow = static_cast<uint32_t>(timeA);
    rec.timeHigh = 0;
  } else if (timeForm) {
    rec.timeHigh = static_cast<uint32_t>(timeA);
    rec.timeLow = static_cast<uint32_t>(timeB);
  }
  if (!rec.oldForm && lengthField > 0xFFFF) {
    err = "len= above 65535 needs the old form";
    return false;
  }
  rec.lengthField = static_cast<uint32_t>(lengthField);
  rec.driverId = static_cast<uint16_t>(driverId);
  rec.sequence = static_cast<uint32_t>(sequence);
  rec.typeWord = haveTypeWord ? static_cast<uint16_t>(typeWord)
                              : static_cast<uint16_t>(type | (proc >= 0 ? 0x80 | (proc << 4) : 0) |
                                                      (driverClass << 8));
  if (k < tokens.size() && !parseItems(tokens, k + 1, rec.payload, err)) return false;
  int messageType = rec.typeWord & 0x0F;
  if (!noZero && (messageType == 1 || messageType == 3)) rec.payload.push_back(0);
  if (!rec.oldForm && !rec.lengthOverride && rec.payload.size() > 0xFFFF) {
    err = "payload of " + std::to_string(rec.payload.size()) + " bytes does not fit the length field";
    return false;
  }
  return true;
}

std::string directoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool readWholeFile(const std::string& path, std::string& text, std::string& reason) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    reason = std::strerror(errno);
    return false;
  }
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) reason = "read error";
  return !bad;
}

// Runs one statement (the tokens of one logical line).
bool runStatement(ComposeState& state, const std::string& name, const std::vector<Token>& tokens,
                  std::vector<uint8_t>& out, std::string& err, bool& nested) {
  nested = false;
  if (tokens[0].kind != kWord) {
    err = "a statement begins with rec, raw or include";
    return false;
  }
  const std::string& verb = tokens[0].text;
  if (verb == "rec") {
    ComposeRecord rec;
    int y = state.year, m = state.month, d = state.day;
    if (!parseRecord(state, tokens, rec, y, m, d, err)) return false;
    composeWriteRecord(rec, out);
    state.year = y, state.month = m, state.day = d;
    state.lastSequence = rec.sequence;
    state.timeLow = rec.timeLow;
    state.timeHigh = rec.timeHigh;
    return true;
  }
  if (verb == "raw") {
    if (tokens.size() < 2 || tokens[1].kind != kBar) {
      err = "raw needs '|' before its bytes";
      return false;
    }
    return parseItems(tokens, 2, out, err);
  }
  if (verb == "include") {
    if (tokens.size() != 2 || tokens[1].kind == kBar) {
      err = "include needs one path";
      return false;
    }
    if (state.depth >= kComposeMaxIncludeDepth) {
      err = "includes nested too deeply";
      return false;
    }
    std::string path = tokens[1].text;
    if (path.empty() || path[0] != '/') path = directoryOf(name) + path;
    std::string text, reason;
    if (!readWholeFile(path, text, reason)) {
      err = "cannot read include '" + path + "': " + reason;
      return false;
    }
    ++state.depth;
    bool ok = composeText(state, path, text, out, err);
    --state.depth;
    nested = !ok;
    return ok;
  }
  err = "unknown statement '" + verb + "'";
  return false;
}

}  // namespace

void composeWriteRecord(const ComposeRecord& rec, std::vector<uint8_t>& out) {
  size_t start = out.size();
  uint32_t length = rec.lengthOverride ? rec.lengthField : static_cast<uint32_t>(rec.payload.size());
  if (rec.oldForm) {
    put16(out, rec.driverId, false);
    put16(out, rec.typeWord, false);
    put32(out, rec.sequence, false);
    put32(out, length, false);
    put32(out, 0, false);
    put32(out, rec.timeLow, false);
    put32(out, rec.timeHigh, false);
  } else {
    put32(out, rec.timeLow, false);
    put32(out, rec.timeHigh, false);
    put16(out, length & 0xFFFF, false);
    put16(out, 0xFFFF, false);
    put16(out, rec.driverId, false);
    put16(out, rec.typeWord, false);
    put32(out, rec.sequence, false);
  }
  out.insert(out.end(), rec.payload.begin(), rec.payload.end());
  while ((out.size() - start) % 4 != 0) out.push_back(0);
}

bool composeFileTime(int year, int month, int day, int hour, int minute, int second,
                     uint32_t fraction100ns, uint64_t& fileTime) {
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 ||
      day > daysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59 || fraction100ns > 9999999)
    return false;
  constexpr int64_t kSecondsTo1970 = 11644473600LL;  // 1601-01-01 to 1970-01-01
  int64_t seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second +
                    kSecondsTo1970;
  fileTime = static_cast<uint64_t>(seconds) * 10000000ull + fraction100ns;
  return true;
}

bool composeText(ComposeState& state, const std::string& name, const std::string& text,
                 std::vector<uint8_t>& out, std::string& error) {
  std::vector<Token> tokens;
  int lineNo = 0, statementLine = 0;
  bool pending = false;  // a continued statement is being gathered
  size_t pos = 0;
  while (pos < text.size() || pending) {
    size_t nl = text.find('\n', pos);
    bool last = nl == std::string::npos;
    std::string line = text.substr(pos, last ? std::string::npos : nl - pos);
    pos = last ? text.size() : nl + 1;
    ++lineNo;
    if (!pending) {
      tokens.clear();
      statementLine = lineNo;
    }
    bool continues = false;
    std::string err;
    if (!tokenizeLine(line, tokens, continues, err)) {
      error = name + ":" + std::to_string(lineNo) + ": " + err;
      return false;
    }
    if (continues && last) {
      error = name + ":" + std::to_string(lineNo) + ": continuation at the end of the file";
      return false;
    }
    pending = continues;
    if (pending || tokens.empty()) continue;
    bool nested = false;
    if (!runStatement(state, name, tokens, out, err, nested)) {
      error = nested ? err : name + ":" + std::to_string(statementLine) + ": " + err;
      return false;
    }
  }
  return true;
}

bool composeFile(ComposeState& state, const std::string& path, std::vector<uint8_t>& out,
                 std::string& error) {
  std::string text, reason;
  if (!readWholeFile(path, text, reason)) {
    error = path + ": cannot read: " + reason;
    return false;
  }
  return composeText(state, path, text, out, error);
}
