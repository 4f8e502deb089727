// The WAN-miniport record decoder: keyword expansion, then the OID pass.
//
// Names are longer than the keywords they replace, so the expanded text is
// larger than the payload. Its storage is fixed and sized for the worst case:
// a keyword with a known prefix is at least 8 characters with its backquotes
// and no name is longer than 47, so a full payload grows at most 6-fold; the
// text would be cut off safely, never overrun, should that ever change. The
// OID pass writes straight to the stream, so the final line is never cut.
#include <cstring>

#include "decode/wan/wan.h"
#include "decode/wan/wan_names.h"
#include "trace/textbuf.h"

const WanKeyword wanKeywordTable[] = {
    {"OID_0x", 6, formatOidKeyword},
    {"AST_0x", 6, lineAddressStateName},
    {"CST_0x", 6, lineCallStateName},
    {"CIS_0x", 6, lineCallInfoStateName},
    {"DST_0x", 6, lineDevStateName},
    {"LDM_0x", 6, lineDisconnectModeName},
    {"LAF_0x", 6, lineAddrFeatureName},
    {"LBM_0x", 6, lineBearerModeName},
    {"LCF_0x", 6, lineCallFeatureName},
    {"LCP_0x", 6, lineCallPrivilegeName},  // call privilege, not PPP's LCP
    {"LMM_0x", 6, lineMediaModeName},
    {"ISDN_EV_0x", 10, isdnEventName},
    {"ISDN_CAUSE_0x", 13, isdnCauseName},
    {nullptr, 0, nullptr},
};

namespace {

constexpr size_t kExpandedSize = 8 * kMaxPayload + 1;

// Appends the replacement of the keyword kw (n characters, backquotes
// excluded): the value's name for a known prefix, else the keyword itself.
void appendKeyword(TextBuf& text, const char* kw, size_t n) {
  for (const WanKeyword* row = wanKeywordTable; row->prefix; ++row) {
    if (n >= row->length && std::memcmp(kw, row->prefix, row->length) == 0) {
      text.addText(row->name(wanReadHex(kw + row->length, n - row->length)));
      return;
    }
  }
  text.addBytes(kw, n);
}

}  // namespace

void wanDecodeRecord(FILE* out, const DebugRecord& rec) {
  ByteView v = rec.view();
  // The payload need not end with a zero byte; one inside it ends the text.
  size_t n = v.strLen(0);
  const char* src = n ? reinterpret_cast<const char*>(v.data) : "";

  FixedText<kExpandedSize> expanded;
  size_t cur = 0;
  while (cur < n) {
    auto* open = static_cast<const char*>(std::memchr(src + cur, '`', n - cur));
    if (!open) break;
    size_t o = static_cast<size_t>(open - src);
    auto* close = static_cast<const char*>(std::memchr(src + o + 1, '`', n - o - 1));
    if (!close) break;  // a lone backquote stays, with all that follows it
    size_t c = static_cast<size_t>(close - src);
    expanded.addBytes(src + cur, o - cur);
    appendKeyword(expanded, src + o + 1, c - o - 1);
    cur = c + 1;
  }
  expanded.addBytes(src + cur, n - cur);
  wanExpandOids(out, expanded.str());
}
