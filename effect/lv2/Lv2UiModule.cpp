// The one symbol the bundle's UI object exports.
#include "effect/lv2/Lv2Ui.h"

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return talonLv2::uiDescriptor(index);
}
