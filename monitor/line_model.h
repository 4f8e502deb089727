// The phrases of the WAN miniport's texts that move the line table.
#pragma once

// A class-1 text "Line N ==> ...": call states, shorthold, authentication,
// number checking, dialling, incoming calls, charging, detected protocols.
void monitorLinePhrase(const char* text);
// A class-19 text "Line N ==> DCD on - CONNECT <proto> ...": a modem connect.
void monitorModemPhrase(const char* text);
// A class-9 text "okaInit - PortCount = 0x...": the number of lines shown.
void monitorPortCount(const char* text);
