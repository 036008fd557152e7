// The frame as screen readers reach it on Win32: the accessible object of the frame's window, whose
// children are the views that take part, as simple elements numbered in drawing order.
#pragma once

#include "gui/platform/win32/Win32Handles.h"
// The platform's accessibility interface, which needs the declarations above.
#include <oleacc.h>

namespace gui {

class CFrame;
class CView;

// Posted to the frame's window by a default action, so that a popup or a tracking loop never
// runs inside the screen reader's call; wParam is the child number.
constexpr UINT kDefaultActionMessage = WM_APP + 0x516;

class FrameAccessible final : public IAccessible {
  public:
    explicit FrameAccessible(CFrame* frame);
    FrameAccessible(const FrameAccessible&) = delete;
    FrameAccessible& operator=(const FrameAccessible&) = delete;

    // UI thread, the frame is closing: every later call answers an error, and clients in other
    // processes lose their connection.
    void disconnect();

    // Every call comes on the UI thread, from a client in this process or through the
    // platform's marshalling from another; calls after disconnect answer an error.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  private:
    ~FrameAccessible() = default;

    // S_OK with view null for the frame itself, or with the child's view; an error for a
    // disconnected object or a child that is not there.
    HRESULT resolve(const VARIANT& child, CView*& view);
    // The child number of view, CHILDID_SELF for none or one that takes no part.
    long childNumberOf(CView* view);

    LONG references = 1;
    CFrame* frame;
};

}  // namespace gui
