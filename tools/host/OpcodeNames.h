// Names of the interface's opcodes for the --verbose log.
#pragma once

#include "host/aeffect.h"

// "unknown" for numbers without a name.
const char* effectOpcodeName(int32 opcode);
const char* hostOpcodeName(int32 opcode);
