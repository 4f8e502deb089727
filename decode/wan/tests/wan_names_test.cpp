#include "decode/wan/wan_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
  const char* (*fn)(uint32_t);
  const char* fnName;
  uint32_t value;
  const char* expected;
};

#define NC(f, v, e) {f, #f, v, e}

// Per function: the first and last rows, a value between, a combination of
// two named bits (looked up whole), 0 and an unknown value.
const NameCase kCases[] = {
    NC(lineCallStateName, 0x1, "LINE_CALL_STATE__IDLE"),
    NC(lineCallStateName, 0x100, "LINE_CALL_STATE__CONNECTED"),
    NC(lineCallStateName, 0x4000, "LINE_CALL_STATE__DISCONNECTED"),
    NC(lineCallStateName, 0x10000000, "LINE_CALL_STATE__HANGUP"),
    NC(lineCallStateName, 0x20000000, "LINE_CALL_STATE__DROP"),
    NC(lineCallStateName, 0x101, "LINE_CALL_STATE__???"),
    NC(lineCallStateName, 0x3, "LINE_CALL_STATE__???"),
    NC(lineCallStateName, 0, "LINE_CALL_STATE__???"),

    NC(lineCallFeatureName, 0x1, "LINE_CALL_FEATURE__ACCEPT"),
    NC(lineCallFeatureName, 0x10000000, "LINE_CALL_FEATURE__RELEASEUSERUSERINFO"),
    NC(lineCallFeatureName, 0x80000000, "LINE_CALL_FEATURE__SETCALLDATA"),
    NC(lineCallFeatureName, 0xC0, "LINE_CALL_FEATURE__???"),

    NC(lineCallInfoStateName, 0x1, "LINE_CALL_INFO_STATE__OTHER"),
    NC(lineCallInfoStateName, 0x8000, "LINE_CALL_INFO_STATE__CALLERID"),
    NC(lineCallInfoStateName, 0x40000000, "LINE_CALL_INFO_STATE__CALLDATA"),
    NC(lineCallInfoStateName, 0x80000000, "LINE_CALL_INFO_STATE__???"),

    NC(lineCallPrivilegeName, 0x1, "LINE_CALL_PRIVILEGE__NONE"),
    NC(lineCallPrivilegeName, 0x2, "LINE_CALL_PRIVILEGE__MONITOR"),
    NC(lineCallPrivilegeName, 0x4, "LINE_CALL_PRIVILEGE__OWNER"),
    NC(lineCallPrivilegeName, 0x8, "LINE_CALL_PRIVILEGE__???"),

    NC(lineDevStateName, 0x1, "LINE_DEV_STATE__OTHER"),
    NC(lineDevStateName, 0x200, "LINE_DEV_STATE__OPEN"),
    NC(lineDevStateName, 0x1000000, "LINE_DEV_STATE__REMOVED"),
    NC(lineDevStateName, 0x2000000, "LINE_DEV_STATE__???"),

    NC(lineAddressStateName, 0x1, "LINE_ADDRESS_STATE__OTHER"),
    NC(lineAddressStateName, 0x100, "LINE_ADDRESS_STATE__CAPSCHANGE"),
    NC(lineAddressStateName, 0x200, "LINE_ADDRESS_STATE__???"),

    NC(lineAddrFeatureName, 0x1, "LINE_ADDR_FEATURE__FORWARD"),
    NC(lineAddrFeatureName, 0x2000, "LINE_ADDR_FEATURE__FORWARDDND"),
    NC(lineAddrFeatureName, 0x4000, "LINE_ADDR_FEATURE__???"),

    NC(lineBearerModeName, 0x1, "LINE_BEARER_MODE__VOICE"),
    NC(lineBearerModeName, 0x8, "LINE_BEARER_MODE__DATA"),
    NC(lineBearerModeName, 0x80, "LINE_BEARER_MODE__RESTRICTEDDATA"),
    NC(lineBearerModeName, 0x100, "LINE_BEARER_MODE__???"),

    NC(lineDisconnectModeName, 0x1, "LINE_DISCONNECT_MODE__NORMAL"),
    NC(lineDisconnectModeName, 0x20, "LINE_DISCONNECT_MODE__BUSY"),
    NC(lineDisconnectModeName, 0x80000, "LINE_DISCONNECT_MODE__CANCELLED"),
    NC(lineDisconnectModeName, 0x100000, "LINE_DISCONNECT_MODE__???"),

    NC(lineMediaModeName, 0x1, "LINE_MEDIA_MODE__???"),  // the table starts at 0x2
    NC(lineMediaModeName, 0x2, "LINE_MEDIA_MODE__UNKNOWN"),
    NC(lineMediaModeName, 0x100, "LINE_MEDIA_MODE__DIGITALDATA"),
    NC(lineMediaModeName, 0x4000, "LINE_MEDIA_MODE__VOICEVIEW"),
    NC(lineMediaModeName, 0x8000, "LINE_MEDIA_MODE__???"),

    NC(isdnEventName, 0x1, "ISDN_EVENT_DIALTONE"),
    NC(isdnEventName, 0x100, "ISDN_EVENT_CONNECT"),
    NC(isdnEventName, 0x08000100, "ISDN_EVENT_CONNECT"),  // bit 27 ignored
    NC(isdnEventName, 0x3000, "ISDN_EVENT_TRANSFER"),
    NC(isdnEventName, 0x37FF, "ISDN_EVENTS_ALL"),
    NC(isdnEventName, 0x08000000, "ISDN_EVENT_???"),
    NC(isdnEventName, 0x04000100, "ISDN_EVENT_???"),  // only bit 27 is ignored
    NC(isdnEventName, 0x3001, "ISDN_EVENT_???"),

    NC(isdnCauseName, 0, "ISDN_CAUSE_OK"),
    NC(isdnCauseName, 0x02000000, "ISDN_CAUSE_OK"),
    NC(isdnCauseName, 0x02000010, "ISDN_CAUSE_BUSY"),  // bit 25 ignored
    NC(isdnCauseName, 0x8000, "ISDN_CAUSE_OUT_OF_SERVICE"),
    NC(isdnCauseName, 0x30000, "ISDN_CAUSE_REMOVE_OK"),
    NC(isdnCauseName, 0xA0000, "ISDN_CAUSE_SWITCH"),
    NC(isdnCauseName, 0x400000, "ISDN_CAUSE_SHUTDOWN"),
    NC(isdnCauseName, 0x08000010, "ISDN_CAUSE_???"),  // only bit 25 is ignored
    NC(isdnCauseName, 0x70000, "ISDN_CAUSE_???"),

    NC(oidName, 0x00010101, "OID_GEN_SUPPORTED_LIST"),
    NC(oidName, 0x00010118, "OID_GEN_NETWORK_LAYER_ADDRESSES"),
    NC(oidName, 0x00010119, "OID_0x00010119"),
    NC(oidName, 0x00020120, "OID_GEN_CO_MINIMUM_LINK_SPEED"),  // a second run in a group
    NC(oidName, 0x00020106, "OID_0x00020106"),                  // the gap between runs
    NC(oidName, 0x03030276, "OID_FDDI_PORT_HARDWARE_PRESENT"),
    NC(oidName, 0x03030277, "OID_FDDI_SMT_STATION_ACTION"),
    NC(oidName, 0x0303028D, "OID_FDDI_IF_SPECIFIC"),
    NC(oidName, 0x0303028E, "OID_0x0303028E"),
    NC(oidName, 0x04010180, "OID_WAN_CO_GET_INFO"),
    NC(oidName, 0x0401020A, "OID_WAN_GET_BRIDGE_INFO"),
    NC(oidName, 0x07030101, "OID_TAPI_ACCEPT"),
    NC(oidName, 0x07030106, "OID_TAPI_CONFIG_DIALOG (NT only)"),
    NC(oidName, 0x07030117, "OID_TAPI_OPEN"),
    NC(oidName, 0x0703013F, "OID_TAPI_LINE_NEGOTIATE_TSPI_VERSION (W95/1.4)"),
    NC(oidName, 0x07030140, "OID_0x07030140"),
    NC(oidName, 0x07030181, "OID_TAPI_PHONE_DEV_SPECIFIC (W95/1.4)"),
    NC(oidName, 0x0703019B, "OID_TAPI_PHONE_CLOSE (W95/1.4)"),
    NC(oidName, 0x0A010100, "OID_IRDA_RECEIVING"),
    NC(oidName, 0xFC010210, "OID_FFP_SUPPORT"),
    NC(oidName, 0xFE001007, "OID_CO_TAPI_GET_CALL_DIAGNOSTICS"),
    NC(oidName, 0x12345678, "OID_0x12345678"),
    NC(oidName, 0, "OID_0x00000000"),
    NC(oidName, 0xFFFFFFFF, "OID_0xFFFFFFFF"),
};

TEST(WanNames, LookupAndFallback) {
  for (const NameCase& c : kCases)
    EXPECT_STREQ(c.fn(c.value), c.expected) << c.fnName << "(0x" << std::hex << c.value << ")";
}

TEST(WanNames, OidFallbackIsReusedStorage) {
  // The fallback is rewritten by the next call; a named value is a constant.
  std::string first = oidName(0x11111111);
  EXPECT_EQ(first, "OID_0x11111111");
  EXPECT_STREQ(oidName(0x22222222), "OID_0x22222222");
  EXPECT_STREQ(oidName(0x00010101), "OID_GEN_SUPPORTED_LIST");
}

}  // namespace
