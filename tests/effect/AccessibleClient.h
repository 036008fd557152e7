// What a screen reader in the test's process does: asks a window for its client object and reads
// its children.
#pragma once

#include <windows.h>
// The platform's accessibility interface, which needs the declarations above.
#include <oleacc.h>

#include <memory>
#include <string>

namespace paneltest {

// The interface's published identifier: the import library's symbol is a thunk in a static link.
constexpr GUID kAccessibleId = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct ReleaseObject {
    void operator()(IAccessible* object) const {
        if (object) object->Release();
    }
};
using AccessibleRef = std::unique_ptr<IAccessible, ReleaseObject>;

inline AccessibleRef clientObjectOf(HWND window) {
    void* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId,
                                          &object)))
        return nullptr;
    return AccessibleRef(static_cast<IAccessible*>(object));
}

inline VARIANT child(long number) {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = number;
    return id;
}

// A text answer as UTF-8-free narrow text; empty for none or an error.
inline std::string narrow(BSTR text) {
    std::string result;
    for (const wchar_t* c = text; c && *c; ++c) result.push_back(static_cast<char>(*c));
    SysFreeString(text);
    return result;
}

inline std::string nameOf(IAccessible& object, long number) {
    BSTR text = nullptr;
    object.get_accName(child(number), &text);
    return narrow(text);
}

inline std::string valueOf(IAccessible& object, long number) {
    BSTR text = nullptr;
    object.get_accValue(child(number), &text);
    return narrow(text);
}

// The role or state number; -1 for an error.
inline long numberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*query)(VARIANT, VARIANT*),
                     IAccessible& object, long number) {
    VARIANT answer;
    VariantInit(&answer);
    if (FAILED((object.*query)(child(number), &answer)) || answer.vt != VT_I4) return -1;
    return answer.lVal;
}

inline long roleOf(IAccessible& object, long number) {
    return numberOf(&IAccessible::get_accRole, object, number);
}

inline long stateOf(IAccessible& object, long number) {
    return numberOf(&IAccessible::get_accState, object, number);
}

inline RECT placeOf(IAccessible& object, long number) {
    long left = 0, top = 0, width = 0, height = 0;
    object.accLocation(&left, &top, &width, &height, child(number));
    return {left, top, left + width, top + height};
}

}  // namespace paneltest
