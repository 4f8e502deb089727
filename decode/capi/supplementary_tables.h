// Value tables of the supplementary-services facility.
#pragma once

#include "decode/capi/capi_params.h"

extern const CapiValueTable kSuppFunction;
extern const CapiValueTable kSuppNotificationMask;
extern const CapiValueTable kSuppSupportedServices;
extern const CapiValueTable kSuppCfType;
extern const CapiValueTable kSuppPresentation;
extern const CapiValueTable kSuppDiversionReason;
