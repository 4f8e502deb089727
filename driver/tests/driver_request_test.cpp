// Opening the device and the synchronous request against an in-test driver.
#include <gtest/gtest.h>

#include "control/settings.h"
#include "driver/tests/fake_driver.h"
#include "platform/device.h"
#include "platform/syserror.h"

namespace {

struct DriverRequest : ::testing::Test {
  void SetUp() override { g_settings = Settings{}; }
};

TEST_F(DriverRequest, MissingDeviceEndsWithCreateFileMessage) {
  char tmpl[] = "/tmp/marlog-empty-XXXXXX";
  std::string dir = mkdtemp(tmpl);
  setenv("MARLOG_DEVICE_DIR", dir.c_str(), 1);
  fake::CapturedStderr err;
  EXPECT_EQ(fake::runProgram([] { openDevice("\\\\.\\Norwin_QVMAINT"); }), 1);
  EXPECT_EQ(err.text(), "Marlog: CreateFile(\\\\.\\Norwin_QVMAINT) ==> 2\n");
  rmdir(dir.c_str());
}

TEST_F(DriverRequest, DirectoryOpenToOthersIsRefused) {
  fake::Server server([](fake::Server&, const fake::Request&) {});
  chmod(server.dir.c_str(), 0755);
  uint32_t error = 0;
  EXPECT_EQ(deviceOpen("\\\\.\\Norwin_QVMAINT", error), nullptr);
  EXPECT_EQ(error, kErrorAccessDenied);
  chmod(server.dir.c_str(), 0700);
  PlatformDevice* device = deviceOpen("\\\\.\\Norwin_QVMAINT", error);
  EXPECT_NE(device, nullptr);
  deviceClose(device);
}

TEST_F(DriverRequest, DevicePathFollowsTheEnvironment) {
  char path[108];
  setenv("MARLOG_DEVICE_DIR", "/x/dev", 1);
  ASSERT_TRUE(devicePath("\\\\.\\QVMAINT", path, sizeof path));
  EXPECT_STREQ(path, "/x/dev/QVMAINT");
  unsetenv("MARLOG_DEVICE_DIR");
  setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
  ASSERT_TRUE(devicePath("\\\\.\\Norwin_QVMAINT", path, sizeof path));
  EXPECT_STREQ(path, "/run/user/7/Norwin_QVMAINT");
  unsetenv("XDG_RUNTIME_DIR");
  ASSERT_TRUE(devicePath("\\\\.\\Q", path, sizeof path));
  EXPECT_EQ(std::string(path), "/tmp/marlog-" + std::to_string(getuid()) + "/Q");
  EXPECT_FALSE(devicePath("\\\\.\\a/../b", path, sizeof path));
  EXPECT_FALSE(devicePath("\\\\.\\", path, sizeof path));
  setenv("MARLOG_DEVICE_DIR", std::string(200, 'd').c_str(), 1);
  EXPECT_FALSE(devicePath("\\\\.\\Q", path, sizeof path));
}

// How the driver answers, and what the request then yields.
struct Outcome {
  const char* name;
  std::function<void(fake::Server&, const fake::Request&)> answer;
  int exitCode;         // -1: returned
  bool returnsBlock;
  const char* stderrText;
};

TEST_F(DriverRequest, AnswersAndFaults) {
  const std::vector<uint8_t> four = {0, 0, 1, 0};
  const Outcome cases[] = {
      {"success", [&](fake::Server& s, const fake::Request& r) { s.reply(r.tag, 0, four); }, -1, true, ""},
      {"rejected", [](fake::Server& s, const fake::Request& r) { s.reply(r.tag, kErrorInvalidParameter, {}); },
       -1, false, ""},
      {"failure", [](fake::Server& s, const fake::Request& r) { s.reply(r.tag, kErrorGenFailure, {}); }, 1,
       false, "Marlog: GetOverlappedResult() ==> 31\n"},
      {"silent", [](fake::Server&, const fake::Request&) {}, 1, false, "Marlog: WaitForSO(,500) ==> TOUT\n"},
      {"late", [&](fake::Server& s, const fake::Request& r) {
         std::thread([&s, tag = r.tag, four] {
           std::this_thread::sleep_for(std::chrono::milliseconds(700));
           s.reply(tag, 0, four);
         }).detach();
       }, 1, false, "Marlog: WaitForSO(,500) ==> TOUT\n"},
      {"dropped", [](fake::Server& s, const fake::Request&) { s.drop(); }, 1, false,
       "Marlog: GetOverlappedResult() ==> 109\n"},
  };
  for (const Outcome& c : cases) {
    SCOPED_TRACE(c.name);
    fake::Server server(c.answer);
    fake::CapturedStderr err;
    RequestBlock* block = nullptr;
    int code = fake::runProgram([&] {
      openDevice(g_settings.deviceName);
      const uint32_t input[4] = {kDbgGetBufsize, 0, 0, 0};
      block = driverRequest(4, input, "DBG_GET_BUFSIZE");
      if (block) {
        EXPECT_EQ(requestLength(block), 4u);
        EXPECT_EQ(fake::le32(requestData(block)), 0x10000u);
      }
    });
    EXPECT_EQ(code, c.exitCode);
    EXPECT_EQ(block != nullptr, c.returnsBlock);
    EXPECT_EQ(err.text(), c.stderrText);
    auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, kIoctlDebug);
    EXPECT_EQ(seen[0].capacity, 4u);
    EXPECT_EQ(seen[0].input.size(), 16u);
    EXPECT_EQ(seen[0].word(0), uint32_t(kDbgGetBufsize));
    if (std::string(c.name) == "late") std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
}

TEST_F(DriverRequest, RequestAfterLostConnectionFailsAtOnce) {
  fake::Server server([](fake::Server& s, const fake::Request& r) { s.reply(r.tag, 0, {1, 2, 3, 4}); });
  fake::CapturedStderr err;
  int code = fake::runProgram([&] {
    openDevice(g_settings.deviceName);
    const uint32_t input[4] = {kDbgListDrvs, 0, 0, 0};
    queFree(driverRequest(4096, input, "DBG_LIST_DRVS"));
    server.drop();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    driverRequest(4096, input, "DBG_LIST_DRVS");
  });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(err.text(), "Marlog: ioctl(DBG_LIST_DRVS) ==> 109\n");
}

}  // namespace
