#include "decode/adapter/adapter_names.h"

#include "decode/adapter/xlog_text.h"
#include "trace/nametable.h"

namespace {

// Signalling codes; the indication table overrides the few codes whose
// indication is named differently from the request.
constexpr NameEntry kSigNames[] = {
    {0x01, "CALL_REQ"},      {0x02, "LISTEN_REQ"},    {0x03, "HANGUP"},         {0x04, "SUSPEND"},
    {0x05, "RESUME"},        {0x06, "SUSPEND_REJ"},   {0x08, "USER_DATA"},      {0x09, "CONGESTION"},
    {0x0A, "INDICATE_REQ"},  {0x0B, "CALL_RES"},      {0x0C, "CALL_ALERT"},     {0x0D, "INFO_REQ"},
    {0x0E, "REJECT"},        {0x0F, "RESOURCES"},     {0x10, "TEL_CTRL"},       {0x11, "STATUS_REQ"},
    {0x12, "FAC_REG_REQ"},   {0x13, "FAC_REG_ACK"},   {0x14, "FAC_REG_REJ"},    {0x15, "CALL_COMPLETE"},
    {0x19, "FACILITY_REQ"},  {0x1A, "FACILITY_IND"},  {0x1D, "SIG_CTRL"},       {0x1E, "DSP_CTRL"},
    {0x1F, "LAW_REQ"},       {0x29, "S_SERVICE"},     {0x2A, "S_SERVICE_REJ"},  {0x2B, "S_SUPPORTED"},
    {0x2C, "STATUS_ENQ"},    {0x30, "SSEXT_REQ"},     {0x31, "SSEXT_IND"},      {0x41, "VSWITCH_REQ"},
    {0x42, "VSWITCH_IND"},   {0x43, "MWI_POLL"},      {0x44, "CALL_PEND_NOTIFY"}, {0xFE, "UREMOVE"},
    {0xFF, "REMOVE"},
};
constexpr NameEntry kSigIndicationNames[] = {
    {0x01, "CALL_CON"}, {0x02, "CALL_IND"}, {0x0A, "INDICATE_IND"}, {0x0D, "INFO_IND"},
};

constexpr NameEntry kManRequestNames[] = {
    {0x01, "ASSIGN"},       {0x02, "MAN_READ"},      {0x03, "MAN_WRITE"}, {0x04, "MAN_EXECUTE"},
    {0x05, "MAN_EVENT_ON"}, {0x06, "MAN_EVENT_OFF"}, {0x07, "MAN_LOCK"},  {0x08, "MAN_UNLOCK"},
    {0xFE, "UREMOVE"},      {0xFF, "REMOVE"},
};
constexpr NameEntry kManIndicationNames[] = {
    {0x01, "MAN_MDATA"},     {0x02, "MAN_INFO_IND"}, {0x03, "MAN_EVENT_IND"},
    {0x04, "MAN_TRACE_IND"}, {0x09, "MAN_COMBI_IND"},
};

constexpr const char* kNlNames[] = {
    "N-MDATA", "N-CONNECT", "N-CONNECT ACK", "N-DISC",   "N-DISC ACK",  "N-RESET",     "N-RESET ACK",
    "N-DATA",  "N-EDATA",   "N-UDATA",       "N-BDATA",  "N-DATA ACK",  "N-EDATA ACK",
};

// Error return codes, shown after a separator.
constexpr NameEntry kRcErrorNames[] = {
    {0x01, "UNKNOWN_COMMAND"}, {0x02, "WRONG_COMMAND"}, {0x03, "WRONG_ID"},
    {0x04, "WRONG_CH"},        {0x05, "UNKNOWN_IE"},    {0x06, "WRONG_IE"},
    {0x07, "OUT_OF_RESOURCES"}, {0x10, "N_FLOW_CONTROL"},
};
// Success codes, shown as a plain name.
constexpr NameEntry kRcPlainNames[] = {
    {0xEF, "ASSIGN_OK"}, {0xFC, "OK_FC"}, {0xFD, "READY_INT"}, {0xFE, "TIMER_INT"}, {0xFF, "OK"},
};

void addNameOrUnknown(TextBuf& line, const char* name, unsigned code) {
  if (name) {
    line.addText(name);
  } else {
    line.addText("UNKNOWN(");
    xlogAddHex(line, code, 2, false);
    line.addChar(')');
  }
}

}  // namespace

void adapterSigName(TextBuf& line, unsigned code, bool isRequest) {
  code &= 0xFF;
  const char* name = isRequest ? nullptr : nameOf(kSigIndicationNames, code);
  if (!name) name = nameOf(kSigNames, code);
  line.addText("S-");
  addNameOrUnknown(line, name, code);
}

void adapterManName(TextBuf& line, unsigned code, bool isRequest) {
  code &= 0xFF;
  line.addText("M-");
  addNameOrUnknown(line, isRequest ? nameOf(kManRequestNames, code) : nameOf(kManIndicationNames, code), code);
}

void adapterRcName(TextBuf& line, unsigned code) {
  code &= 0xFF;
  if (code < 0x20) {
    line.addText(" | ");
    if (const char* name = nameOf(kRcErrorNames, code))
      line.addText(name);
    else
      xlogAddHex(line, code, 2, false);
  } else if (code == 0xE0) {
    line.addText("ASSIGN_RC | ");
    xlogAddHex(line, code, 2, false);
  } else if (const char* name = nameOf(kRcPlainNames, code)) {
    line.addText(name);
  } else {
    xlogAddHex(line, code, 2, false);
  }
}

const char* adapterNlName(unsigned c) { return nameAt(kNlNames, (c - 1) & 0x0F); }
