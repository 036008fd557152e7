// The effect as an LV2 plug-in: the ports, their conversion to the effect's parameters, and the
// descriptor that the bundle's shared object hands to hosts.
#pragma once

#include <lv2/core/lv2.h>

#include <cstdint>

#include "effect/lv2/Lv2Ports.h"

namespace talonLv2 {

// The plug-in's descriptor for index 0, null for any other.
const LV2_Descriptor* descriptor(std::uint32_t index);

}  // namespace talonLv2
