#include "decode/capi/capi_params.h"

bool capiParseParams(ByteView bytes, const char* format, CapiParam* list, size_t capacity) {
  if (!list || capacity == 0 || !format) return false;
  const size_t count = bytes.size;
  size_t p = 0;
  size_t i = 0;
  for (; format[i]; ++i) {
    if (i + 1 >= capacity) return false;  // no room for this field and the end entry
    size_t start = p;
    size_t len;
    switch (format[i]) {
      case 'b': len = 1; p += 1; break;
      case 'w': len = 2; p += 2; break;
      case 'd': len = 4; p += 4; break;
      case 'r': len = p <= count ? count - p : 0; p = count; break;
      case 's':
        // A structure needs its prefix byte; 0xFF announces a 16-bit length.
        if (p >= count) return false;
        if (bytes.u8(p) == 0xFF) {
          if (!bytes.has(p + 1, 2)) return false;
          len = bytes.le16(p + 1);
          start = p + 3;
        } else {
          len = bytes.u8(p);
          start = p + 1;
        }
        p = start + len;
        break;
      default: return false;
    }
    if (p > count) return false;
    list[i].bytes = bytes.sub(start, len);
    list[i].length = static_cast<int32_t>(len);
    list[i].end = false;
  }
  list[i] = CapiParam();
  return true;
}

const char* capiTextOf(const CapiValueTable& table, uint32_t value) {
  uint32_t key = table.wide ? value : (value & 0xFFFFu);
  uint32_t none = table.wide ? 0xFFFFFFFFu : 0xFFFFu;
  if (key == none) return table.defaultText;
  return nameLookup(table.rows, table.count, key, table.defaultText);
}

static void printFlags(const CapiValueTable& table, uint32_t value, FILE* out) {
  if (value == 0) return;
  std::fputc('(', out);
  bool any = false;
  for (size_t i = 0; i < table.count; ++i) {
    if (!(table.rows[i].code & value)) continue;
    if (any) std::fputs(", ", out);
    std::fputs(table.rows[i].name, out);
    any = true;
  }
  if (!any) std::fputs(table.defaultText, out);
  std::fputc(')', out);
}

void capiPrintFlags16(const CapiValueTable& table, uint16_t value, FILE* out) {
  printFlags(table, value, out);
}

void capiPrintFlags32(const CapiValueTable& table, uint32_t value, FILE* out) {
  printFlags(table, value, out);
}

void capiPrintNumber(ByteView content, FILE* out, int extraOctets) {
  size_t lead = 1 + static_cast<size_t>(extraOctets < 0 ? 0 : extraOctets > 2 ? 2 : extraOctets);
  size_t i = 0;
  for (; i < lead && i < content.size; ++i) std::fprintf(out, "0x%02X ", content.u8(i));
  std::fputc('\'', out);
  for (; i < content.size; ++i) std::fputc(static_cast<char>(content.u8(i)), out);
  std::fputc('\'', out);
}

void capiPrintHex(ByteView bytes, FILE* out) {
  for (size_t i = 0; i < bytes.size; ++i) std::fprintf(out, "%02X ", bytes.u8(i));
}

void capiPrintChars(ByteView bytes, FILE* out) {
  for (size_t i = 0; i < bytes.size; ++i) std::fprintf(out, "%c ", bytes.u8(i));
}

void capiPrintStructLine(FILE* out, const char* label, ByteView content, CapiShow show) {
  std::fprintf(out, "%s (0x%lx): ", label, static_cast<unsigned long>(content.size));
  if (content.empty()) return;
  switch (show) {
    case CapiShow::number0: capiPrintNumber(content, out, 0); break;
    case CapiShow::number1: capiPrintNumber(content, out, 1); break;
    case CapiShow::number2: capiPrintNumber(content, out, 2); break;
    case CapiShow::hex: capiPrintHex(content, out); break;
    case CapiShow::chars: capiPrintChars(content, out); break;
  }
}
