// Keys of the X11 backend as the host's key records.
#pragma once

#include "host/aeffect.h"

namespace gui::x11 {

// The host's key record of an unshifted keysym with the X modifier state: keys without a
// character of their own as virtual keys, printable ones as their lower-case character.
VstKeyCode hostKeyOfKeysym(unsigned long keysym, unsigned int state);
// The modifier state of the key event being handled, for hostKeyOf.
void setKeyEventState(unsigned int state);

}  // namespace gui::x11
