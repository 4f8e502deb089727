// The OID pass: names every "OID_0x%08X_" reference in a text, whether the
// keyword expansion produced it or the driver wrote it that way.
#include <cstring>

#include "decode/wan/wan.h"
#include "decode/wan/wan_names.h"

namespace {

constexpr char kOidPrefix[] = "OID_0x";
constexpr size_t kOidPrefixLen = 6;
constexpr size_t kReferenceLen = 15;  // prefix, eight digits, underscore

}  // namespace

const char* formatOidKeyword(uint32_t value) {
  static char reference[kReferenceLen + 1];
  std::snprintf(reference, sizeof reference, "OID_0x%08lX_", static_cast<unsigned long>(value));
  return reference;
}

void wanExpandOids(FILE* out, const char* text) {
  size_t len = std::strlen(text);
  size_t start = 0;  // first character not yet written
  size_t scan = 0;
  while (scan < len) {
    auto* o = static_cast<const char*>(std::memchr(text + scan, 'O', len - scan));
    if (!o) break;
    size_t at = static_cast<size_t>(o - text);
    // A text that ends before the fifteenth character holds no reference.
    if (len - at >= kReferenceLen && std::memcmp(o, kOidPrefix, kOidPrefixLen) == 0 &&
        o[kReferenceLen - 1] == '_') {
      std::fwrite(text + start, 1, at - start, out);
      uint32_t value = wanReadHex(o + kOidPrefixLen, kReferenceLen - 1 - kOidPrefixLen);
      std::fputs(oidName(value), out);
      start = scan = at + kReferenceLen;
    } else {
      scan = at + 1;
    }
  }
  std::fwrite(text + start, 1, len - start, out);
  std::fputc('\n', out);
}
