// The CAPI connection table: remembers the B3 protocol chosen for each
// controller/PLCI so that the NCPI of later B3 messages can be decoded.
//
// Keyed by controller (bits 0-6) and PLCI (bits 8-15) of a message's
// addressing value; all NCCIs of a PLCI share its slot. 255 slots kept in
// least-recently-used order; lives for the whole run.
#pragma once

#include <cstdint>

// Moves the key's slot, if any, to the front.
void capiConnTouch(uint32_t addressing);
// Records the low byte of b3Protocol for the key, taking the least recently
// used slot when the key has none (a controller-only key makes it pending).
void capiConnRememberB3(uint32_t addressing, unsigned b3Protocol);
// CONNECT_CONF: gives the controller's oldest pending slot the PLCI. A PLCI
// that already has a slot is released instead.
void capiConnBind(uint32_t addressing);
// DISCONNECT_IND: frees the key's slot.
void capiConnRelease(uint32_t addressing);
// The remembered B3 protocol of the key, 0 when it has no slot.
unsigned capiConnB3Protocol(uint32_t addressing);

// Back to the uninitialised table (for tests).
void capiConnReset();
