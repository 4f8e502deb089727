// Constant name tables and the shared lookups over them.
//
// Keyed tables are arrays of {code, name} rows searched for the first row with
// the code; indexed tables are arrays of names indexed by the code. Both fall
// back to a text given by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

struct NameEntry {
  uint32_t code;
  const char* name;
};

const char* nameLookup(const NameEntry* table, size_t count, uint32_t code, const char* fallback);

template <size_t N>
const char* nameOf(const NameEntry (&table)[N], uint32_t code, const char* fallback = nullptr) {
  return nameLookup(table, N, code, fallback);
}

// Indexed table: the name at index code, or fallback when code is outside the
// table or the slot is empty (nullptr).
template <size_t N>
const char* nameAt(const char* const (&table)[N], uint32_t code, const char* fallback = nullptr) {
  return (code < N && table[code]) ? table[code] : fallback;
}
