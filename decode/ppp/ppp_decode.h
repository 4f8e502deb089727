// Entries of the PPP decoder's parts. Every decoder appends to the frame
// text; its bytes run from the position named to the end of the payload.
#pragma once

#include <cstddef>

#include "trace/byteview.h"
#include "trace/textbuf.h"

// Size of the frame text of one record.
constexpr size_t kPppFrameText = 1024;

// Protocol dispatch; bytes start at the protocol field.
void pppDecodeProtocol(ByteView bytes, TextBuf& text);
// Protocols 0xC0xx, 0xC2xx, 0xC4xx; bytes start at the protocol field.
void pppDecodeLinkProtocol(ByteView bytes, TextBuf& text);
// Protocols 0x80xx; bytes start at the protocol field's second byte.
void pppDecodeNcp(ByteView bytes, TextBuf& text);
// Protocols 0x02xx; bytes start at the protocol field's second byte.
void pppNameBridgeProtocol(ByteView bytes, TextBuf& text);
// bytes start right after the multilink protocol field.
void pppDecodeMultilink(ByteView bytes, TextBuf& text);

// Control-packet decoders; bytes start at the packet's code byte.
void pppDecodeLcp(ByteView bytes, TextBuf& text);
void pppDecodePap(ByteView bytes, TextBuf& text);
void pppDecodeSpap(ByteView bytes, TextBuf& text);
void pppDecodeChap(ByteView bytes, TextBuf& text);
void pppDecodeCbcp(ByteView bytes, TextBuf& text);
void pppDecodeIpcp(ByteView bytes, TextBuf& text);
void pppDecodeNbfcp(ByteView bytes, TextBuf& text);
void pppDecodeIpxcp(ByteView bytes, TextBuf& text);
void pppDecodeCcp(ByteView bytes, TextBuf& text);
void pppDecodeBacp(ByteView bytes, TextBuf& text);
void pppDecodeBap(ByteView bytes, TextBuf& text);

// The printable copy: each byte reduced to seven bits, control characters
// and 0x7F shown as ".".
void pppPrintable(TextBuf& text, ByteView bytes);
// " - '", the printable copy, "'".
void pppAppendQuoted(TextBuf& text, ByteView bytes);
// " '", the printable copy, "'".
void pppAppendNameQuoted(TextBuf& text, ByteView bytes);
// The bytes as they stand; a zero byte ends the copy, so the frame text
// stays one string.
void pppAppendRaw(TextBuf& text, ByteView bytes);

// "'", the printable copy of the bytes without their trailing zeros, "'".
void bapAppendTrimmed(TextBuf& text, ByteView bytes);

// Decodes a whole payload into the frame text: the address-and-control
// prefix, the protocol test and the dispatch.
void pppDecodeFrame(ByteView payload, TextBuf& text);
