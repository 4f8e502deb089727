// Key reading for the capture: while it runs, a terminal on standard input
// is in raw key mode (no echo, no line editing, Control-C as a key), so keys
// can be polled without blocking. Nothing is read when standard input is not
// a terminal, or when the program runs in the background of one.
#pragma once

// Enters raw key mode if standard input is a terminal; false otherwise.
// The mode is restored by keyboardRestore and at process exit.
bool keyboardBegin();
// A waiting key (0..255), or -1 when none is waiting or keys are not read.
int keyboardPoll();
// Puts the terminal back as it was; harmless when nothing was changed.
void keyboardRestore();
