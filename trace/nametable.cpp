#include "trace/nametable.h"

const char* nameLookup(const NameEntry* table, size_t count, uint32_t code, const char* fallback) {
  for (size_t i = 0; i < count; ++i)
    if (table[i].code == code) return table[i].name;
  return fallback;
}
