// The object a frame registers with the platform's drag-and-drop service for its window. It turns
// the platform's drag events into the frame's drag operations (gui/views/DropDelivery.h), with
// the items wrapped in a CDragContainer shared by the whole process while the drag lasts.
#pragma once

#include <ole2.h>

#include <cstdint>

#include "gui/platform/win32/Win32Handles.h"

namespace gui {

class CDragContainer;
class CFrame;

class CDropTarget : public IDropTarget {
  public:
    // The count starts at 0: the platform takes the first reference when the target is
    // registered, and the target deletes itself when the last one goes.
    explicit CDropTarget(CFrame* frame);
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // UI thread, inside the platform's drag loop. The position is read from the cursor; the
    // platform's point and key state are not used.
    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    virtual ~CDropTarget();

    // The drag in progress over any frame of the process, or null.
    static CDragContainer* getCurrentDrag();
    // Targets alive in the process: one per registered frame window, none after the last.
    static std::int32_t liveCount() { return targetsAlive; }

  private:
    static std::int32_t targetsAlive;
    std::int32_t referenceCount = 0;
    CFrame* frame;
};

}  // namespace gui
