// Drops onto the frame's window and the data they carry. UI thread; the drag data is the
// platform's, kept alive by retainDragData while the toolkit holds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/platform/NativeHandle.h"

namespace gui {

class CDropTarget;
class CFrame;

namespace platform {

// Registers a drop target that hands the drags over window to frame (see DropDelivery.h); null
// when the system refuses it, and then nothing is left behind.
CDropTarget* registerDropTarget(NativeWindow window, CFrame* frame);
// The system lets go of the window's target, which deletes it.
void revokeDropTarget(NativeWindow window);

void retainDragData(NativeDragData data);
void releaseDragData(NativeDragData data);
// Whether the data carries text; false for null data.
bool dragDataHasText(NativeDragData data);
// The text's bytes as the data holds them; false when there is no text or it cannot be read,
// is empty, or is too long for a 32-bit size.
bool readDragText(NativeDragData data, std::vector<char>& bytes);
// The number of files the data lists; 0 for none or for null data.
std::int32_t dragFileCount(NativeDragData data);
// How reading one file of the data went: the data may refuse its whole list, which is not the
// same as a list without that file.
enum class DragFileRead { kRead, kNoSuchFile, kNoList };
// The path of file index, a shortcut replaced by its target where it resolves; path is set only
// when the file was read.
DragFileRead readDragFile(NativeDragData data, std::int32_t index, std::string& path);

}  // namespace platform
}  // namespace gui
