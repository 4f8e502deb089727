// ROSE facility decoder: supplementary-service components of a Facility
// information element.
#pragma once

#include <cstdio>

#include "trace/byteview.h"

// element starts at the Facility element's length byte L; byte 1 is the
// protocol profile, bytes 2..L the components. Bytes past the view are
// never read. No trailing newline; every line starts with a newline.
void roseDecodeFacility(FILE* out, ByteView element);
