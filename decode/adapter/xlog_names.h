// Name tables of the xlog entries themselves.
#pragma once

#include <cstdint>

// Layer-2 primitive 1..13 (numbers 7 and 11 have empty names); nullptr
// outside 1..13.
const char* xlogL2PrimitiveName(unsigned number);
// Layer-1 state 0..10; nullptr above.
const char* xlogL1StateName(unsigned state);
// Entity Id of the OKB entries; nullptr for ids without a name.
const char* xlogEntityIdName(unsigned id);
// CAPI 1.1 command and subcommand; nullptr when not in the table.
const char* xlogCapi11CommandName(unsigned command);
const char* xlogCapi11SubcommandName(unsigned subcommand);
