// What is being dragged onto a frame, as a list of items (file paths or one text) that views can
// enumerate without touching the platform's data object.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/draw/CReferenceCounter.h"
#include "gui/platform/NativeHandle.h"

namespace gui {

enum CDragItemType : std::int32_t {
    kDragItemFile = 0,   // a path
    kDragItemText = 1,   // text
    kDragItemNone = -1,  // no item
};

class CDragContainer : public CReferenceCounter {
  public:
    // UI thread. A null data object gives a container without items.
    explicit CDragContainer(NativeDragData platformDrag);
    ~CDragContainer() override;

    // Restarts the enumeration; see nextItem.
    void* firstItem(std::int32_t& size, std::int32_t& type);
    // The next item with its size in bytes (without the terminator) and type, or null with size
    // 0 and kDragItemNone. The block belongs to the container and stays valid until the next
    // firstItem/nextItem call or the container's destruction.
    void* nextItem(std::int32_t& size, std::int32_t& type);
    // kDragItemText when the data carries text, else kDragItemFile; the index is not consulted.
    std::int32_t getItemType(std::int32_t index);
    // 1 for text, the number of files for a file list, else 0.
    std::int32_t getItemCount() const { return itemCount; }
    NativeDragData getPlatformDrag() const { return platformDrag; }

  private:
    void* nextText(std::int32_t& size, std::int32_t& type);
    void* nextFile(std::int32_t& size, std::int32_t& type);
    bool offersText();
    std::int32_t countItems();

    // Kept alive by the container: a view may keep the container beyond the drop event.
    NativeDragData platformDrag;
    std::int32_t itemCount = 0;
    std::int32_t nextIndex = 0;
    std::unique_ptr<char[]> lastItem;
};

}  // namespace gui
