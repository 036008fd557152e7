#include "gui/views/CDropTarget.h"

#include "gui/draw/CDrawContext.h"
#include "gui/views/CDragContainer.h"
#include "gui/views/CFrame.h"

namespace gui {

CDragContainer* CDropTarget::currentDrag = nullptr;
std::int32_t CDropTarget::targetsAlive = 0;

CDropTarget::CDropTarget(CFrame* frame) : frame(frame) { ++targetsAlive; }

CDropTarget::~CDropTarget() { --targetsAlive; }

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

void CDropTarget::endDrag() {
    CDragContainer* drag = currentDrag;
    currentDrag = nullptr;
    if (drag) drag->release();
}

bool CDropTarget::sendToFrame(Event event) {
    try {
        const ScopedReference<CDrawContext> context(frame->getDrawContext());
        CPosition where(0, 0);
        frame->getMousePoint(context.get(), where);
        switch (event) {
            case Event::kEnter: frame->onDragEnter(context.get(), currentDrag, where); break;
            case Event::kMove: frame->onDragMove(context.get(), currentDrag, where); break;
            case Event::kLeave: frame->onDragLeave(context.get(), currentDrag, where); break;
            case Event::kDrop: frame->onDrop(context.get(), currentDrag, where); break;
        }
        return true;
    } catch (...) {
        // Nothing may unwind into the platform's drag loop.
        return false;
    }
}

STDMETHODIMP CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (!frame || !data) {
        if (effect) *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // An enter without a leave before it must not leak the earlier drag.
    endDrag();
    currentDrag = new CDragContainer(data);
    const bool delivered = sendToFrame(Event::kEnter);
    if (!delivered) endDrag();
    if (effect) *effect = delivered ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return delivered ? S_OK : E_UNEXPECTED;
}

STDMETHODIMP CDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (!frame || !currentDrag) return S_OK;
    if (!sendToFrame(Event::kMove)) return E_UNEXPECTED;
    if (effect) *effect = DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP CDropTarget::DragLeave() {
    if (!frame || !currentDrag) return S_OK;
    const bool delivered = sendToFrame(Event::kLeave);
    endDrag();
    return delivered ? S_OK : E_UNEXPECTED;
}

STDMETHODIMP CDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD*) {
    if (!frame || !currentDrag) return S_OK;
    const bool delivered = sendToFrame(Event::kDrop);
    endDrag();
    return delivered ? S_OK : E_UNEXPECTED;
}

}  // namespace gui
