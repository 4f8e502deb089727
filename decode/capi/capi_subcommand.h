// CAPI 2.0 subcommand bytes.
#pragma once

#include <cstdint>

constexpr uint8_t kCapiReq = 0x80;
constexpr uint8_t kCapiConf = 0x81;
constexpr uint8_t kCapiInd = 0x82;
constexpr uint8_t kCapiResp = 0x83;
