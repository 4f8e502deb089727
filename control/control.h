// Program control: start-up, command line, run-mode selection.
#pragma once

// The whole program; never returns (ends through terminate()).
[[noreturn]] int marlogMain(int argc, char** argv);
