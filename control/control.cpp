// placeholder
#include "control/control.h"
#include "control/diag.h"
#include "control/settings.h"
#include "trace/interp.h"
Settings g_settings;
int marlogMain(int, char**) { terminate(0); }
