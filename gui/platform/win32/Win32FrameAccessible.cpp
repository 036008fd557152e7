// The frame's accessible object and the frame's platform side of assistive technology: object
// requests, focus and value events, the keyboard focus, and letting go of every object handed
// out when the frame closes.
#include "gui/platform/win32/Win32FrameAccessible.h"

#include <string>

#include "gui/platform/Accessibility.h"
#include "gui/views/AccessibleTree.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

// The interface's published identifier. The import library's symbol of the same name links to
// an import thunk rather than the identifier in a static build.
constexpr GUID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr HRESULT kDisconnected = CO_E_OBJNOTCONNECTED;

using ObjectResultFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using WindowObjectFunction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

long platformRole(AccessibleRole role) {
    switch (role) {
        case kRoleSlider: return ROLE_SYSTEM_SLIDER;
        case kRoleEditableText: return ROLE_SYSTEM_TEXT;
        case kRoleStaticText: return ROLE_SYSTEM_STATICTEXT;
        case kRoleCheckButton: return ROLE_SYSTEM_CHECKBUTTON;
        case kRolePushButton: return ROLE_SYSTEM_PUSHBUTTON;
        case kRoleComboBox: return ROLE_SYSTEM_COMBOBOX;
        default: return ROLE_SYSTEM_INDICATOR;
    }
}

// S_FALSE and no string for empty text: the platform's "nothing to say".
HRESULT answerText(const char* text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!text || !*text) return S_FALSE;
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    *out = SysAllocString(wide.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::string narrowed(BSTR text) {
    if (!text) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length) - 1);
    return narrow;
}

void setChild(VARIANT* out, long childNumber) {
    out->vt = VT_I4;
    out->lVal = childNumber;
}

// The child numbers are the platform's: the window's object itself is its child 0.
static_assert(CHILDID_SELF == kAccessibleSelf);

AccessibleStep stepOf(long direction) {
    switch (direction) {
        case NAVDIR_FIRSTCHILD: return AccessibleStep::kFirstChild;
        case NAVDIR_LASTCHILD: return AccessibleStep::kLastChild;
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT:
        case NAVDIR_DOWN: return AccessibleStep::kNext;
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT:
        case NAVDIR_UP: return AccessibleStep::kPrevious;
        default: return AccessibleStep::kNone;
    }
}

RECT screenRectOf(HWND window, const CRectangle& rect) {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    MapWindowPoints(window, nullptr, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

FrameAccessible::FrameAccessible(CFrame* frame) : frame(frame) {}

void FrameAccessible::disconnect() {
    frame = nullptr;
    CoDisconnectObject(static_cast<IUnknown*>(this), 0);
}

HRESULT FrameAccessible::QueryInterface(REFIID id, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch) &&
        !IsEqualIID(id, kAccessibleInterface))
        return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG FrameAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references)); }

ULONG FrameAccessible::Release() {
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT FrameAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT FrameAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT FrameAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT FrameAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
    return E_NOTIMPL;
}

HRESULT FrameAccessible::resolve(const VARIANT& child, CView*& view) {
    view = nullptr;
    if (!frame) return kDisconnected;
    if (child.vt != VT_I4) return E_INVALIDARG;
    return accessibleChild(*frame, child.lVal, view) ? S_OK : E_INVALIDARG;
}

long FrameAccessible::childNumberOf(CView* view) { return accessibleChildNumber(*frame, view); }

HRESULT FrameAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!frame) return kDisconnected;
    HMODULE library = GetModuleHandleA("oleacc.dll");
    auto fromWindow = library ? reinterpret_cast<WindowObjectFunction>(reinterpret_cast<void*>(
                                    GetProcAddress(library, "AccessibleObjectFromWindow")))
                              : nullptr;
    if (!fromWindow || !frame->getWindow()) return S_FALSE;
    return fromWindow(frame->getWindow(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                      reinterpret_cast<void**>(parent));
}

HRESULT FrameAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    if (!frame) return kDisconnected;
    *count = static_cast<long>(frame->accessibleViews().size());
    return S_OK;
}

HRESULT FrameAccessible::get_accChild(VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    // The views are simple elements of this object, not objects of their own.
    return FAILED(found) ? found : S_FALSE;
}

HRESULT FrameAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name) *name = nullptr;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    return answerText((view ? view : frame)->getAccessibleName(), name);
}

HRESULT FrameAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (value) *value = nullptr;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    char text[kAccessibleTextSize] = {};
    if (!view || !view->accessibleValue(text)) return answerText(nullptr, value);
    return answerText(text, value);
}

HRESULT FrameAccessible::get_accDescription(VARIANT child, BSTR* text) {
    if (text) *text = nullptr;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    return FAILED(found) ? found : S_FALSE;
}

HRESULT FrameAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    setChild(role, view ? platformRole(view->accessibleRole()) : ROLE_SYSTEM_CLIENT);
    return S_OK;
}

HRESULT FrameAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    const bool keyboard = frame->hasKeyboardFocus();
    long bits = 0;
    if (!view) {
        bits = STATE_SYSTEM_FOCUSABLE;
        if (keyboard && !frame->getFocusView()) bits |= STATE_SYSTEM_FOCUSED;
    } else {
        const std::uint32_t states = view->accessibleStates();
        if (view->wantsFocus()) bits |= STATE_SYSTEM_FOCUSABLE;
        if (keyboard && frame->getFocusView() == view) bits |= STATE_SYSTEM_FOCUSED;
        if (states & kAccessibleChecked) bits |= STATE_SYSTEM_CHECKED;
        if (states & kAccessibleReadOnly) bits |= STATE_SYSTEM_READONLY;
        if (states & kAccessibleUnavailable) bits |= STATE_SYSTEM_UNAVAILABLE;
    }
    setChild(state, bits);
    return S_OK;
}

HRESULT FrameAccessible::get_accHelp(VARIANT child, BSTR* text) {
    return get_accDescription(child, text);
}

HRESULT FrameAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    return FAILED(found) ? found : S_FALSE;
}

HRESULT FrameAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
    return get_accDescription(child, text);
}

HRESULT FrameAccessible::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (!frame) return kDisconnected;
    if (!frame->hasKeyboardFocus()) return S_FALSE;
    setChild(focus, childNumberOf(frame->getFocusView()));
    return S_OK;
}

HRESULT FrameAccessible::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    return frame ? S_FALSE : kDisconnected;
}

HRESULT FrameAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action) *action = nullptr;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    return answerText(view ? accessibleDefaultAction(view->accessibleRole()) : nullptr, action);
}

HRESULT FrameAccessible::accSelect(long flags, VARIANT child) {
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    if (!(flags & SELFLAG_TAKEFOCUS) || (view && !view->wantsFocus())) return E_INVALIDARG;
    // The toolkit's focus first, so that the window's focus event names the view. The view that
    // has it already keeps it: setting it again would run its loseFocus and leave no focus view.
    if (view && frame->getFocusView() != view) frame->setFocusView(view);
    // An entry that lost the focus may have committed, and the host closed the editor meanwhile.
    if (frame) frame->takeKeyboardFocus();
    return S_OK;
}

HRESULT FrameAccessible::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    const RECT onScreen = screenRectOf(frame->getWindow(), accessibleRectInWindow(*frame, view));
    *left = onScreen.left;
    *top = onScreen.top;
    *width = onScreen.right - onScreen.left;
    *height = onScreen.bottom - onScreen.top;
    return S_OK;
}

HRESULT FrameAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    CView* view = nullptr;
    const HRESULT found = resolve(start, view);
    if (FAILED(found)) return found;
    const long target =
        accessibleNeighbour(*frame, view ? start.lVal : kAccessibleSelf, stepOf(direction));
    if (target == 0) return S_FALSE;
    setChild(end, target);
    return S_OK;
}

HRESULT FrameAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!frame) return kDisconnected;
    POINT point = {x, y};
    ScreenToClient(frame->getWindow(), &point);
    const long hit = accessibleChildAt(*frame, CPosition(point.x, point.y));
    if (hit < 0) return S_FALSE;
    setChild(child, hit);
    return S_OK;
}

HRESULT FrameAccessible::accDoDefaultAction(VARIANT child) {
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    if (!view || !accessibleDefaultAction(view->accessibleRole())) return DISP_E_MEMBERNOTFOUND;
    PostMessageA(frame->getWindow(), kDefaultActionMessage, static_cast<WPARAM>(child.lVal), 0);
    return S_OK;
}

HRESULT FrameAccessible::put_accName(VARIANT, BSTR) { return frame ? E_NOTIMPL : kDisconnected; }

HRESULT FrameAccessible::put_accValue(VARIANT child, BSTR value) {
    CView* view = nullptr;
    const HRESULT found = resolve(child, view);
    if (FAILED(found)) return found;
    if (!view) return DISP_E_MEMBERNOTFOUND;
    // The host may close the editor from inside the change: nothing is touched afterwards.
    return view->accessibleSetValue(narrowed(value).c_str()) ? S_OK : DISP_E_MEMBERNOTFOUND;
}

namespace {

// A client in the host's own process gets the object itself, not a proxy, and may keep it after
// the host has closed the editor and unloaded the plug-in: its code must stay loaded. Giving a
// module reference back from the object's last Release would return into unloaded code, so the
// module is pinned for the life of the process, once a client has asked for an object at all.
void keepModuleLoaded() {
    static bool pinned = false;
    if (pinned) return;
    HMODULE self = nullptr;
    pinned =
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&keepModuleLoaded), &self) != FALSE;
}

}  // namespace

std::intptr_t CFrame::answerObjectRequest(std::uintptr_t wParam) {
    if (!openFlag || !window) return 0;
    if (!accessibilityLibrary) accessibilityLibrary = LoadLibraryA("oleacc.dll");
    auto fromObject = accessibilityLibrary
                          ? reinterpret_cast<ObjectResultFunction>(reinterpret_cast<void*>(
                                GetProcAddress(accessibilityLibrary, "LresultFromObject")))
                          : nullptr;
    if (!fromObject) return 0;
    keepModuleLoaded();
    if (!accessible) accessible = new FrameAccessible(this);
    return fromObject(kAccessibleInterface, wParam, static_cast<IAccessible*>(accessible));
}

void CFrame::disconnectAccessible() {
    if (accessible) {
        accessible->disconnect();
        accessible->Release();
        accessible = nullptr;
    }
    if (accessibilityLibrary) FreeLibrary(accessibilityLibrary);
    accessibilityLibrary = nullptr;
}

namespace platform {

void announceFocus(NativeWindow window, std::int32_t childNumber) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT,
                   childNumber == 0 ? CHILDID_SELF : childNumber);
}

void announceValueChange(NativeWindow window, std::int32_t childNumber) {
    if (window) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, childNumber);
}

}  // namespace platform
}  // namespace gui
