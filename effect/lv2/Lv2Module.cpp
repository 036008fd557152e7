// The one symbol the bundle's shared object exports.
#include "effect/lv2/Lv2Plugin.h"

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return talonLv2::descriptor(index);
}
