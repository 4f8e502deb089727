// Cause texts of Q.931 and 1TR6, indexed by cause value; a value without a
// text shows as its decimal number.
#include "decode/adapter/q931.h"
#include "trace/nametable.h"

namespace {

struct CauseDigits {
  char text[128][4];
};
constexpr CauseDigits makeDigits() {
  CauseDigits d{};
  for (unsigned v = 0; v < 128; ++v) {
    unsigned i = 0;
    if (v >= 100) d.text[v][i++] = static_cast<char>('0' + v / 100);
    if (v >= 10) d.text[v][i++] = static_cast<char>('0' + v / 10 % 10);
    d.text[v][i] = static_cast<char>('0' + v % 10);
  }
  return d;
}
constexpr CauseDigits kDigits = makeDigits();

constexpr NameEntry kQ931Causes[] = {
    {1, "Unallocated (unassigned) number"},
    {2, "No route to specified transit network"},
    {3, "No route to destination"},
    {6, "Channel unacceptable"},
    {7, "Call awarded and being deliverd in an established channel"},
    {16, "Normal call clearing"},
    {17, "User busy"},
    {18, "No user responding"},
    {19, "No answer from user (user alerted)"},
    {21, "Call rejected"},
    {22, "Number changed"},
    {26, "Non-selected user clearing"},
    {27, "Destination out of order"},
    {28, "Invalid number format"},
    {29, "Facility rejected"},
    {30, "Response to STATUS ENQUIRY"},
    {31, "Normal, unspecified"},
    {34, "No circuit/channel available"},
    {38, "Network out of order"},
    {41, "Temporary failure"},
    {42, "Switching equipment congestion"},
    {43, "Access information discarded"},
    {44, "Requested circuit/channel not available"},
    {47, "Resources unavailable, unspecified"},
    {49, "Quality of service unavailable"},
    {50, "Requested facility not subscribed"},
    {57, "Bearer capability not authorized"},
    {58, "Bearer capability not presently available"},
    {63, "Service or option not available, unspecified"},
    {65, "Bearer capability not implemented"},
    {66, "Channel type not implemented"},
    {69, "Requested facility not implemented"},
    {70, "Only restricted digital information bearer capability is available"},
    {79, "Service or option not implemented, unspecified"},
    {81, "Invalid call reference value"},
    {82, "Identified channel does not exist"},
    {83, "A suspended call exists, but this call identity does not"},
    {84, "Call identity in use"},
    {85, "No call suspended"},
    {86, "Call having the requested call identity has been cleared"},
    {88, "Incompatible destination"},
    {91, "Invalid transit network selection"},
    {95, "Invalid message, unspecified"},
    {96, "Mandatory information element is missing"},
    {97, "Message type non-existent or not implemented"},
    {98, "Message not compatible with call state or not implemented"},
    {99, "Information element non-existent or not implemented"},
    {100, "Invalid information element contents"},
    {101, "Message not compatible with call state"},
    {102, "Recovery on timer expiry"},
    {111, "Protocol error, unspecified"},
    {127, "Internetworking, unspecified"}};

constexpr NameEntry k1tr6Causes[] = {
    {1, "Invalid call reference"},
    {3, "Bearer service not implemented"},
    {6, "Channel unacceptable"},
    {7, "Call identity does not exist"},
    {8, "Call identity in use"},
    {10, "No channel available"},
    {16, "Requested facility not implemented"},
    {17, "Requested facility not subscribed"},
    {32, "Outgoing call barred"},
    {33, "User access busy"},
    {34, "Wrong closed user group"},
    {37, "Semipermanent connection not allowed"},
    {48, "Reverse charging not allowed at originating end"},
    {53, "Destination not obtainable"},
    {56, "Number changed"},
    {57, "Out of order"},
    {58, "No User responding"},
    {59, "User busy"},
    {61, "Incoming calls barred"},
    {62, "Call rejected"},
    {88, "Incompatible destination"},
    {89, "Network congestion"},
    {90, "Remote user initiated"},
    {112, "Local procedure error"},
    {113, "Remote procedure error"},
    {114, "Remote user suspended"},
    {115, "Remote user resumed"},
    {127, "User info discarded locally"}};

}  // namespace

// Values above 127 are taken modulo 128, as the cause field has seven bits.
const char* q931CauseText(unsigned cause) {
  cause &= 0x7F;
  return nameOf(kQ931Causes, cause, kDigits.text[cause]);
}

const char* q931Cause1tr6Text(unsigned cause) {
  cause &= 0x7F;
  return nameOf(k1tr6Causes, cause, kDigits.text[cause]);
}
