#include "control/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
  ParseResult result;
  Settings s;
  ModeCounts c;
};

Parsed parse(std::vector<std::string> args) {
  std::vector<char*> argv;
  static std::vector<std::string> keep;
  keep = std::move(args);
  keep.insert(keep.begin(), "marlog");
  for (auto& a : keep) argv.push_back(a.data());
  Parsed p;
  p.result = parseOptions(static_cast<int>(argv.size()), argv.data(), p.s, p.c);
  return p;
}

TEST(Options, UnknownAndBareArgumentsGiveUsage) {
  for (auto args : std::vector<std::vector<std::string>>{
           {"trace.3"}, {"-x"}, {"-"}, {"-i", "a", "b"}, {"-e"}, {"-1"}}) {
    EXPECT_EQ(parse(args).result, ParseResult::kUsage) << args.back();
  }
}

TEST(Options, AbsolutePathsAreValuesNotOptions) {
  Parsed p = parse({"-i", "/var/tmp/trace.3"});
  ASSERT_EQ(p.result, ParseResult::kOk);
  EXPECT_STREQ(p.s.inputFile, "/var/tmp/trace.3");
  EXPECT_EQ(p.c.i, 1u);
  p = parse({"-o", "/tmp/out", "-p"});
  ASSERT_EQ(p.result, ParseResult::kOk);
  EXPECT_STREQ(p.s.rawOutputFile, "/tmp/out");
  // Where no option takes it, a path is a bare argument.
  EXPECT_EQ(parse({"-l", "/tmp/x"}).result, ParseResult::kUsage);
}

TEST(Options, IdentificationByLettersAnyCase) {
  Parsed p = parse({"-LIST", "-cap", "-Q", "-moniX", "-PROCESSOR", "3", "-Poll"});
  ASSERT_EQ(p.result, ParseResult::kOk);
  EXPECT_EQ(p.c.l, 1u);
  EXPECT_TRUE(p.s.compactBChannel);  // -cap is the compact flag, not -capi
  EXPECT_TRUE(p.s.facilityDecoding);
  EXPECT_EQ(p.s.monitor, 1u);
  EXPECT_EQ(p.s.processorFilter, 3);
  EXPECT_EQ(p.c.p, 1u);
  EXPECT_EQ(p.c.m, 0u);
}

TEST(Options, ValueOptionWithoutValue) {
  Parsed p = parse({"-d", "-m"});
  ASSERT_EQ(p.result, ParseResult::kOk);
  EXPECT_EQ(p.s.driverId, kNoDriver);
  EXPECT_EQ(p.c.m, 1u);
  EXPECT_EQ(p.s.debugMask, 0xFFFFFFFFu);
  p = parse({"-i"});
  EXPECT_EQ(p.c.i, 1u);
  EXPECT_EQ(p.s.inputFile, nullptr);
}

struct Conversion {
  std::vector<std::string> args;
  uint32_t Settings::*field;
  uint32_t expected;
};

TEST(Options, ConversionsAndBounds) {
  const Conversion cases[] = {
      {{"-s", "50"}, &Settings::period, 100},
      {{"-s", "0x200"}, &Settings::period, 512},
      {{"-s", "50", "-moni"}, &Settings::period, 100},
      {{"-moni", "-s", "500"}, &Settings::period, 500},
      {{"-moni"}, &Settings::period, 100},
      {{"-t", "10"}, &Settings::copyThreshold, 256},
      {{"-t", "0x500000"}, &Settings::copyThreshold, 0x400000},
      {{"-t", "010000"}, &Settings::copyThreshold, 4096},  // octal
      {{"-w", "1"}, &Settings::wrapLimit, 128 * 1024},
      {{"-w", "1000000"}, &Settings::wrapLimit, 0x40000u * 1024u},
      {{"-w", "200"}, &Settings::wrapLimit, 200 * 1024},
      {{"-m", "0xFFFFFFFF"}, &Settings::debugMask, 0x7FFFFFFF},
      {{"-m", "junk"}, &Settings::debugMask, 0},
      {{"-m", "0x123456789"}, &Settings::debugMask, 0x7FFFFFFF},
  };
  for (const auto& c : cases) {
    Parsed p = parse(c.args);
    ASSERT_EQ(p.result, ParseResult::kOk);
    EXPECT_EQ(p.s.*c.field, c.expected) << c.args[0] << " " << c.args[1];
  }
  EXPECT_EQ(parse({"-b", "9"}).s.extraCopies, 7u);
  EXPECT_EQ(parse({"-b", "2"}).s.extraCopies, 2u);
  EXPECT_EQ(parse({"-d", "0x12345"}).s.driverId, 0x2345);
}

TEST(Options, ProcessorOutOfRangeIsConsumedAndIgnored) {
  testing::internal::CaptureStderr();
  Parsed p = parse({"-proc", "9", "-i"});
  std::string err = testing::internal::GetCapturedStderr();
  ASSERT_EQ(p.result, ParseResult::kOk);
  EXPECT_EQ(p.s.processorFilter, -1);
  EXPECT_EQ(p.c.i, 1u);
  EXPECT_EQ(err, "processor argument out of range, ignored");
}

struct Window {
  const char* value;
  int sh, sm, eh, em;
};

TEST(Options, TimeWindow) {
  const Window cases[] = {
      {"8-17", 8, 0, 17, 59},   {"-10:30", 0, 0, 10, 30}, {"10:30", 10, 30, 23, 59},
      {"25:10", 0, 10, 23, 59}, {"10-", 10, 0, 23, 59},   {"x:y", 0, 0, 23, 59},
      {"7:75-8:15", 7, 0, 8, 15},
  };
  for (const auto& w : cases) {
    Parsed p = parse({"-time", w.value});
    ASSERT_EQ(p.result, ParseResult::kOk) << w.value;
    EXPECT_EQ(p.s.timeStartHour, w.sh) << w.value;
    EXPECT_EQ(p.s.timeStartMinute, w.sm) << w.value;
    EXPECT_EQ(p.s.timeEndHour, w.eh) << w.value;
    EXPECT_EQ(p.s.timeEndMinute, w.em) << w.value;
  }
}

TEST(Options, NumberConversionOfTheOriginalPlatform) {
  EXPECT_EQ(toUnsigned32("0x10"), 16u);
  EXPECT_EQ(toUnsigned32("010"), 8u);
  EXPECT_EQ(toUnsigned32("abc"), 0u);
  EXPECT_EQ(toUnsigned32("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(toUnsigned32("99999999999"), 0xFFFFFFFFu);
  EXPECT_EQ(toSigned32("-3"), -3);
  EXPECT_EQ(toSigned32("0x7"), 7);
}

}  // namespace
