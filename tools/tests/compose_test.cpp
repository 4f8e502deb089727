#include "tools/compose/compose_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "trace/record.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes compose(const std::string& text) {
  ComposeState state;
  Bytes out;
  std::string error;
  EXPECT_TRUE(composeText(state, "t.case", text, out, error)) << error;
  return out;
}

std::string composeError(const std::string& text) {
  ComposeState state;
  Bytes out;
  std::string error;
  EXPECT_FALSE(composeText(state, "t.case", text, out, error)) << text;
  return error;
}

// The payload bytes of the single current-form record in b.
Bytes payloadOf(const Bytes& b) {
  EXPECT_GE(b.size(), kRecordHeaderSize);
  DebugRecord r = recordFromBytes(b.data());
  return Bytes(b.begin() + kRecordHeaderSize, b.begin() + kRecordHeaderSize + r.length);
}

TEST(ComposeFileTime, KnownInstants) {
  uint64_t ft = 1;
  ASSERT_TRUE(composeFileTime(1601, 1, 1, 0, 0, 0, 0, ft));
  EXPECT_EQ(ft, 0u);
  ASSERT_TRUE(composeFileTime(1970, 1, 1, 0, 0, 0, 0, ft));
  EXPECT_EQ(ft, 116444736000000000ull);
  ASSERT_TRUE(composeFileTime(2026, 1, 15, 12, 34, 56, 7890000, ft));
  EXPECT_EQ(ft, 134129540967890000ull);
  ASSERT_TRUE(composeFileTime(2024, 2, 29, 23, 59, 59, 0, ft));
  EXPECT_EQ(ft, 133537247990000000ull);
}

TEST(ComposeFileTime, RejectsWhatDoesNotExist) {
  uint64_t ft = 0;
  EXPECT_FALSE(composeFileTime(2026, 2, 29, 0, 0, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(1900, 2, 29, 0, 0, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(2026, 13, 1, 0, 0, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(2026, 4, 31, 0, 0, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(2026, 1, 1, 24, 0, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(2026, 1, 1, 0, 60, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(1600, 12, 31, 0, 0, 0, 0, ft));
  EXPECT_FALSE(composeFileTime(2026, 1, 1, 0, 0, 0, 10000000, ft));
}

TEST(ComposeWriter, CurrentFormHeaderAndPadding) {
  ComposeRecord r;
  r.timeLow = 0x11223344;
  r.timeHigh = 0x55667788;
  r.driverId = 0x0203;
  r.typeWord = 0x05F4;
  r.sequence = 0xA1B2C3D4;
  r.payload = {0xEE};
  Bytes out;
  composeWriteRecord(r, out);
  const Bytes expect = {0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55, 0x01, 0x00, 0xFF, 0xFF,
                        0x03, 0x02, 0xF4, 0x05, 0xD4, 0xC3, 0xB2, 0xA1, 0xEE, 0x00, 0x00, 0x00};
  EXPECT_EQ(out, expect);
}

TEST(ComposeWriter, RecordLengthFollowsPayloadLength) {
  struct Case {
    size_t payload, current, old;
  };
  const Case cases[] = {{0, 20, 24}, {1, 24, 28}, {4, 24, 28}, {5, 28, 32}, {2152, 2172, 2176}};
  for (const Case& c : cases) {
    ComposeRecord r;
    r.payload.assign(c.payload, 0x5A);
    Bytes cur, old;
    composeWriteRecord(r, cur);
    r.oldForm = true;
    composeWriteRecord(r, old);
    EXPECT_EQ(cur.size(), c.current) << c.payload;
    EXPECT_EQ(cur.size(), recordLength(c.payload));
    EXPECT_EQ(old.size(), c.old) << c.payload;
    EXPECT_EQ(old.size(), oldRecordLength(c.payload));
  }
}

TEST(ComposeWriter, OldFormConvertsToTheSameRecord) {
  ComposeRecord r;
  r.timeLow = 1000;
  r.timeHigh = 0x01DC0000;
  r.driverId = 7;
  r.typeWord = 0x0301;
  r.sequence = 42;
  r.payload = {'a', 'b', 'c', 0};
  Bytes cur, old;
  composeWriteRecord(r, cur);
  r.oldForm = true;
  composeWriteRecord(r, old);
  ASSERT_EQ(old.size(), 28u);
  EXPECT_NE(old[10] | old[11] << 8, 0xFFFF);  // tells the forms apart
  uint8_t scratch[kMaxRecordSize] = {};
  recordConvertOld(old.data(), scratch);
  EXPECT_TRUE(std::equal(cur.begin(), cur.begin() + 24, scratch));
}

TEST(ComposeWriter, LengthOverrideWritesOnlyTheField) {
  ComposeRecord r;
  r.payload = {1, 2, 3};
  r.lengthOverride = true;
  r.lengthField = 2153;
  Bytes out;
  composeWriteRecord(r, out);
  EXPECT_EQ(out.size(), 24u);
  EXPECT_EQ(recordFromBytes(out.data()).length, 2153);
  r.oldForm = true;
  r.lengthField = 0x00012345;
  out.clear();
  composeWriteRecord(r, out);
  EXPECT_EQ(ByteView(out.data(), out.size()).le32(8), 0x00012345u);
}

TEST(ComposeParser, DefaultsAndSequence) {
  Bytes b = compose("rec | \"hi\"\nrec drv=3 class=2 seq=10 | \"x\"\nrec | \"y\"\n");
  ASSERT_EQ(b.size(), 72u);
  DebugRecord a = recordFromBytes(b.data());
  EXPECT_EQ(a.driverId, 1);
  EXPECT_EQ(a.typeWord, 0x0101);
  EXPECT_EQ(a.sequence, 1u);
  EXPECT_EQ(a.length, 3);  // the zero byte is appended to text
  EXPECT_EQ(a.timeHigh, 0u);
  EXPECT_EQ(a.timeLow, 0u);
  DebugRecord c = recordFromBytes(b.data() + 24);
  EXPECT_EQ(c.driverId, 3);
  EXPECT_EQ(c.typeWord, 0x0201);
  EXPECT_EQ(c.sequence, 10u);
  DebugRecord d = recordFromBytes(b.data() + 48);
  EXPECT_EQ(d.driverId, 1);  // drv and class are not sticky
  EXPECT_EQ(d.typeWord, 0x0101);
  EXPECT_EQ(d.sequence, 11u);
}

TEST(ComposeParser, TypeWordFromKeys) {
  struct Case {
    const char* keys;
    uint16_t typeWord;
  };
  const Case cases[] = {
      {"type=text", 0x0101},         {"type=flags", 0x0102},
      {"type=wan class=3", 0x0303},  {"type=bin class=5", 0x0504},
      {"type=9 class=33", 0x2109},   {"type=bin class=5 proc=7", 0x05F4},
      {"proc=0", 0x0181},            {"tw=0x05F4 class=2 proc=1 type=1", 0x05F4},
      {"class=0", 0x0001},
  };
  for (const Case& c : cases) {
    Bytes b = compose(std::string("rec ") + c.keys + "\n");
    ASSERT_GE(b.size(), 20u);
    EXPECT_EQ(recordFromBytes(b.data()).typeWord, c.typeWord) << c.keys;
  }
}

TEST(ComposeParser, TimeForms) {
  Bytes b = compose(
      "rec t=12:34:56.789\n"
      "rec\n"                       // repeats the time before
      "rec ms=3723004\n"
      "rec ft=0x01DC2A3B:0x12345678\n"
      "rec date=2024-02-29 t=23:59:59\n"
      "rec t=00:00:00.5\n");        // the date stays
  ASSERT_EQ(b.size(), 6 * 24u);
  auto at = [&](int i) { return recordFromBytes(b.data() + 24 * i); };
  uint64_t ft = 0;
  composeFileTime(2026, 1, 15, 12, 34, 56, 7890000, ft);
  EXPECT_EQ(at(0).timeLow, static_cast<uint32_t>(ft));
  EXPECT_EQ(at(0).timeHigh, static_cast<uint32_t>(ft >> 32));
  EXPECT_EQ(at(1).timeLow, at(0).timeLow);
  EXPECT_EQ(at(1).timeHigh, at(0).timeHigh);
  EXPECT_EQ(at(2).timeHigh, 0u);
  EXPECT_EQ(at(2).timeLow, 3723004u);
  EXPECT_EQ(at(3).timeHigh, 0x01DC2A3Bu);
  EXPECT_EQ(at(3).timeLow, 0x12345678u);
  composeFileTime(2024, 2, 29, 23, 59, 59, 0, ft);
  EXPECT_EQ((uint64_t(at(4).timeHigh) << 32) | at(4).timeLow, ft);
  composeFileTime(2024, 2, 29, 0, 0, 0, 5000000, ft);
  EXPECT_EQ((uint64_t(at(5).timeHigh) << 32) | at(5).timeLow, ft);
}

TEST(ComposeParser, PayloadItems) {
  struct Case {
    const char* items;
    Bytes bytes;
  };
  const Case cases[] = {
      {"41 42 ff", {0x41, 0x42, 0xFF}},
      {"4142fF", {0x41, 0x42, 0xFF}},
      {"\"a\\tb\\n\\0\\x7f\\\\\\\"\"", {'a', '\t', 'b', '\n', 0, 0x7F, '\\', '"'}},
      {"\"\\101\\x4g\"", {'A', 0x04, 'g'}},
      {"\"# | not special\"", {'#', ' ', '|', ' ', 'n', 'o', 't', ' ', 's', 'p', 'e', 'c', 'i', 'a', 'l'}},
      {"u8:255 u8:0x10", {0xFF, 0x10}},
      {"le16:0x1234 be16:0x1234", {0x34, 0x12, 0x12, 0x34}},
      {"le32:0x11223344 be32:4294967295", {0x44, 0x33, 0x22, 0x11, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"zeros:3 fill:2:ab fill:1:7", {0, 0, 0, 0xAB, 0xAB, 0x07}},
      {"01\"x\"02", {0x01, 'x', 0x02}},
  };
  for (const Case& c : cases) {
    Bytes b = compose(std::string("rec type=bin | ") + c.items + "\n");
    EXPECT_EQ(payloadOf(b), c.bytes) << c.items;
  }
}

TEST(ComposeParser, ZeroByteOnlyForTextAndWan) {
  EXPECT_EQ(payloadOf(compose("rec | \"ab\"")), (Bytes{'a', 'b', 0}));
  EXPECT_EQ(payloadOf(compose("rec type=wan | \"ab\"")), (Bytes{'a', 'b', 0}));
  EXPECT_EQ(payloadOf(compose("rec tw=0x0303 | \"ab\"")), (Bytes{'a', 'b', 0}));
  EXPECT_EQ(payloadOf(compose("rec nozero | \"ab\"")), (Bytes{'a', 'b'}));
  EXPECT_EQ(payloadOf(compose("rec type=flags | le32:1")), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(payloadOf(compose("rec type=bin | 01")), (Bytes{1}));
  EXPECT_EQ(payloadOf(compose("rec")), (Bytes{0}));
}

TEST(ComposeParser, LenAndOldForm) {
  Bytes b = compose("rec type=bin len=2153 | 01 02\nrec old seq=5 | \"abc\"\n");
  ASSERT_EQ(b.size(), 24u + 28u);
  EXPECT_EQ(recordFromBytes(b.data()).length, 2153);
  ByteView old(b.data() + 24, 28);
  EXPECT_EQ(old.le16(0), 1);       // driver id
  EXPECT_EQ(old.le16(2), 0x0101);  // type word
  EXPECT_EQ(old.le32(4), 5u);
  EXPECT_EQ(old.le32(8), 4u);
  EXPECT_EQ(old.u8(24), 'a');
}

TEST(ComposeParser, CommentsContinuationsAndRaw) {
  Bytes b = compose(
      "# a comment\n"
      "\n"
      "   rec type=bin \\\n"
      "     drv=2 | 01 \\   # comment after a continuation\n"
      "     02 # end\n"
      "raw | 0a 0b 0c\n");
  ASSERT_EQ(b.size(), 27u);
  DebugRecord r = recordFromBytes(b.data());
  EXPECT_EQ(r.driverId, 2);
  EXPECT_EQ(r.length, 2);
  EXPECT_EQ(b[24], 0x0a);
  EXPECT_EQ(b[26], 0x0c);
}

TEST(ComposeParser, StateRunsOnAcrossSources) {
  ComposeState state;
  Bytes out;
  std::string error;
  ASSERT_TRUE(composeText(state, "a.case", "rec seq=41 t=10:00:00\n", out, error));
  ASSERT_TRUE(composeText(state, "b.case", "rec\n", out, error));
  DebugRecord a = recordFromBytes(out.data()), b = recordFromBytes(out.data() + 24);
  EXPECT_EQ(b.sequence, 42u);
  EXPECT_EQ(b.timeLow, a.timeLow);
}

TEST(ComposeParser, IncludeIsRelativeToTheIncludingFile) {
  char dir[] = "/tmp/compose_testXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string d = dir;
  ASSERT_EQ(std::system(("mkdir " + d + "/sub").c_str()), 0);
  FILE* f = std::fopen((d + "/sub/part.inc").c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("rec seq=7 | \"inner\"\nrec bogus=1\n", f);
  std::fclose(f);
  f = std::fopen((d + "/main.case").c_str(), "w");
  std::fputs("rec | \"outer\"\ninclude sub/part.inc\n", f);
  std::fclose(f);

  ComposeState state;
  Bytes out;
  std::string error;
  EXPECT_FALSE(composeFile(state, d + "/main.case", out, error));
  EXPECT_EQ(error, d + "/sub/part.inc:2: unknown key 'bogus'");
  ASSERT_EQ(out.size(), 28u + 28u);  // what came before the error
  EXPECT_EQ(recordFromBytes(out.data() + 28).sequence, 7u);

  error.clear();
  EXPECT_FALSE(composeText(state, d + "/x.case", "include nothere.inc\n", out, error));
  EXPECT_EQ(error.rfind(d + "/x.case:1: cannot read include '" + d + "/nothere.inc'", 0), 0u)
      << error;
  std::system(("rm -r " + d).c_str());
}

TEST(ComposeParser, IncludeCycleStops) {
  char name[] = "/tmp/compose_cycleXXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  std::string self = std::string("include ") + name + "\n";
  ASSERT_EQ(write(fd, self.data(), self.size()), static_cast<ssize_t>(self.size()));
  close(fd);
  ComposeState state;
  Bytes out;
  std::string error;
  EXPECT_FALSE(composeFile(state, name, out, error));
  EXPECT_NE(error.find("includes nested too deeply"), std::string::npos) << error;
  unlink(name);
}

TEST(ComposeParser, ErrorsNameFileAndLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"rec\nrec drv=65536\n", "t.case:2: bad value in 'drv=65536'"},
      {"rec proc=8", "t.case:1: bad value in 'proc=8'"},
      {"rec type=frog", "t.case:1: bad value in 'type=frog'"},
      {"rec t=25:00:00", "t.case:1: bad time 't=25:00:00' (HH:MM:SS.mmm)"},
      {"rec date=2026-02-29 t=01:00:00", "t.case:1: bad value in 'date=2026-02-29'"},
      {"rec t=01:00:00 ms=5", "t.case:1: more than one time stamp (t=, ms=, ft=)"},
      {"rec ft=12", "t.case:1: bad value in 'ft=12'"},
      {"rec len=70000", "t.case:1: len= above 65535 needs the old form"},
      {"rec color=red", "t.case:1: unknown key 'color'"},
      {"rec | 414", "t.case:1: odd number of hex digits in '414'"},
      {"rec | 4g", "t.case:1: bad payload item '4g'"},
      {"rec | u8:256", "t.case:1: bad value in 'u8:256'"},
      {"rec | le16:0x10000", "t.case:1: bad value in 'le16:0x10000'"},
      {"rec | fill:3", "t.case:1: bad count in 'fill:3' (fill:N:HH)"},
      {"rec | fill:3:xyz", "t.case:1: bad byte in 'fill:3:xyz' (fill:N:HH, HH in hex)"},
      {"rec | word:1", "t.case:1: unknown payload item 'word:1'"},
      {"rec | 01 | 02", "t.case:1: unexpected '|' among the payload items"},
      {"rec | \"abc", "t.case:1: unterminated string"},
      {"rec | \"\\q\"", "t.case:1: unknown escape \\q"},
      {"rec \\ drv=2", "t.case:1: stray '\\' (a continuation must end the line)"},
      {"\n\nrec \\\n drv=x\n", "t.case:3: bad value in 'drv=x'"},
      {"rec \\", "t.case:1: continuation at the end of the file"},
      {"raw 01", "t.case:1: raw needs '|' before its bytes"},
      {"record", "t.case:1: unknown statement 'record'"},
      {"\"rec\"", "t.case:1: a statement begins with rec, raw or include"},
      {"include", "t.case:1: include needs one path"},
      {"rec drv", "t.case:1: expected key=value, found 'drv'"},
      {"rec type=bin | zeros:65536", "t.case:1: payload of 65536 bytes does not fit the length field"},
  };
  for (const Case& c : cases) EXPECT_EQ(composeError(c.text), c.error) << c.text;
}

}  // namespace
