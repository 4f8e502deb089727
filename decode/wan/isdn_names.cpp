// Names of the WAN miniport's own ISDN events and causes.
#include "decode/wan/wan_names.h"

#include "trace/nametable.h"

namespace {

// Bit 27 of an event and bit 25 of a cause are no part of the name.
constexpr uint32_t kEventMarker = 0x08000000;
constexpr uint32_t kCauseMarker = 0x02000000;

// ISDN events (keyword ISDN_EV_0x).
constexpr NameEntry kIsdnEventNames[] = {
    {0x1, "ISDN_EVENT_DIALTONE"},
    {0x2, "ISDN_EVENT_DIALING"},
    {0x4, "ISDN_EVENT_PROCEEDING"},
    {0x8, "ISDN_EVENT_ALERT"},
    {0x10, "ISDN_EVENT_CHARGING"},
    {0x20, "ISDN_EVENT_CHARGETICK"},
    {0x40, "ISDN_EVENT_DATE"},
    {0x80, "ISDN_EVENT_RING"},
    {0x100, "ISDN_EVENT_CONNECT"},
    {0x200, "ISDN_EVENT_DISCONNECT"},
    {0x400, "ISDN_EVENT_IDLE"},
    {0x800, "ISDN_EVENT_REASSIGN_HW"},
    {0x1000, "ISDN_EVENT_SEND_DONE"},
    {0x2000, "ISDN_EVENT_RECV_DONE"},
    {0x3000, "ISDN_EVENT_TRANSFER"},
    {0x37FF, "ISDN_EVENTS_ALL"},
};

// ISDN causes (keyword ISDN_CAUSE_0x).
constexpr NameEntry kIsdnCauseNames[] = {
    {0x0, "ISDN_CAUSE_OK"},
    {0x1, "ISDN_CAUSE_UNKNOWN"},
    {0x2, "ISDN_CAUSE_NORMAL"},
    {0x4, "ISDN_CAUSE_REJECT"},
    {0x8, "ISDN_CAUSE_IGNORE"},
    {0x10, "ISDN_CAUSE_BUSY"},
    {0x20, "ISDN_CAUSE_NO_ANSWER"},
    {0x40, "ISDN_CAUSE_BAD_ADDRESS"},
    {0x80, "ISDN_CAUSE_UNREACHABLE"},
    {0x100, "ISDN_CAUSE_HARDWARE"},
    {0x200, "ISDN_CAUSE_INCOMPATIBLE"},
    {0x400, "ISDN_CAUSE_UNAVAIL"},
    {0x800, "ISDN_CAUSE_CONGESTION"},
    {0x8000, "ISDN_CAUSE_OUT_OF_SERVICE"},
    {0x10000, "ISDN_CAUSE_ASSIGN_OK"},
    {0x20000, "ISDN_CAUSE_ASSIGN_KO"},
    {0x30000, "ISDN_CAUSE_REMOVE_OK"},
    {0x40000, "ISDN_CAUSE_REMOVE_KO"},
    {0x50000, "ISDN_CAUSE_E_AGAIN"},
    {0x60000, "ISDN_CAUSE_E_RETRY"},
    {0x90000, "ISDN_CAUSE_CABLE"},
    {0xA0000, "ISDN_CAUSE_SWITCH"},
    {0x100000, "ISDN_CAUSE_FAILURE"},
    {0x200000, "ISDN_CAUSE_TIMEOUT"},
    {0x400000, "ISDN_CAUSE_SHUTDOWN"},
};

}  // namespace

const char* isdnEventName(uint32_t value) {
  return nameOf(kIsdnEventNames, value & ~kEventMarker, "ISDN_EVENT_???");
}

const char* isdnCauseName(uint32_t value) {
  return nameOf(kIsdnCauseNames, value & ~kCauseMarker, "ISDN_CAUSE_???");
}
