// Remarks sent behind their tag, against an in-test driver.
#include <gtest/gtest.h>

#include "control/settings.h"
#include "driver/remarks.h"
#include "driver/tests/fake_driver.h"
#include "platform/syserror.h"

namespace {

std::vector<std::string> sentLines(fake::Server& server) {
  std::vector<std::string> out;
  for (const fake::Request& r : server.requests()) {
    EXPECT_EQ(r.code, kIoctlWriteLine);
    EXPECT_EQ(r.capacity, 0u);
    out.emplace_back(r.input.begin(), r.input.end());
  }
  return out;
}

TEST(Remarks, EachLineGoesOutBehindTheTag) {
  g_settings = Settings{};
  fake::Server server([](fake::Server& s, const fake::Request& r) { s.reply(r.tag, 0, {}); });
  std::string input = "hello\r\n\n" + std::string(1100, 'x') + "\n";
  FILE* in = fmemopen(input.data(), input.size(), "r");
  fake::CapturedStderr err;
  int code = fake::runProgram([&] {
    openDevice(g_settings.deviceName);
    RequestBlock* block = queAlloc(1024);
    EXPECT_EQ(remarkPrefix(block, "ABC"), 12u);
    remarkLines(block, in);
  });
  fclose(in);
  EXPECT_EQ(code, -1);
  auto lines = sentLines(server);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string("*** ABC *** hello\0", 18));
  EXPECT_EQ(lines[1], std::string("*** ABC *** \0", 13));
  // A line longer than the room after the prefix goes in pieces.
  EXPECT_EQ(lines[2], "*** ABC *** " + std::string(1011, 'x') + '\0');
  EXPECT_EQ(lines[3], "*** ABC *** " + std::string(89, 'x') + '\0');
  EXPECT_EQ(err.text(), "Marlog: enter remarks\nMarlog: end of remarks\n");
}

TEST(Remarks, FailuresAreReportedAndTheThreadGoesOn) {
  g_settings = Settings{};
  int n = 0;
  fake::Server server([&](fake::Server& s, const fake::Request& r) {
    if (++n == 1) s.reply(r.tag, kErrorGenFailure, {});  // the second stays unanswered
    if (n == 3) s.reply(r.tag, 0, {});
  });
  std::string input = "a\nb\nc\n";
  FILE* in = fmemopen(input.data(), input.size(), "r");
  fake::CapturedStderr err;
  int code = fake::runProgram([&] {
    openDevice(g_settings.deviceName);
    RequestBlock* block = queAlloc(1024);
    remarkPrefix(block, "T");
    remarkLines(block, in);
  });
  fclose(in);
  EXPECT_EQ(code, -1);
  EXPECT_EQ(sentLines(server).size(), 3u);
  EXPECT_EQ(err.text(),
            "Marlog: enter remarks\nMarlog: GetOverlappedResult() ==> 31\n"
            "Marlog: WaitForSO(,500) ==> TOUT\nMarlog: end of remarks\n");
}

}  // namespace
