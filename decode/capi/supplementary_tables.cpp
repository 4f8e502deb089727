#include "decode/capi/supplementary_tables.h"

namespace {

constexpr NameEntry kFunctionRows[] = {
    {0, "get supported services"}, {1, "listen"}, {2, "hold"}, {3, "retrieve"}, {4, "suspend"},
    {5, "resume"}, {6, "ECT"}, {7, "3PTY begin"}, {8, "3PTY end"}, {9, "CF activate"},
    {10, "CF deactivate"}, {11, "CF interrogate parameters"}, {12, "CF interrogate numbers"},
    {13, "CD"}, {14, "MCID"}, {15, "CCBS request"}, {16, "CCBS deactivate"},
    {17, "CCBS interrogate"}, {18, "CCBS call"}, {19, "MWI activate"}, {20, "MWI deactivate"},
    {21, "CCNR request"}, {22, "CCNR interrogate"}, {23, "CONF Begin"}, {24, "CONF add"},
    {25, "CONF split"}, {26, "CONF drop"}, {27, "CONF isolate"}, {28, "CONF reattach"},
    {0x8000, "hold notification"},
    {0x8001, "retrieve notification"},
    {0x8002, "suspend notification"},
    {0x8003, "resume notification"},
    {0x8004, "call is diverting notification"},
    {0x8005, "diversion activated notification"},
    {0x8006, "CF activate notification"},
    {0x8007, "CF deactivate notification"},
    {0x8008, "diversion information"},
    {0x8009, "call transfer alerted notification"},
    {0x800A, "call transfer active notification"},
    {0x800B, "conference established notification"},
    {0x800C, "conference disconnect notification"},
    {0x800D, "CCBS erase call linkage ID notification"},
    {0x800E, "CCBS status notification"},
    {0x800F, "CCBS remote user free notification"},
    {0x8010, "CCBS B-free notification"},
    {0x8011, "CCBS erase notification"},
    {0x8012, "CCBS stop alerting notification"},
    {0x8013, "CCBS info retain notification"},
    {0x8014, "MWI indication"},
    {0x8015, "CCNR info retain notification"},
    {0x8016, "CONF partyDISC"},
    {0x8017, "CONF notification"},
};
constexpr NameEntry kNotificationMaskRows[] = {
    {0x1, "Hold/Retrieve"}, {0x2, "Terminal portability"}, {0x4, "ECT/CT"}, {0x8, "3PTY"},
    {0x10, "Call Forwarding/Call Deflection"}, {0x20, "to be ignored"}, {0x80, "CCBS"},
    {0x100, "MWI Message Waiting Indication"}, {0x200, "CCNR"}, {0x400, "CONF"},
};
constexpr NameEntry kSupportedServicesRows[] = {
    {0x1, "Hold/Retrieve"}, {0x2, "Terminal portability"}, {0x4, "ECT/CT"}, {0x8, "3PTY"},
    {0x10, "Call Forwarding"}, {0x20, "Call Deflection"}, {0x40, "MCID"}, {0x80, "CCBS"},
    {0x100, "MWI Message Waiting Indication"}, {0x200, "CCNR"}, {0x400, "CONF"},
};
constexpr NameEntry kCfTypeRows[] = {{0, "CFU"}, {1, "CFB"}, {2, "CFNR"}};
constexpr NameEntry kPresentationRows[] = {
    {0, "Display of own address not allowed"}, {1, "Display of own address allowed"}};
constexpr NameEntry kDiversionReasonRows[] = {
    {0, "unknown"}, {1, "CFU"}, {2, "CFB"}, {3, "CFNR"}, {4, "CD alerting"}, {5, "CD immediate"}};

}  // namespace

const CapiValueTable kSuppFunction = capiTable16(kFunctionRows, "reserved");
const CapiValueTable kSuppNotificationMask = capiTable32(kNotificationMaskRows, "unknown value");
const CapiValueTable kSuppSupportedServices = capiTable32(kSupportedServicesRows, "unknown value");
const CapiValueTable kSuppCfType = capiTable16(kCfTypeRows, "reserved");
const CapiValueTable kSuppPresentation = capiTable16(kPresentationRows, "reserved");
const CapiValueTable kSuppDiversionReason = capiTable16(kDiversionReasonRows, "reserved");
