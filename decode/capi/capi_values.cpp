// Value tables of the CAPI message printers.
#include "decode/capi/capi_params.h"

namespace {

constexpr NameEntry kCipValueRows[] = {
    {0, "no predefined profile"},
    {1, "speech"},
    {2, "unrestricted digital information"},
    {3, "restricted digital information"},
    {4, "3.1 kHz audio"},
    {5, "7 kHz audio"},
    {6, "video"},
    {7, "packet mode"},
    {8, "56 kBit/s rate adaption"},
    {9, "unrestricted digital information with tones"},
    {10, "reserved"},
    {11, "reserved"},
    {12, "reserved"},
    {13, "reserved"},
    {14, "reserved"},
    {15, "reserved"},
    {16, "telephony"},
    {17, "fax group 2/3"},
    {18, "fax group 4 class 1"},
    {19, "teletex basic/mixed and fax group 4 class 2/3"},
    {20, "teletex basic/processable"},
    {21, "teletex basic"},
    {22, "interworking for videotex"},
    {23, "telex"},
    {24, "message handling systems X.400"},
    {25, "OSI application X.200"},
    {26, "7 kHz telephony"},
    {27, "video telephony, first connection"},
    {28, "video telephony, second connection"},
};

// Bit n stands for CIP value n; bits 10-15 and 29-31 have no row.
constexpr NameEntry kCipMaskRows[] = {
    {0x1, "no predefined profile"},
    {0x2, "speech"},
    {0x4, "unrestricted digital information"},
    {0x8, "restricted digital information"},
    {0x10, "3.1 kHz audio"},
    {0x20, "7 kHz audio"},
    {0x40, "video"},
    {0x80, "packet mode"},
    {0x100, "56 kBit/s rate adaption"},
    {0x200, "unrestricted digital information with tones"},
    {0x10000, "telephony"},
    {0x20000, "fax group 2/3"},
    {0x40000, "fax group 4 class 1"},
    {0x80000, "teletex basic/mixed and fax group 4 class 2/3"},
    {0x100000, "teletex basic/processable"},
    {0x200000, "teletex basic"},
    {0x400000, "interworking for videotex"},
    {0x800000, "telex"},
    {0x1000000, "message handling systems X.400"},
    {0x2000000, "OSI application X.200"},
    {0x4000000, "7 kHz telephony"},
    {0x8000000, "video telephony F.721, first connection"},
    {0x10000000, "video telephony F.721, second connection"},
};

constexpr NameEntry kInfoMaskRows[] = {
    {0x1, "cause"},
    {0x2, "date/time"},
    {0x4, "display"},
    {0x8, "user-user info"},
    {0x10, "call progression"},
    {0x20, "facility"},
    {0x40, "charging"},
    {0x80, "called party number"},
    {0x100, "channel identification"},
    {0x200, "early B3 connect"},
    {0x400, "redirected/redirecting number"},
    {0x1000, "sending complete"},
};

constexpr NameEntry kDataB3ReqFlagRows[] = {
    {0x1, "qualifier bit"},
    {0x2, "more data bit"},
    {0x4, "delivery confirmation bit"},
    {0x8, "expedited data"},
    {0x10, "UI frame"},
};

constexpr NameEntry kDataB3IndFlagRows[] = {
    {0x1, "qualifier bit"},
    {0x2, "more data bit"},
    {0x4, "delivery confirmation bit"},
    {0x8, "expedited data"},
    {0x10, "break"},
    {0x8000, "framing error bit"},
};

constexpr NameEntry kPortabilityRows[] = {
    {0, "suspend"},
    {1, "resume"},
};

constexpr NameEntry kInfoElementRows[] = {
    {0xA1, "Sending complete"},
    {0xA0, "MORE"},
    {0xB0, "Congestion level"},
    {0xD0, "Repeat indicator"},
    {0x00, "SMSG"},
    {0x04, "Bearer Capability"},
    {0x08, "Cause"},
    {0x0C, "Connected Address"},
    {0x10, "Call Identity"},
    {0x14, "Call State"},
    {0x18, "Channel Id"},
    {0x1A, "Advice of Charge"},
    {0x1C, "Facility"},
    {0x1E, "Progress Indicator"},
    {0x20, "NSF"},
    {0x27, "Notify Indicator"},
    {0x28, "Display"},
    {0x29, "Date"},
    {0x2C, "Key "},
    {0x34, "Signal"},
    {0x3A, "SPID"},
    {0x3B, "Endpoint Id"},
    {0x4C, "Connected Number"},
    {0x6C, "Calling Party Number"},
    {0x6D, "Calling Party Subaddress"},
    {0x70, "Called Party Number"},
    {0x71, "Called Party Subaddress"},
    {0x74, "Redirecting Number"},
    {0x76, "Redirection Number"},
    {0x78, "TNET"},
    {0x79, "Restart Indicator"},
    {0x7C, "LLC"},
    {0x7D, "HLC"},
    {0x7E, "User User Info"},
    {0x7F, "ESC"},
};

constexpr NameEntry kNetworkEventRows[] = {
    {0x01, "alerting"},
    {0x02, "call proceeding"},
    {0x07, "connect"},
    {0x0F, "connect acknowledge"},
    {0x03, "progress"},
    {0x05, "setup"},
    {0x0D, "setup acknowledge"},
    {0x26, "resume"},
    {0x2E, "resume acknowledge"},
    {0x22, "resume reject"},
    {0x25, "suspend"},
    {0x2D, "suspend acknowledge"},
    {0x21, "suspend reject"},
    {0x20, "user information"},
    {0x45, "disconnect"},
    {0x4D, "release"},
    {0x5A, "release complete"},
    {0x46, "restart"},
    {0x4E, "restart acknowledge"},
    {0x60, "segment"},
    {0x79, "congestion control"},
    {0x7B, "information"},
    {0x62, "facility"},
    {0x6E, "notify"},
    {0x7D, "status"},
    {0x75, "status enquiry"},
};

}  // namespace

const CapiValueTable kCapiCipValues = capiTable16(kCipValueRows, "unknown value");
const CapiValueTable kCapiCipMask = capiTable32(kCipMaskRows, "reserved");
const CapiValueTable kCapiCipMask2 = {nullptr, 0, "reserved", true};
const CapiValueTable kCapiInfoMask = capiTable32(kInfoMaskRows, "reserved");
const CapiValueTable kCapiDataB3ReqFlags = capiTable16(kDataB3ReqFlagRows, "reserved");
const CapiValueTable kCapiDataB3IndFlags = capiTable16(kDataB3IndFlagRows, "reserved");
const CapiValueTable kCapiPortability = capiTable16(kPortabilityRows, "reserved");
const CapiValueTable kCapiInfoElements = capiTable16(kInfoElementRows, "");
const CapiValueTable kCapiNetworkEvents = capiTable16(kNetworkEventRows, "unknown value");
