// Copying text into buffers of a known capacity: maxLen characters plus a terminator.
#pragma once

#include "host/aeffect.h"

// Copies at most maxLen characters of source, zero-fills the rest of the first maxLen bytes and
// writes a terminator at text[maxLen]; text must hold maxLen + 1 bytes. A null text or source, or a
// negative maxLen, writes nothing.
void boundedCopy(char* text, const char* source, int32 maxLen);

// Appends source after the current end of text without letting the text grow past maxLen
// characters; text must hold maxLen + 1 bytes and is always terminated at text[maxLen].
void boundedAppend(char* text, const char* source, int32 maxLen);

// Writes source with its terminator when a buffer is there; for fixed texts that fit the host's
// buffers by the interface's own limits.
void writeText(char* text, const char* source);
