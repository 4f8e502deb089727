// Facility element entry: protocol profile, element table, and one handler
// per ROSE component kind.
#include "decode/facility/rose.h"

#include "decode/facility/rose_internal.h"
#include "trace/nametable.h"

namespace {

constexpr const char* kInterpretationTexts[] = {
    "discardAnyUnrecognisedPdu", "clearCallIfAnyInvokePduNotRecognised",
    "rejectAnyUnrecognisedPdu"};
constexpr const char* kGeneralProblems[] = {"unrecognisedAPDU", "mistypedAPDU",
                                            "badlyStructuredAPDU"};
constexpr const char* kInvokeProblems[] = {
    "duplicateInvokation", "unrecognisedOperation", "mistypedArgument", "resourceLimitation",
    "initiatorReleasing", "inrecognisedLinkedIdentifier", "linkedResponseUnexpected",
    "unexpectedChildOperation"};
constexpr const char* kReturnResultProblems[] = {"unrecognisedInvocation",
                                                 "resultResponseUnexpected", "mistypedResult"};
constexpr const char* kReturnErrorProblems[] = {"unrecognisedInvocation",
                                                "errorResponseUnexpected", "unrecognisedError",
                                                "unexpectedError", "mistypedParameter"};
constexpr const char* kEntityNames[] = {"endPINX", "anyTypeOfPINX"};

struct Component {
  FILE* out;
  const BerTable& t;
  unsigned index;
  uint8_t profile;
  const BerElement& e() const { return t.entries[index]; }
  BerIndentText line(unsigned extra = 0) const { return berIndent(e().depth + extra); }
  int length() const { return static_cast<int>(static_cast<int32_t>(e().contentLength)); }
};

void decodeArgument(const Component& k, unsigned arg, uint32_t key) {
  FILE* out = k.out;
  const unsigned depth = k.t.entries[arg].depth;
  if (roseIsCurrencyKey(key)) {
    RoseCurrency cur;
    if (roseReadCurrency(k.t, arg, key, cur) == 0) {
      std::fprintf(out, "%sCurrencyAmount 0x%x", berIndent(depth + 1).s, cur.amount);
      std::fprintf(out, "%sMultiplier %s", berIndent(depth + 1).s,
                   kRoseMultiplierNames[cur.multiplier]);
    }
  } else if (key == roseKey(0, 85)) {
    RoseCommonInfo info;
    if (roseReadCommonInfo(k.t, arg, info) == 0) {
      berDumpElements(out, k.t, arg);
      if (info.hasFeature)
        berHexDump(out, ByteView(info.feature, info.count), info.count, "featureIdentifier",
                   berIndent(depth + 1).s, 0);
    }
  } else {
    berDumpElements(out, k.t, arg);
  }
}

void decodeInvoke(const Component& k) {
  std::fprintf(k.out, "%sA1 Invoke(%.3d):", k.line().s, k.length());
  BerCursor c{&k.t, static_cast<uint8_t>(k.index)};
  uint32_t key = 0;
  const int r = roseReadInvokeHeader(k.out, c, k.profile, key);
  switch (r) {
    case kRoseHeaderArgument:
      rosePrintOperation(k.out, berAt(c).depth, key);
      decodeArgument(k, c.index, key);
      break;
    case kRoseHeaderOidDone:
    case kRoseHeaderLocalDone:
      rosePrintOperation(k.out, berAt(c).depth, key);
      break;
    case kRoseHeaderUnmapped:
      berDumpElements(k.out, k.t, c.index);
      break;
    case kRoseHeaderUnmappedDone:
      break;  // nothing follows the identifier
    default:
      std::fprintf(k.out, "%sParse Error2 %x", k.line().s, static_cast<unsigned>(r));
      berHexDump(k.out, berWhole(k.t, k.index), berWhole(k.t, k.index).size, nullptr,
                 k.line().s, 0);
      break;
  }
}

void decodeReturnResult(const Component& k) {
  std::fprintf(k.out, "%sA2 ReturnResult APDU(%.3d):", k.line().s, k.length());
  BerCursor c{&k.t, static_cast<uint8_t>(k.index)};
  uint32_t key = 0;
  if (roseReadReplyHeader(k.out, c, k.profile, key) != kRoseHeaderArgument) return;
  rosePrintOperation(k.out, berAt(c).depth, key);
  berDumpElements(k.out, k.t, c.index);
}

void decodeReturnError(const Component& k) {
  std::fprintf(k.out, "%sA3 ReturnError APDU(%.3d):", k.line().s, k.length());
  BerCursor c{&k.t, static_cast<uint8_t>(k.index)};
  uint32_t key = 0;
  if (roseReadReplyHeader(k.out, c, k.profile, key) != kRoseHeaderArgument) return;
  berDumpElements(k.out, k.t, c.index);
}

void decodeReject(const Component& k) {
  std::fprintf(k.out, "%sA4 Reject APDU(%.3d):", k.line().s, k.length());
  BerCursor c{&k.t, static_cast<uint8_t>(k.index)};
  uint32_t key = 0;
  if (roseReadReplyHeader(k.out, c, k.profile, key) != kRoseHeaderArgument) return;
  const uint8_t tag = berTagAt(c);
  const ByteView content = berContentAt(c);
  const char* kind = nullptr;
  const char* text = nullptr;
  const uint8_t v = content.u8(0);
  switch (tag) {
    case 0x80: kind = "GeneralProblem"; text = nameAt(kGeneralProblems, v); break;
    case 0x81: kind = "InvokeProblem"; text = nameAt(kInvokeProblems, v); break;
    case 0x82: kind = "ReturnResultProblem"; text = nameAt(kReturnResultProblems, v); break;
    case 0x83: kind = "ReturnErrorProblem"; text = nameAt(kReturnErrorProblems, v); break;
    default:
      std::fprintf(k.out, "%s%2.2x unknown value ", berIndent(berAt(c).depth).s, tag);
      return;
  }
  if (text && !content.empty())
    std::fprintf(k.out, "%s%2.2x %s %s", berIndent(berAt(c).depth).s, tag, kind, text);
}

void decodeInterpretation(const Component& k) {
  std::fprintf(k.out, "%s8B Interpretation(%.3d):", k.line().s, k.length());
  const ByteView content = berContent(k.t, k.index);
  if (content.empty()) return;
  const uint8_t v = content.u8(0);
  if (const char* text = nameAt(kInterpretationTexts, v))
    std::fprintf(k.out, "%s%2.2x %s", k.line(1).s, v, text);
  else
    std::fprintf(k.out, "%sunknown Interpretation %x", k.line(1).s, v);
}

void printAddress(const Component& k, unsigned address, const char* text) {
  std::fprintf(k.out, "%s%s", berIndent(k.t.entries[address].depth).s, text);
  BerCursor c{&k.t, static_cast<uint8_t>(address)};
  if (berFirstChild(c) == 0) berDumpElements(k.out, k.t, c.index);
}

void decodeNfe(const Component& k) {
  std::fprintf(k.out, "%sAA NFE(%.3d):", k.line().s, k.length());
  RoseNfe nfe;
  if (roseReadNfe(k.t, k.index, nfe) != 0) return;
  std::fprintf(k.out, "%s80 Source Entity %s", berIndent(k.t.entries[nfe.source].depth).s,
               kEntityNames[nfe.sourceEntity]);
  if (nfe.hasSourceAddress) printAddress(k, nfe.sourceAddress, "A1 Source Entity Address ");
  std::fprintf(k.out, "%s82 Destination Entity %s",
               berIndent(k.t.entries[nfe.destination].depth).s,
               kEntityNames[nfe.destinationEntity]);
  if (nfe.hasDestinationAddress)
    printAddress(k, nfe.destinationAddress, "A3 Destination Entity Address ");
}

}  // namespace

void roseDecodeFacility(FILE* out, ByteView element) {
  const uint8_t length = element.u8(0);
  const uint8_t profile = element.u8(1);
  if (profile != 0x91 && profile != 0x9F && profile != 0x90) {
    std::fprintf(out, "%sUnknown Protocol Profile %2x", berIndent(0).s, profile);
    return;
  }
  // Components are bytes 2..L; a view shorter than the element cuts them.
  const ByteView components = element.sub(2, length >= 2 ? length - 1u : 0u);
  BerTable table;
  const uint8_t r = berReadElements(table, components, kBerCapacity, kBerDepthLimit);
  if (r == kBerReadSyntax) {
    std::fprintf(out, "%s!!!!!Syntaxerror detected!!!!!", berIndent(0).s);
  } else if (r != kBerReadOk) {
    std::fprintf(out, "%sParse Error1 %x", berIndent(0).s, r);
    return;
  }
  std::fprintf(out, "%s%2x Protocol Profile ", berIndent(0).s, profile);
  if (!berPresent(table, 0)) return;
  BerCursor top{&table, 0};
  do {
    const Component k{out, table, top.index, profile};
    switch (berTag(table, top.index)) {
      case 0xA1: decodeInvoke(k); break;
      case 0xA2: decodeReturnResult(k); break;
      case 0xA3: decodeReturnError(k); break;
      case 0xA4: decodeReject(k); break;
      case 0x8B: decodeInterpretation(k); break;
      case 0xAA: decodeNfe(k); break;
      default: berDumpElements(out, table, top.index); break;
    }
  } while (berNextSibling(top) == 0);
}
