#include "gui/views/CDragContainer.h"

#include <cstring>
#include <string>
#include <vector>

#include "gui/platform/DragAndDrop.h"

namespace gui {

CDragContainer::CDragContainer(NativeDragData platformDrag) : platformDrag(platformDrag) {
    platform::retainDragData(platformDrag);
    itemCount = countItems();
}

CDragContainer::~CDragContainer() { platform::releaseDragData(platformDrag); }

std::int32_t CDragContainer::countItems() {
    if (offersText()) return 1;
    return platform::dragFileCount(platformDrag);
}

bool CDragContainer::offersText() { return platform::dragDataHasText(platformDrag); }

void* CDragContainer::firstItem(std::int32_t& size, std::int32_t& type) {
    nextIndex = 0;
    return nextItem(size, type);
}

void* CDragContainer::nextItem(std::int32_t& size, std::int32_t& type) {
    lastItem.reset();
    size = 0;
    type = kDragItemNone;
    if (offersText()) return nextText(size, type);
    return nextFile(size, type);
}

void* CDragContainer::nextText(std::int32_t& size, std::int32_t& type) {
    // The text is a single item.
    if (nextIndex++ != 0) return nullptr;
    std::vector<char> bytes;
    if (!platform::readDragText(platformDrag, bytes)) return nullptr;
    const std::size_t length = bytes.size();
    lastItem.reset(new char[length + 1]);
    std::memcpy(lastItem.get(), bytes.data(), length);
    lastItem[length] = 0;
    size = static_cast<std::int32_t>(length);
    type = kDragItemText;
    return lastItem.get();
}

void* CDragContainer::nextFile(std::int32_t& size, std::int32_t& type) {
    std::string name;
    // A refused list leaves the enumeration where it was; a missing file moves past it.
    const platform::DragFileRead read = platform::readDragFile(platformDrag, nextIndex, name);
    if (read != platform::DragFileRead::kNoList) ++nextIndex;
    if (read != platform::DragFileRead::kRead) return nullptr;
    const std::size_t length = name.size();
    lastItem.reset(new char[length + 1]);
    std::memcpy(lastItem.get(), name.c_str(), length + 1);
    size = static_cast<std::int32_t>(length);
    type = kDragItemFile;
    return lastItem.get();
}

std::int32_t CDragContainer::getItemType(std::int32_t) {
    return offersText() ? kDragItemText : kDragItemFile;
}

}  // namespace gui
