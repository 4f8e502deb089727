#include <gtest/gtest.h>

#include "decode/capi/capi_structs.h"
#include "tests/unit_support.h"

namespace {

struct ModemCase {
  uint16_t options;
  const char* text;
};

TEST(CapiModemOptions, ListForms) {
  const ModemCase cases[] = {
      {0x0055, "(disable retrain, guard tone 1800 Hz, speaker on while negotiation, volume low)"},
      {0x00C0, "(no guard tone, speaker off, volume maximum)"},
      {0x0002, "(disable calling tone, no guard tone, speaker off, silent)"},
      {0x0003, "(disable retrain, disable calling tone, no guard tone, speaker off, silent)"},
      // Guard tone 3 and loudspeaker 3 print no name; bits 8-15 are ignored.
      {0xFF3C, "(, , silent)"},
  };
  for (const auto& c : cases) {
    CapturedOutput o;
    capiPrintModemOptions(o.stream, c.options);
    EXPECT_EQ(o.text(), c.text) << std::hex << c.options;
  }
}

}  // namespace
