// Invoke and reply component headers: invoke id, linked id, operation value.
#include "decode/facility/rose_internal.h"

namespace {

void printInvokeId(FILE* out, const BerCursor& c, int32_t id) {
  std::fprintf(out, "%sInvokeID 0x%x", berIndent(berAt(c).depth).s, static_cast<unsigned>(id & 0xFFFF));
}

bool isShortInteger(const BerCursor& c) { return berTagAt(c) == 0x02 && berAt(c).contentLength < 3; }

// After the operation value: 0 with the cursor on what follows, or the
// "nothing follows" result with the cursor kept on the value.
int afterValue(BerCursor& c, int done, int follows) {
  BerCursor next = c;
  if (berNextSibling(next) == 0) {
    c = next;
    return follows;
  }
  return done;
}

}  // namespace

int roseReadOperationValue(FILE* out, BerCursor& c, uint8_t profile, uint32_t& key) {
  const BerElement& e = berAt(c);
  const uint8_t tag = berTagAt(c);
  const ByteView content = berContentAt(c);
  if (tag == 0x06) {
    bool mapped = roseMapOid(out, content, e.depth, profile, key);
    return mapped ? afterValue(c, kRoseHeaderOidDone, kRoseHeaderArgument)
                  : afterValue(c, kRoseHeaderUnmappedDone, kRoseHeaderUnmapped);
  }
  if (tag != 0x02 || e.contentLength < 1 || e.contentLength > 2) {
    std::fprintf(out, "%sunknown", berIndent(e.depth).s);
    return kRoseHeaderBad;
  }
  uint32_t v = e.contentLength == 1 ? content.u8(0) : content.be16(0);
  const char* text;
  if (profile == 0x90) {
    key = roseKey(0x000D, v);
    text = "INTERCOM";
  } else if (profile == 0x91 && v < 50) {
    key = roseKey(0x0001, v);
    text = "ETSI Suppl. Services";
  } else if (profile == 0x91) {
    key = roseKey(0x0000, v);
    text = "ECMA QSIG without OID";
  } else {
    key = roseKey(0x0000, v);
    text = "ISO QSIG";
  }
  std::fprintf(out, "%sProtocol Type %s", berIndent(e.depth).s, text);
  return afterValue(c, kRoseHeaderLocalDone, kRoseHeaderArgument);
}

int roseReadInvokeHeader(FILE* out, BerCursor& c, uint8_t profile, uint32_t& key) {
  if (berFirstChild(c) != 0) return kRoseHeaderNoChild;
  if (!isShortInteger(c)) {
    std::fprintf(out, "%sno InvokeID", berIndent(berAt(c).depth).s);
    return kRoseHeaderBad;
  }
  printInvokeId(out, c, berIntValue(berContentAt(c), berAt(c).contentLength));
  if (berNextSibling(c) != 0) return kRoseHeaderOnlyId;
  if (berTagAt(c) == 0xA0 && berNextSibling(c) != 0) return kRoseHeaderNoLinkedNext;
  return roseReadOperationValue(out, c, profile, key);
}

int roseReadReplyHeader(FILE* out, BerCursor& c, uint8_t profile, uint32_t& key) {
  const uint8_t component = berTagAt(c);
  if (berFirstChild(c) != 0) return kRoseHeaderNoChild;
  int32_t id;
  if (isShortInteger(c))
    id = berIntValue(berContentAt(c), berAt(c).contentLength);
  else if (component == 0xA4 && berTagAt(c) == 0x05)
    id = 0;
  else
    return kRoseHeaderBad;
  printInvokeId(out, c, id);
  if (berNextSibling(c) != 0) return kRoseHeaderOnlyId;
  if (component != 0xA2) return kRoseHeaderArgument;
  if (berTagAt(c) != 0x30 || berAt(c).contentLength == 0) return kRoseHeaderNoLinkedNext;
  if (berFirstChild(c) != 0) return kRoseHeaderEmptySequence;
  return roseReadOperationValue(out, c, profile, key);
}
