// Operation names by family. A family covers value ranges; a value inside
// them without a name shows its own number as name.
#include <cstdio>

#include "decode/facility/rose_internal.h"
#include "trace/nametable.h"

namespace {

constexpr const char* kQsigNames[] = {
    "QSIGcallingName", "QSIGcalledName", "QSIGconnectedName", "QSIGbusyName",
    "QSIGpathReplacePropose", "QSIGpathReplaceSetup", "QSIGpathReplaceRetain",
    "QSIGcallTransferIdentify", "QSIGcallTransferAbandon", "QSIGcallTransferInitiate",
    "QSIGcallTransferSetup", "QSIGcallTransferActive", "QSIGcallTransferComplete",
    "QSIGcallTransferUpdate", "QSIGsubaddressTransfer", "QSIGactivateDiversionQ",
    "QSIGdeactivateDiversionQ", "QSIGinterrogateDiversionQ", "QSIGcheckRestriction",
    "QSIGcallRerouteing", "QSIGdivertingLegInformation1", "QSIGdivertingLegInformation2",
    "QSIGdivertingLegInformation3", "QSIGcfnrDivertedLegFailed", "reserved", "reserved",
    "reserved", "QSIGccnrRequest", "QSIGccCancel", "QSIGccExecPossible", "QSIGccPathReserve",
    "QSIGccRingout", "QSIGccSuspend", "QSIGccResume", "QSIGcallOfferRequest",
    "QSIGdoNotDisturbActivateQ", "QSIGdoNotDisturbDeactivateQ", "QSIGdoNotDisturbInterrogateQ",
    "QSIGdoNotDisturbOverrideQ", "QSIGdoNotDisturbOvrExecuteQ", "QSIGccbsRequest",
    "QSIGpathRetain", "QSIGserviceAvailable", "QSIGcallIntrusionRequest",
    "QSIGcallIntrusionGetCIPL", "QSIGcallIntrusionIsolate", "QSIGcallIntrusionForcedRelease",
    "QSIGcallIntrusionWOBRequest", "QSIGcallIntrusionCompleted", "QSIGcfbOverride",
    "QSIGlocUpdate", "QSIGlocDelete", "QSIGlocDeReg", "QSIGpisnEnquiry", "QSIGctmiEnquiry",
    "QSIGctmiDivert", "QSIGctmiInform", "QSIGrecallAlerting", "QSIGrecallAnswered",
    "QSIGchargeRequest", "QSIGgetFinalCharge", "QSIGaocFinal", "QSIGaocInterim", "QSIGaocRate",
    "QSIGaocComplete", "QSIGaocDivChargeReq", "QSIGcintLegInformation1",
    "QSIGcintLegInformation2", "QSIGcintCondition", "QSIGcintDisable", "QSIGcintEnable",
    "QSIGwtmoCall", "QSIGauthWtmUser", "QSIGgetWtatParam", "QSIGwtatParamEnq",
    "QSIGgetWtanParam", "QSIGwtanParamEnq", "QSIGtransferAuthParam",
    "QSIGsynchronizationRequest", "QSIGsynchronizationInfo", "QSIGmwiActivate",
    "QSIGmwiDeactivate", "QSIGmwiInterrogate", "reserved", "QSIGcmnRequest", "QSIGcmnInform",
    "QSIGpathReplaceInvite", "QSIGcallInterruptionRequest", "QSIGcallProtectionRequest",
    "QSIGpumRegistr", "QSIGpumDelReg", "QSIGpumDe-reg", "QSIGpumInterrog", "QSIGpumiEnquiry",
    "QSIGpumiDivert", "QSIGpumiInform", "QSIGpumoCall", "QSIGgetRRCInf", "QSIGlocInfoCheck",
    "QSIGssctInitiate", "QSIGssctSetup", "QSIGssctPostDial", "QSIGssctDigitInfo",
    "QSIGdisplay", "QSIGkeypad", "QSIGcallIdentificationAssign",
    "QSIGcallIdentificationUpdate"};
static_assert(sizeof kQsigNames / sizeof kQsigNames[0] == 107);

constexpr NameEntry kEtsiNames[] = {
    {1, "ETSIuserUserService"}, {2, "ETSIcUGCall"}, {3, "ETSImCIDRequest"},
    {4, "ETSIbegin3PTY"}, {5, "ETSIend3PTY"}, {6, "ETSIectExecute"},
    {7, "ETSIactivationDiversion"}, {8, "ETSIdeactivationDiversion"},
    {9, "ETSIactivationStatusNotificationDiv"}, {10, "ETSIdeactivationStatusNotificationDiv"},
    {11, "ETSIinterrogationDiversion"}, {12, "ETSIdiversionInformation"},
    {13, "ETSIcallDeflection"}, {14, "ETSIcallRerouteing"}, {15, "ETSIdivertingLegInformation2"},
    {17, "ETSIinterrogateServedUserNumbers"}, {18, "ETSIdivertingLegInformation1"},
    {19, "ETSIdivertingLegInformation3"}, {20, "ETSIexplicitReservationCreationControl"},
    {21, "ETSIexplicitReservationManagement"}, {22, "ETSIexplicitReservationCancel"},
    {30, "ETSIchargingRequest"}, {31, "ETSIaOCSCurrency"}, {32, "ETSIaOCSSpecialArr"},
    {33, "ETSIaOCDCurrency"}, {34, "ETSIaOCDChargingUnit"}, {35, "ETSIaOCECurrency"},
    {36, "ETSIaOCEChargingUnit"}, {40, "ETSIbeginCONF"}, {41, "ETSIaddCONF"},
    {42, "ETSIsplitCONF"}, {43, "ETSIdropCONF"}, {44, "ETSIisolateCONF"},
    {45, "ETSIreattachCONF"}, {46, "ETSIpartyDISC"}};
constexpr NameEntry kMwiNames[] = {
    {1, "ETSImWIActivate"}, {2, "ETSImWIDeactivate"}, {3, "ETSImWIIndicate"}};
constexpr NameEntry kAlcatelNames[] = {
    {1, "ALCATELclassmarks"}, {15, "ALCATELdivertingLegInformation2"},
    {18, "ALCATELterminateCall"}, {25, "ALCATELminimes"}, {105, "ALCATELtransfert"},
    {112, "ALCATELchargingInfo"}, {7021, "ALCATELKeypad"}, {7042, "ALCATELvmsNotify"},
    {7069, "ALCATELdivertionLegInfoCSTA"}};
constexpr NameEntry kCcbsNames[] = {
    {1, "ETSIcallInfoRetain"}, {2, "ETSIcCBSRequest"}, {3, "ETSIcCBSDeactivate"},
    {4, "ETSIcCBSInterrogate"}, {5, "ETSIcCBSErase"}, {6, "ETSIcCBSRemoteUserFree"},
    {7, "ETSIcCBSCall"}, {8, "ETSIcCBSStatusRequest"}, {9, "ETSIcCBSBFree"},
    {10, "ETSIeraseCallLinkageID"}, {11, "ETSIcCBSStopAlerting"}};
constexpr NameEntry kEectOpNames[] = {
    {4, "USInformationFollowing"}, {8, "USEnhancedExplicitEctExecute"}, {9, "USDCIRequest"},
    {10, "USSetCallTag"}};
constexpr NameEntry kEectErrorNames[] = {{1, "DCINotAssignedByNetwork"}};
constexpr NameEntry kEectNotifyNames[] = {{1, "TransferredCallClearing"}};
constexpr NameEntry kTbctNames[] = {{2, "Transfers2"}, {3, "Transfers3"}};
constexpr NameEntry kEctNames[] = {
    {1, "ETSIexplicitEctExecute"}, {2, "ETSIrequestSubaddress"}, {3, "ETSIsubaddressTransfer"},
    {4, "ETSIectLinkIdRequest"}, {5, "ETSIextInform"}, {6, "ETSIectLoopTest"}};
constexpr NameEntry kCcnrNames[] = {{1, "ETSIcCNRRequest"}, {2, "ETSIcCNRInterrogate"}};

struct ValueRange {
  uint16_t low, high;
};
constexpr ValueRange kQsigRange[] = {{0, 106}};
constexpr ValueRange kEtsiRange[] = {{0, 46}};
constexpr ValueRange kMwiRange[] = {{0, 3}};
constexpr ValueRange kCornetRange[] = {{0, 0}};
constexpr ValueRange kAlcatelRange[] = {{0, 25}, {100, 120}, {7020, 7049}, {7060, 7069}};
constexpr ValueRange kCcbsRange[] = {{0, 11}};
constexpr ValueRange kEectOpRange[] = {{0, 10}};
constexpr ValueRange kOneRange[] = {{0, 1}};
constexpr ValueRange kTbctRange[] = {{0, 3}};
constexpr ValueRange kEctRange[] = {{0, 6}};
constexpr ValueRange kCcnrRange[] = {{0, 2}};

struct OperationFamily {
  uint16_t family;
  const ValueRange* ranges;
  size_t rangeCount;
  const NameEntry* names;  // nullptr: the indexed QSIG table
  size_t nameCount;
};

template <size_t R>
constexpr OperationFamily family(uint16_t f, const ValueRange (&r)[R]) {
  return {f, r, R, nullptr, 0};
}
template <size_t R, size_t N>
constexpr OperationFamily family(uint16_t f, const ValueRange (&r)[R], const NameEntry (&n)[N]) {
  return {f, r, R, n, N};
}

constexpr OperationFamily kFamilies[] = {
    family(0x0000, kQsigRange),
    family(0x0001, kEtsiRange, kEtsiNames),
    family(0x0002, kMwiRange, kMwiNames),
    {0x0003, kCornetRange, 1, kMwiNames, 0},
    family(0x0004, kAlcatelRange, kAlcatelNames),
    family(0x0005, kCcbsRange, kCcbsNames),
    family(0x0006, kEectOpRange, kEectOpNames),
    family(0x0007, kOneRange, kEectErrorNames),
    family(0x0008, kOneRange, kEectNotifyNames),
    family(0x0009, kTbctRange, kTbctNames),
    family(0x000B, kEctRange, kEctNames),
    family(0x000C, kCcnrRange, kCcnrNames),
};

}  // namespace

const char* roseOperationName(uint32_t key, char (&digits)[8]) {
  const uint32_t f = key >> 16, v = key & 0xFFFF;
  for (const OperationFamily& fam : kFamilies) {
    if (fam.family != f) continue;
    bool covered = false;
    for (size_t i = 0; i < fam.rangeCount; ++i)
      covered = covered || (v >= fam.ranges[i].low && v <= fam.ranges[i].high);
    if (!covered) return nullptr;
    const char* name = fam.names ? nameLookup(fam.names, fam.nameCount, v, nullptr)
                                 : nameAt(kQsigNames, v);
    if (name) return name;
    std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(v));
    return digits;
  }
  return nullptr;
}

void rosePrintOperation(FILE* out, unsigned depth, uint32_t key) {
  char digits[8];
  const char* name = roseOperationName(key, digits);
  const int value = static_cast<int>(key & 0xFFFF);
  if (name)
    std::fprintf(out, "%sOP %s (%d)", berIndent(depth).s, name, value);
  else
    std::fprintf(out, "%sOP (%d)", berIndent(depth).s, value);
}
