// Name tables of the signalling decoder: protocols, message types, elements,
// call states and their timers.
#include "decode/adapter/q931_internal.h"
#include "trace/nametable.h"

namespace {

constexpr NameEntry kLabels[] = {
    {0x08, "Q.931  "}, {0x0C, "CORNET "}, {0x40, "DKZE   "}, {0x41, "1TR6   "}};

constexpr NameEntry kMessageTypes[] = {
    {0x01, "ALERT"},       {0x02, "CALL_PROC"},    {0x03, "PROGRESS"},
    {0x05, "SETUP"},       {0x07, "CONN"},         {0x0D, "SETUP_ACK"},
    {0x0F, "CONN_ACK"},    {0x20, "USER_INFO"},    {0x21, "SUSP_REJ"},
    {0x22, "RESUME_REJ"},  {0x24, "HOLD_REQ"},     {0x25, "SUSP"},
    {0x26, "RESUME"},      {0x28, "HOLD_ACK"},     {0x2D, "SUSP_ACK"},
    {0x2E, "RESUME_ACK"},  {0x30, "HOLD_REJ"},     {0x31, "RETRIEVE_REQ"},
    {0x33, "RETRIEVE_ACK"}, {0x37, "RETRIEVE_REJ"}, {0x45, "DISC"},
    {0x46, "RESTART"},     {0x4D, "REL"},          {0x4E, "RESTART_ACK"},
    {0x5A, "REL_COM"},     {0x60, "SEGMENT"},      {0x62, "FACILITY"},
    {0x64, "REGISTER"},    {0x6D, "GINFO"},        {0x6E, "NOTIFY"},
    {0x75, "STATUS_ENQ"},  {0x79, "CONGESTION_CTRL"}, {0x7B, "INFO"},
    {0x7D, "STATUS"}};

constexpr NameEntry kElements[] = {
    {0x0A1, "Sending complete"},
    {0x0A0, "MORE"},
    {0x0B0, "Congestion level"},
    {0x0D0, "Repeat indicator"},
    {0x000, "SMSG"},
    {0x004, "Bearer Capability"},
    {0x008, "Cause"},
    {0x00C, "Connected Address"},
    {0x010, "Call Identity"},
    {0x014, "Call State"},
    {0x018, "Channel Id"},
    {0x01A, "Advice of Charge"},
    {0x01C, "Facility"},
    {0x01E, "Progress Indicator"},
    {0x020, "NSF"},
    {0x027, "Notify Indicator"},
    {0x028, "Display"},
    {0x029, "Date"},
    {0x02C, "Key "},
    {0x034, "Signal"},
    {0x03A, "SPID"},
    {0x03B, "Endpoint Id"},
    {0x04C, "Connected Number"},
    {0x06C, "Calling Party Number"},
    {0x06D, "Calling Party Subaddress"},
    {0x070, "Called Party Number"},
    {0x071, "Called Party Subaddress"},
    {0x074, "Redirecting Number"},
    {0x076, "Redirection Number"},
    {0x078, "TNET"},
    {0x079, "Restart Indicator"},
    {0x07C, "LLC"},
    {0x07D, "HLC"},
    {0x07E, "User User Info"},
    {0x07F, "ESC"},
    {0x51A, "Advice of Charge"},
    {0x61A, "Advice of Charge"},
    {0x601, "Service Indicator"},
    {0x602, "Charging Info"},
    {0x603, "Date"},
    {0x607, "Called Party State"}};

constexpr const char* kCallStates[26] = {
    "Null state", "Call initiated", "Overlap sending", "Outgoing call proceeding",
    "Call delivered", "", "Call present", "Call received", "Connect request",
    "Incoming call proceeding", "Active", "Disconnect request", "Disconnect indication", "", "",
    "Suspend request", "", "Resume request", "", "Release request", "", "", "", "", "",
    "Overlap receiving"};

constexpr const char* kTimers[26] = {
    "", "T303", "", "", "", "", "", "", "T313", "", "T309", "T305", "", "", "", "T319", "",
    "T318", "", "T308", "", "", "", "", "", "T302"};

}  // namespace

const char* q931ProtocolLabel(uint8_t pd) { return nameOf(kLabels, pd); }
const char* q931MessageTypeName(uint8_t type) { return nameOf(kMessageTypes, type); }
const char* q931ElementName(unsigned key) { return nameOf(kElements, key); }
const char* q931CallStateName(unsigned state) { return nameAt(kCallStates, state); }
const char* q931TimerName(unsigned state) { return nameAt(kTimers, state); }
