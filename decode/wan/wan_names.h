// Names of the values that the WAN miniport writes into its event texts.
//
// Every function maps one 32-bit value to one text and never fails: a value
// that is not in its table yields the table's fallback. The TAPI and ISDN
// texts are constants; oidName's fallback lives in storage that the next call
// reuses, so callers copy it at once.
#pragma once

#include <cstdint>

// TAPI line values (LINE_CALL_STATE__... and so on).
const char* lineCallStateName(uint32_t value);
const char* lineCallFeatureName(uint32_t value);
const char* lineCallInfoStateName(uint32_t value);
const char* lineCallPrivilegeName(uint32_t value);
const char* lineDevStateName(uint32_t value);
const char* lineAddressStateName(uint32_t value);
const char* lineAddrFeatureName(uint32_t value);
const char* lineBearerModeName(uint32_t value);
const char* lineDisconnectModeName(uint32_t value);
const char* lineMediaModeName(uint32_t value);

// The driver's ISDN events and causes.
const char* isdnEventName(uint32_t value);
const char* isdnCauseName(uint32_t value);

// NDIS object identifiers; unknown ones come out as "OID_0x%08X".
const char* oidName(uint32_t value);
