#include "decode/adapter/xlog_names.h"

#include "trace/nametable.h"

namespace {

constexpr const char* kL2Primitives[] = {
    nullptr,     "LL_UDATA", "LL_ESTABLISH", "LL_RELEASE", "LL_DATA",  "LL_LOCAL", "LL_REMOTE",
    "",          "LL_TEST",  "LL_MDATA",     "LL_BUDATA",  "",         "LL_XID",   "LL_XID_R",
};

constexpr const char* kL1States[] = {
    "SYNC_LOST", "SYNC_GAINED", "L1_DOWN", "L1_UP",  "ACTIVATION_REQ", "PS1_DOWN",
    "PS1_UP",    "L1_FC1",      "L1_FC2",  "L1_FC3", "L1_FC4",
};

constexpr NameEntry kEntityIds[] = {
    {0x00, "DSIG_ID"}, {0x20, "NL_ID"},  {0x60, "BLLC_ID"}, {0x80, "TASK_ID"},
    {0xA0, "TIMER_ID"}, {0xC0, "TEL_ID"}, {0xE0, "MAN_ID"},
};

constexpr NameEntry kCapi11Commands[] = {
    {0x01, "RESET_B3"},     {0x02, "CONNECT"},       {0x03, "CONNECT_ACTIVE"},    {0x04, "DISCONNECT"},
    {0x05, "LISTEN"},       {0x06, "GET_PARMS"},     {0x07, "INFO"},              {0x08, "DATA"},
    {0x09, "CONNECT_INFO"}, {0x40, "SELECT_B2"},     {0x80, "SELECT_B3"},         {0x81, "LISTEN_B3"},
    {0x82, "CONNECT_B3"},   {0x83, "CONNECT_B3_ACTIVE"}, {0x84, "DISCONNECT_B3"}, {0x85, "GET_B3_PARMS"},
    {0x86, "DATA_B3"},      {0x87, "HANDSET"},
};

constexpr const char* kCapi11Subcommands[] = {"REQ", "CON", "IND", "RES"};

}  // namespace

const char* xlogL2PrimitiveName(unsigned number) { return nameAt(kL2Primitives, number); }
const char* xlogL1StateName(unsigned state) { return nameAt(kL1States, state); }
const char* xlogEntityIdName(unsigned id) { return nameOf(kEntityIds, id); }
const char* xlogCapi11CommandName(unsigned command) { return nameOf(kCapi11Commands, command); }
const char* xlogCapi11SubcommandName(unsigned subcommand) { return nameAt(kCapi11Subcommands, subcommand); }
