#include "decode/adapter/register_dump.h"

#include <cstring>

#include "trace/nametable.h"

namespace {

constexpr size_t kPartWords = 20;
constexpr size_t kWordsOffset = 2;
constexpr size_t kPrintedWords = 38;  // word 38 is not shown
constexpr size_t kClassWord = 39;
constexpr size_t kCauseWord = 1;

uint32_t g_area[kRegisterAreaWords];

// Register names in word order, each four characters wide.
constexpr const char* kRegisterNames[kPrintedWords] = {
    "sr  ", "cr  ", "epc ", "vadr", "zero", "at  ", "v0  ", "v1  ", "a0  ", "a1  ",
    "a2  ", "a3  ", "t0  ", "t1  ", "t2  ", "t3  ", "t4  ", "t5  ", "t6  ", "t7  ",
    "s0  ", "s1  ", "s2  ", "s3  ", "s4  ", "s5  ", "s6  ", "s7  ", "t8  ", "t9  ",
    "k0  ", "k1  ", "gp  ", "sp  ", "s8  ", "ra  ", "mdlo", "mdhi",
};

constexpr NameEntry kExceptionCodes[] = {
    {0, "interrupt                  "}, {1, "TLB mod  /IBOUND           "},
    {2, "TLB load /DBOUND           "}, {3, "TLB store                  "},
    {4, "Address error load         "}, {5, "Address error store        "},
    {6, "Instruction load bus error "}, {7, "Data load/store bus error  "},
    {8, "Syscall                    "}, {9, "Breakpoint                 "},
    {10, "Reverd instruction         "}, {11, "Coprocessor unusable       "},
    {12, "Overflow                   "}, {23, "WATCH                      "},
};

}  // namespace

void xlogRegisterDump(FILE* out, ByteView entry) {
  bool second = entry.u8(1) != 0;
  uint32_t* half = g_area + (second ? kPartWords : 0);
  for (size_t i = 0; i < kPartWords; ++i) half[i] = entry.le32(kWordsOffset + 4 * i);
  if (!second) {
    std::fputs("Register Dump part #1 received.", out);
    return;
  }
  std::fputs("Register Dump part #2 received, printing now:\n", out);
  std::fprintf(out, "CPU Exception Class: %04x Code:", static_cast<unsigned>(g_area[kClassWord] & 0xFFFF));
  std::fputs(nameOf(kExceptionCodes, (g_area[kCauseWord] >> 2) & 0x1F, "Unknown Code               "), out);
  std::fputc('\n', out);
  // The 38 "name= %08lx" fields, four to a line, composed in one block.
  static const char digits[] = "0123456789abcdef";
  char text[kPrintedWords * 15];
  char* t = text;
  for (size_t i = 0; i < kPrintedWords; ++i) {
    std::memcpy(t, kRegisterNames[i], 4);
    t[4] = '=';
    t[5] = ' ';
    for (int d = 0; d < 8; ++d) t[6 + d] = digits[(g_area[i] >> (28 - 4 * d)) & 15];
    t[14] = (i % 4 == 3 || i == kPrintedWords - 1) ? '\n' : '\t';
    t += 15;
  }
  std::fwrite(text, 1, sizeof text, out);
}

const uint32_t* xlogRegisterArea() { return g_area; }

void xlogResetRegisters() {
  for (uint32_t& w : g_area) w = 0;
}
