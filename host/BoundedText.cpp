#include "host/BoundedText.h"

#include <cstring>

void boundedCopy(char* text, const char* source, int32 maxLen) {
    if (!text || !source || maxLen < 0) return;
    int32 length = 0;
    while (length < maxLen && source[length] != '\0') {
        text[length] = source[length];
        ++length;
    }
    std::memset(text + length, 0, static_cast<std::size_t>(maxLen - length) + 1);
}

void boundedAppend(char* text, const char* source, int32 maxLen) {
    if (!text || !source || maxLen < 0) return;
    int32 end = 0;
    while (end < maxLen && text[end] != '\0') ++end;
    for (int32 i = 0; end < maxLen && source[i] != '\0'; ++i) text[end++] = source[i];
    text[end] = '\0';
    text[maxLen] = '\0';
}

void writeText(char* text, const char* source) {
    if (text && source) std::strcpy(text, source);
}
