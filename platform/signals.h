// Signals end the program through terminate(): SIGINT with 2, SIGTERM with
// 15, SIGQUIT (the break signal here) with 21.
#pragma once

// Blocks the three signals in the calling thread (and so in every thread
// started later). Call first thing in main.
void signalsBlock();
// Starts the thread that waits for them and calls terminate().
void signalsStartHandler();
