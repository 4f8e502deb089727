// Signalling events: failed calls with their state, timeouts, link loss and
// SPID registration.
#include "decode/adapter/q931.h"
#include "decode/adapter/q931_internal.h"
#include "trace/nametable.h"

namespace {

constexpr NameEntry kLinkReasons[] = {
    {8, ", Layer-1 error (cable or NT)"}, {9, ", Layer-2 error"}, {10, ", TEI error"}};

constexpr const char* kSpidEvents[] = {
    nullptr, "EVENT: SPID rejected", "EVENT: SPID accepted", "EVENT: Timeout, resend SPID",
    "EVENT: Layer-2 failed, resend SPID", "EVENT: Call attempt on inactive SPID"};

}  // namespace

void q931DecodeCallEvent(FILE* out, const XlogCollection& c, uint16_t eventWord) {
  const ByteView data = q931CollectedBytes(c);
  const unsigned state = eventWord >> 8;
  if (const char* name = q931CallStateName(state))
    std::fprintf(out, "EVENT: Call failed in State '%s'\n", name);
  else
    std::fprintf(out, "EVENT: Call failed in State '%u'\n", state);  // no such state
  const uint16_t kind = data.le16(0);
  switch (kind) {
    case 0x00:
    case 0x10:
    case 0x20:
      q931DecodeMessage(out, c);
      break;
    case 0xFF00: {
      const char* timer = q931TimerName(state);
      std::fprintf(out, "%21sSignaling Timeout %s", "", timer ? timer : "");
      break;
    }
    case 0xFFFF:
      std::fprintf(out, "%21sLink disconnected%s", "", nameOf(kLinkReasons, data.u8(4), ""));
      break;
    default:
      break;
  }
}

void q931DecodeSpidEvent(FILE* out, const XlogCollection& c, uint16_t eventWord) {
  const ByteView data = q931CollectedBytes(c);
  if (const char* text = nameAt(kSpidEvents, eventWord >> 8)) std::fputs(text, out);
  // The count byte may claim more characters than were collected.
  const ByteView spid = data.sub(1, data.u8(0));
  std::fputs(" '", out);
  if (!spid.empty()) std::fwrite(spid.data, 1, spid.size, out);
  std::fputc('\'', out);
}
