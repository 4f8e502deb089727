// Tables and element printer shared by the Q.931 decoder's files.
#pragma once

#include <cstdint>
#include <cstdio>

#include "trace/byteview.h"

// Protocol label (7 characters) for a protocol discriminator, or nullptr.
const char* q931ProtocolLabel(uint8_t pd);
const char* q931MessageTypeName(uint8_t type);
// Element name by key (codeset * 256 + identifier), or nullptr.
const char* q931ElementName(unsigned key);
// Call state and timer names for states 0..25 (empty when unnamed); nullptr
// above 25.
const char* q931CallStateName(unsigned state);
const char* q931TimerName(unsigned state);

// Contents of one element: `element` starts at its length byte.
void q931DecodeIe(FILE* out, uint8_t pd, unsigned key, ByteView element);

// Every byte as a blank and two hex digits (upper or lower case).
void q931PrintHexRun(FILE* out, ByteView bytes, bool upper);

// Collected bytes of a collection, cut at its length.
struct XlogCollection;
ByteView q931CollectedBytes(const XlogCollection& c);
