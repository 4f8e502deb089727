#include "control/control.h"

int main(int argc, char** argv) { return marlogMain(argc, argv); }
