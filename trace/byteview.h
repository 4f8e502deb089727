// Bounds-checked read-only view over record and entry bytes.
//
// Every decoder reads its input through a ByteView: a field that lies wholly
// or partly outside the view reads as zero (or as absent through has()), so a
// short record can never make a decoder read past its buffer.
#pragma once

#include <cstddef>
#include <cstdint>

struct ByteView {
  const uint8_t* data = nullptr;
  size_t size = 0;

  constexpr ByteView() = default;
  constexpr ByteView(const uint8_t* d, size_t n) : data(n ? d : nullptr), size(d ? n : 0) {}

  constexpr bool empty() const { return size == 0; }
  // True when the len bytes at off lie inside the view.
  constexpr bool has(size_t off, size_t len = 1) const {
    return off <= size && len <= size - off;
  }
  constexpr uint8_t u8(size_t off) const { return off < size ? data[off] : 0; }
  constexpr int8_t s8(size_t off) const { return static_cast<int8_t>(u8(off)); }
  constexpr uint16_t le16(size_t off) const {
    return static_cast<uint16_t>(u8(off) | (u8(off + 1) << 8));
  }
  constexpr uint32_t le32(size_t off) const {
    return static_cast<uint32_t>(le16(off)) | (static_cast<uint32_t>(le16(off + 2)) << 16);
  }
  constexpr uint16_t be16(size_t off) const {
    return static_cast<uint16_t>((u8(off) << 8) | u8(off + 1));
  }
  constexpr uint32_t be32(size_t off) const {
    return (static_cast<uint32_t>(be16(off)) << 16) | be16(off + 2);
  }
  // The part of the view from off, at most len bytes; empty when off is past
  // the end.
  constexpr ByteView sub(size_t off, size_t len = SIZE_MAX) const {
    if (off >= size) return ByteView();
    size_t n = size - off;
    return ByteView(data + off, len < n ? len : n);
  }
  // Pointer to the byte at off, or nullptr when off is past the end.
  constexpr const uint8_t* at(size_t off) const { return off < size ? data + off : nullptr; }
  // Length of the zero-terminated text at off, stopping at the view's end.
  constexpr size_t strLen(size_t off) const {
    size_t n = 0;
    while (off + n < size && data[off + n] != 0) ++n;
    return n;
  }
};
