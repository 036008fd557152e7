#include "gui/platform/win32/Win32DropTarget.h"

#include "gui/platform/DragAndDrop.h"
#include "gui/views/DropDelivery.h"

namespace gui {

std::int32_t CDropTarget::targetsAlive = 0;

CDropTarget::CDropTarget(CFrame* frame) : frame(frame) { ++targetsAlive; }

CDropTarget::~CDropTarget() { --targetsAlive; }

CDragContainer* CDropTarget::getCurrentDrag() { return currentDrag(); }

STDMETHODIMP CDropTarget::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDropTarget::AddRef() { return static_cast<ULONG>(++referenceCount); }

STDMETHODIMP_(ULONG) CDropTarget::Release() {
    if (--referenceCount > 0) return static_cast<ULONG>(referenceCount);
    delete this;
    return 0;
}

STDMETHODIMP CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (!frame || !data) {
        if (effect) *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    beginDrag(data);
    const bool delivered = deliverDrag(frame, DropEvent::kEnter);
    if (!delivered) endDrag();
    if (effect) *effect = delivered ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return delivered ? S_OK : E_UNEXPECTED;
}

STDMETHODIMP CDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (!frame || !currentDrag()) return S_OK;
    if (!deliverDrag(frame, DropEvent::kMove)) return E_UNEXPECTED;
    if (effect) *effect = DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP CDropTarget::DragLeave() {
    if (!frame || !currentDrag()) return S_OK;
    const bool delivered = deliverDrag(frame, DropEvent::kLeave);
    endDrag();
    return delivered ? S_OK : E_UNEXPECTED;
}

STDMETHODIMP CDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD*) {
    if (!frame || !currentDrag()) return S_OK;
    const bool delivered = deliverDrag(frame, DropEvent::kDrop);
    endDrag();
    return delivered ? S_OK : E_UNEXPECTED;
}

namespace platform {

CDropTarget* registerDropTarget(NativeWindow window, CFrame* frame) {
    auto* target = new CDropTarget(frame);
    if (RegisterDragDrop(window, target) == S_OK) return target;
    // Nobody took the first reference: taking and dropping one deletes the target.
    target->AddRef();
    target->Release();
    return nullptr;
}

void revokeDropTarget(NativeWindow window) { RevokeDragDrop(window); }

}  // namespace platform
}  // namespace gui
