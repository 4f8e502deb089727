#include "decode/facility/ber_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit_support.h"

namespace {

struct Read {
  std::vector<uint8_t> bytes;
  BerTable t;
  uint8_t result;
  explicit Read(std::vector<uint8_t> b, unsigned capacity = kBerCapacity)
      : bytes(std::move(b)),
        result(berReadElements(t, ByteView(bytes.data(), bytes.size()), capacity, kBerDepthLimit)) {}
  // "tag:parent:depth:length" per entry.
  std::string shape() const {
    std::string s;
    for (unsigned i = 0; berPresent(t, i); ++i) {
      const BerElement& e = t.entries[i];
      char cell[40];
      std::snprintf(cell, sizeof cell, "%s%02x:%d:%u:%u", s.empty() ? "" : " ", berTag(t, i),
                e.parent == kBerNoParent ? -1 : e.parent, e.depth, e.contentLength);
      s += cell;
      EXPECT_EQ(e.index, i);
    }
    return s;
  }
};

struct ReadCase {
  const char* what;
  std::vector<uint8_t> bytes;
  uint8_t result;
  const char* shape;
};

const ReadCase kReadCases[] = {
    ReadCase{"definite", {0xa1, 0x03, 0x02, 0x01, 0x05}, 0, "a1:-1:0:3 02:0:1:1"},
    ReadCase{"indefinite closed", {0xa1, 0x80, 0x02, 0x01, 0x05, 0x00, 0x00}, 0,
             "a1:-1:0:3 02:0:1:1"},
    ReadCase{"indefinite left open reads what is there", {0xa1, 0x80, 0x02, 0x01, 0x05}, 0,
             "a1:-1:0:0 02:0:1:1"},
    ReadCase{"two components", {0xa1, 0x03, 0x02, 0x01, 0x05, 0xa2, 0x03, 0x02, 0x01, 0x06},
             0, "a1:-1:0:3 02:0:1:1 a2:-1:0:3 02:2:1:1"},
    ReadCase{"long form", {0x04, 0x82, 0x00, 0x02, 0x41, 0x42}, 0, "04:-1:0:2"},
    ReadCase{"constructed of length 1 is a leaf", {0x30, 0x01, 0x05, 0x02, 0x01, 0x07}, 0,
             "30:-1:0:1 02:-1:0:1"},
    ReadCase{"constructed parent longer than the data", {0x30, 0x10, 0x02, 0x01, 0x05}, 0,
             "30:-1:0:16 02:0:1:1"},
    ReadCase{"nested indefinite closing twice",
             {0x30, 0x80, 0x30, 0x80, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00}, 0,
             "30:-1:0:6 30:0:1:2 05:1:2:0"},
    ReadCase{"zero pair where an element is expected", {0x30, 0x80, 0x00, 0x00, 0x00, 0x00},
             0, "30:-1:0:2 00:0:1:0"},
    ReadCase{"primitive indefinite up to the zero pair", {0x04, 0x80, 0x41, 0x42, 0x00, 0x00},
             0, "04:-1:0:2"},
    ReadCase{"invalid length in the first child", {0xa1, 0x03, 0x02, 0x85, 0x05}, 0xFF, ""},
    ReadCase{"invalid length in a second component",
             {0xa1, 0x03, 0x02, 0x01, 0x05, 0xa2, 0x85, 0x00}, 2, "a1:-1:0:3 02:0:1:1"},
    ReadCase{"second component running past the data",
             {0xa1, 0x03, 0x02, 0x01, 0x05, 0xa2, 0x04, 0x02, 0x05, 0x01}, 2,
             "a1:-1:0:3 02:0:1:1"},
    ReadCase{"single element past the data", {0x02, 0x05, 0x01}, 0xFF, ""},
    ReadCase{"header past the data", {0x04, 0x84, 0x00}, 0xFF, ""},
    ReadCase{"primitive indefinite without end", {0xa1, 0x80, 0x04, 0x80, 0x41}, 0xFF, ""},
    ReadCase{"empty", {}, 0, ""}};

TEST(BerRead, TableShapeOfEachForm) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.what);
    Read r(c.bytes);
    EXPECT_EQ(r.result, c.result);
    EXPECT_EQ(r.shape(), c.shape);
  }
}

TEST(BerRead, DeepNestingKeepsDepthsUpToTheLimitAndRenumbers) {
  // Twelve sequences around an integer, then a second top-level integer.
  std::vector<uint8_t> b;
  for (int i = 0; i < 12; ++i) b.insert(b.end(), {0x30, 0x80});
  b.insert(b.end(), {0x02, 0x01, 0x09});
  for (int i = 0; i < 12; ++i) b.insert(b.end(), {0x00, 0x00});
  b.insert(b.end(), {0x30, 0x03, 0x02, 0x01, 0x07});
  Read r(b);
  ASSERT_EQ(r.result, 0);
  ASSERT_EQ(berCount(r.t), 13u);  // depths 0..10, then the sequence and its integer
  for (unsigned i = 0; i <= 10; ++i) EXPECT_EQ(r.t.entries[i].depth, i);
  EXPECT_EQ(r.t.entries[11].parent, kBerNoParent);
  EXPECT_EQ(r.t.entries[12].parent, 11);
  EXPECT_EQ(berTag(r.t, 12), 0x02);
}

TEST(BerRead, TableOverflow) {
  // 101 top-level integers: the table is full with no open parent.
  std::vector<uint8_t> flat;
  for (int i = 0; i < 101; ++i) flat.insert(flat.end(), {0x02, 0x01, 0x01});
  Read a(flat);
  EXPECT_EQ(a.result, 2);
  EXPECT_EQ(berCount(a.t), 100u);

  // A component followed by one with too many children: cut before it.
  std::vector<uint8_t> nested = {0xa1, 0x03, 0x02, 0x01, 0x05, 0x30, 0x80};
  for (int i = 0; i < 120; ++i) nested.insert(nested.end(), {0x05, 0x00});
  nested.insert(nested.end(), {0x00, 0x00});
  Read b(nested);
  EXPECT_EQ(b.result, 2);
  EXPECT_EQ(b.shape(), "a1:-1:0:3 02:0:1:1");

  // One component with too many children and nothing before it.
  std::vector<uint8_t> only(nested.begin() + 5, nested.end());
  Read c(only);
  EXPECT_EQ(c.result, 1);
}

TEST(BerCursor, FirstChildAndNextSibling) {
  Read r({0xa1, 0x06, 0x02, 0x01, 0x05, 0x02, 0x01, 0x07, 0xa2, 0x03, 0x02, 0x01, 0x06});
  ASSERT_EQ(r.result, 0);
  BerCursor c{&r.t, 0};
  EXPECT_EQ(berFirstChild(c), 0);
  EXPECT_EQ(c.index, 1);
  EXPECT_EQ(berFirstChild(c), 0xFF);  // next entry is a sibling
  EXPECT_EQ(c.index, 1);
  EXPECT_EQ(berNextSibling(c), 0);
  EXPECT_EQ(c.index, 2);
  EXPECT_EQ(berNextSibling(c), 0xFF);  // no more children of a1: left on the last entry
  EXPECT_EQ(c.index, 4);
  EXPECT_EQ(berFirstChild(c), 1);

  BerCursor top{&r.t, 0};
  EXPECT_EQ(berNextSibling(top), 0);
  EXPECT_EQ(top.index, 3);
}

TEST(BerIntValue, SignAndWidth) {
  const uint8_t b[] = {0xff, 0x01, 0x02, 0x03, 0x04};
  ByteView v(b, sizeof b);
  EXPECT_EQ(berIntValue(v, 1), -1);
  EXPECT_EQ(berIntValue(v.sub(1), 2), 0x0102);
  EXPECT_EQ(berIntValue(v, 2), -255);
  EXPECT_EQ(berIntValue(v.sub(1), 4), 0x01020304);
  EXPECT_EQ(berIntValue(v, 5), 0);
  EXPECT_EQ(berIntValue(v, 0), 0);
  EXPECT_EQ(berIntValue(ByteView(), 2), 0);  // bytes past the view read as zero
}

std::string arcs(std::vector<uint8_t> content) {
  BerOidReader r{ByteView(content.data(), content.size())};
  std::string s;
  uint32_t a;
  while (r.next(a)) s += "(" + std::to_string(static_cast<int32_t>(a)) + ")";
  return s;
}

TEST(BerOid, ArcsIncludingTheSecondBranch) {
  EXPECT_EQ(arcs({0x2b, 0x0c, 0x02, 0x88, 0x53}), "(1)(3)(12)(2)(1107)");
  EXPECT_EQ(arcs({0x04, 0x00, 0x82, 0x67, 0x01, 0x01}), "(0)(4)(0)(359)(1)(1)");
  EXPECT_EQ(arcs({0x4f, 0x01}), "(1)(39)(1)");
  // From 80 on the first arc is 2, and the first sub-identifier may run on.
  EXPECT_EQ(arcs({0x50, 0x01}), "(2)(0)(1)");
  EXPECT_EQ(arcs({0x7f}), "(2)(47)");
  EXPECT_EQ(arcs({0x81, 0x34, 0x03}), "(2)(100)(3)");
  EXPECT_EQ(arcs({0x88, 0x37, 0x05}), "(2)(999)(5)");
  // An arc cut off by the end of the content keeps what was read.
  EXPECT_EQ(arcs({0x2b, 0x88}), "(1)(3)(8)");
  EXPECT_EQ(arcs({}), "");
}

TEST(BerIndent, LineStart) {
  EXPECT_EQ(std::string(berIndent(0).s), "\n" + std::string(29, ' '));
  EXPECT_EQ(std::string(berIndent(3).s), "\n" + std::string(32, ' '));
  EXPECT_EQ(std::string(berIndent(1000).s).size(), 1u + 29 + kBerIndentMaxLevel);
}

TEST(BerHexDump, CellsCharactersAndLabels) {
  const uint8_t b[] = {0x41, 0x2f, 0x30, 0x7f, 0x80};
  CapturedOutput o;
  berHexDump(o.stream, ByteView(b, 5), 5, nullptr, nullptr, 0);
  EXPECT_EQ(o.text(), "[0000] 41 2f 30 7f 80" + std::string(33, ' ') + " A.0\x7f.");

  CapturedOutput l;
  berHexDump(l.stream, ByteView(b, 5), 2, "lab", "\n  ", 0x20);
  EXPECT_EQ(l.text(), "\n  lab[0020] 41 2f" + std::string(42, ' ') + " A.");

  std::vector<uint8_t> many(17, 0x31);
  CapturedOutput m;
  berHexDump(m.stream, ByteView(many.data(), many.size()), 40, "x", nullptr, 0);
  EXPECT_EQ(m.text(), "x[0000]" + std::string(16 * 3, ' ').replace(0, 48, [] {
              std::string s;
              for (int i = 0; i < 16; ++i) s += " 31";
              return s;
            }()) + " 1111111111111111" + "x[0010] 31" + std::string(45, ' ') + " 1");

  CapturedOutput z;
  berHexDump(z.stream, ByteView(b, 5), 0, nullptr, nullptr, 0);
  EXPECT_EQ(z.text(), "");
}

TEST(BerDump, GenericDumpWithIdentifierAndConstructedParents) {
  Read r({0x30, 0x09, 0x06, 0x02, 0x2b, 0x0c, 0x04, 0x01, 0x41, 0x31, 0x00, 0x02, 0x01, 0x09});
  ASSERT_EQ(r.result, 0);
  CapturedOutput o;
  berDumpElements(o.stream, r.t, 0);
  const std::string i0 = "\n" + std::string(29, ' '), i1 = i0 + " ", i2 = i1 + " ";
  EXPECT_EQ(o.text(), i0 + "30 Sequence(009):" +                                    //
                      i1 + "06 ObjectIdentifier(002):" + i2 + "(1)(3)(12)" +    //
                      i2 + "[0000] 2b 0c" + std::string(42, ' ') + " .." +      //
                      i1 + "04 OctetString(001):" + i2 + "[0000] 41" + std::string(45, ' ') +
                      " A" +                                                    //
                      i1 + "31 Set(000):" +                                     //
                      i0 + "02 Integer(001):" + i1 + "[0000] 09" + std::string(45, ' ') +
                      " .");
}

}  // namespace
