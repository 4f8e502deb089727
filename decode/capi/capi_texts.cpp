// Info, Reason, Reason_B3 and Reject texts of CAPI 2.0.
#include "decode/capi/capi_texts.h"

#include "decode/adapter/q931.h"

namespace {

// Grouped by the CAPI classes: 0x00xx informative, 0x10xx registration,
// 0x11xx message exchange, 0x20xx resources, 0x30xx requested services.
constexpr NameEntry kInfoRows[] = {
    {0x0000, "initiated"},
    {0x0001, "NCPI not supported by current protocol"},
    {0x0002, "flags not supported by current protocol"},
    {0x0003, "alert already sent by another application"},
    {0x1001, "too many applications"},
    {0x1002, "logical block size too small"},
    {0x1003, "buffer exceeds 64 kByte"},
    {0x1004, "message buffer size too small"},
    {0x1005, "max. number of logical connections not supported"},
    {0x1006, "reserved"},
    {0x1007, "not accepted because of internal busy situation"},
    {0x1008, "OS resource error"},
    {0x1009, "Common ISDN API not installed"},
    {0x100A, "controller does not support external equipment"},
    {0x100B, "controller does only support external equipment"},
    {0x1101, "illegal application number"},
    {0x1102, "illegal command"},
    {0x1103, "queue full"},
    {0x1104, "queue is empty"},
    {0x1105, "queue overflow, message lost"},
    {0x1106, "unknown notification parameter"},
    {0x1107, "not accepted because of internal busy situation"},
    {0x1108, "OS resource error"},
    {0x1109, "Common ISDN API not installed"},
    {0x110A, "controller does not support external equipment"},
    {0x110B, "controller does only support external equipment"},
    {0x2001, "message not supported in current state"},
    {0x2002, "illegal Controller/PLCI/NCCI"},
    {0x2003, "out of PLCI"},
    {0x2004, "out of NCCI"},
    {0x2005, "out of LISTEN"},
    {0x2006, "out of FAX resources"},
    {0x2007, "illegal message parameter coding"},
    {0x2008, "no interconnection resources available"},
    {0x3001, "B1 protocol not supported"},
    {0x3002, "B2 protocol not supported"},
    {0x3003, "B3 protocol not supported"},
    {0x3004, "B1 protocol parameter not supported"},
    {0x3005, "B2 protocol parameter not supported"},
    {0x3006, "B3 protocol parameter not supported"},
    {0x3007, "B protocol combination not supported"},
    {0x3008, "NCPI not supported"},
    {0x3009, "CIP value unknown"},
    {0x300A, "flags not supported"},
    {0x300B, "facility not supported"},
    {0x300C, "data length not supported by current protocol"},
    {0x300D, "reset procedure not supported by current protocol"},
    {0x300E, "supplementary service not supported / TEI assignment failed / overlapping channel masks"},
    {0x300F, "unsupported interoperability"},
    {0x3010, "request not allowed in this state"},
    {0x3011, "facility specific function not supported"},
    {0x3305, "rejected by the ISDN-Warden security option"},
};

constexpr NameEntry kReasonRows[] = {
    {0x0000, "no cause available"},
    {0x3301, "protocol error layer 1"},
    {0x3302, "protocol error layer 2"},
    {0x3303, "protocol error layer 3"},
    {0x3304, "another application got that call"},
    {0x3305, "Call rejected by the ISDN-Warden security option"},
};

// Protocol-independent values, fax (T.30) 0x331x and modem 0x35xx; no cause
// rows.
constexpr NameEntry kReasonB3Rows[] = {
    {0x0000, "clearing according to protocol"},
    {0x3301, "protocol error layer 1"},
    {0x3302, "protocol error layer 2"},
    {0x3303, "protocol error layer 3"},
    {0x3305, "Call rejected by the ISDN-Warden security option"},
    {0x3311, "remote station is no fax G3 machine"},
    {0x3312, "training error"},
    {0x3313, "remote station does not support transfer mode"},
    {0x3314, "remote abort"},
    {0x3315, "remote procedure error"},
    {0x3316, "local tx data underrun"},
    {0x3317, "local rx data overflow"},
    {0x3318, "local abort"},
    {0x3319, "illegal parameter coding"},
    {0x3500, "normal end of connection"},
    {0x3501, "carrier lost"},
    {0x3502, "no modem with error correction"},
    {0x3503, "no answer to protocol request"},
    {0x3504, "modem only works in sync mode"},
    {0x3505, "framing fails"},
    {0x3506, "protocol negotiation fails"},
    {0x3507, "modem sends wrong protocol request"},
    {0x3508, "sync information missing"},
    {0x3509, "normal end of connection"},
    {0x350A, "no answer"},
    {0x350B, "protocol error"},
    {0x350C, "error on compression"},
    {0x350D, "no connect"},
    {0x350E, "no fallback allowed"},
    {0x350F, "no modem on requested number"},
    {0x3510, "handshake error"},
};

constexpr NameEntry kRejectRows[] = {
    {0, "accept call"},
    {1, "ignore call"},
    {2, "reject call, normal call clearing"},
    {3, "reject call, user busy"},
    {4, "reject call, requested channel not available"},
    {5, "reject call, facility rejected"},
    {6, "reject call, channel unacceptable"},
    {7, "reject call, incompatible destination"},
    {8, "reject call, destination out of order"},
};

}  // namespace

const CapiValueTable kCapiInfo = capiTable16(kInfoRows, "unknown value");
const CapiValueTable kCapiReason = capiTable16(kReasonRows, "unknown value");
const CapiValueTable kCapiReasonB3 = capiTable16(kReasonB3Rows, "unknown value");
const CapiValueTable kCapiReject = capiTable16(kRejectRows, "unknown value");

const char* capiCauseText(uint16_t value) {
  const char* text = q931CauseText(value & 0x7Fu);
  return text ? text : "";
}

const char* capiPrintReason(uint16_t value) {
  if ((value >> 8) == 0x34) return capiCauseText(value);
  return capiTextOf(kCapiReason, value);
}

void capiPrintInfoLine(FILE* out, uint16_t info) { std::fprintf(out, "    Info: %s\n", capiTextOf(kCapiInfo, info)); }
