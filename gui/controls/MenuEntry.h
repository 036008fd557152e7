// The kinds of option-menu entries, told apart by a two-character marker at the start of the
// entry's text.
#pragma once

#include <cstdint>
#include <cstring>

namespace gui {

// Entry texts hold at most kMenuEntrySize - 1 characters.
constexpr std::int32_t kMenuEntrySize = 256;

enum class MenuEntryKind : std::int32_t { normal, separator, subMenu, greyed, title };

inline constexpr char kSeparatorText[] = "-";
inline constexpr char kSubMenuMarker[] = "-M";
inline constexpr char kGreyedMarker[] = "-G";
inline constexpr char kTitleMarker[] = "-T";
constexpr std::size_t kMarkerLength = 2;

inline MenuEntryKind menuEntryKind(const char* text) {
    if (!text) return MenuEntryKind::normal;
    if (std::strcmp(text, kSeparatorText) == 0) return MenuEntryKind::separator;
    if (std::strncmp(text, kSubMenuMarker, kMarkerLength) == 0) return MenuEntryKind::subMenu;
    if (std::strncmp(text, kGreyedMarker, kMarkerLength) == 0) return MenuEntryKind::greyed;
    if (std::strncmp(text, kTitleMarker, kMarkerLength) == 0) return MenuEntryKind::title;
    return MenuEntryKind::normal;
}

// What a popup shows for the entry: its text after the marker.
inline const char* menuEntryLabel(const char* text) {
    if (!text) return "";
    switch (menuEntryKind(text)) {
        case MenuEntryKind::subMenu:
        case MenuEntryKind::greyed:
        case MenuEntryKind::title: return text + kMarkerLength;
        default: return text;
    }
}

// Separators and titles cannot be chosen.
inline bool isSelectableEntry(const char* text) {
    const MenuEntryKind kind = menuEntryKind(text);
    return kind != MenuEntryKind::separator && kind != MenuEntryKind::title;
}

}  // namespace gui
