// The data of a drag on Win32: text and file lists from the platform's data object, shortcuts
// replaced by their targets.
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <limits>
#include <memory>

#include "gui/platform/DragAndDrop.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui::platform {

namespace {

constexpr UINT kCountFiles = 0xFFFFFFFF;
constexpr UINT kMaxPath = 1024;
constexpr int kMaxWidePath = 2048;
constexpr DWORD kResolveTimeoutMs = 500;
constexpr DWORD kResolveFlags =
    static_cast<DWORD>(SLR_NO_UI) | static_cast<DWORD>(SLR_ANY_MATCH) | (kResolveTimeoutMs << 16);
// No user interface, any match, and the search time-out in the high word.
static_assert(kResolveFlags == 0x01F40003);
constexpr char kShortcutExtension[] = ".lnk";

FORMATETC formatOf(CLIPFORMAT format) {
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// One medium obtained from the data object, given back when it goes out of scope.
class Medium {
  public:
    Medium(IDataObject* data, CLIPFORMAT format) {
        FORMATETC wanted = formatOf(format);
        obtained = data && SUCCEEDED(data->GetData(&wanted, &medium));
    }
    ~Medium() {
        if (!obtained) return;
        if (medium.pUnkForRelease)
            medium.pUnkForRelease->Release();
        else if (medium.hGlobal)
            GlobalFree(medium.hGlobal);
    }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    bool ok() const { return obtained; }
    HGLOBAL handle() const { return obtained ? medium.hGlobal : nullptr; }

  private:
    STGMEDIUM medium = {};
    bool obtained = false;
};

class LockedBlock {
  public:
    explicit LockedBlock(HGLOBAL block) : block(block), bytes(GlobalLock(block)) {}
    ~LockedBlock() {
        if (bytes) GlobalUnlock(block);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    const void* data() const { return bytes; }

  private:
    HGLOBAL block;
    void* bytes;
};

template <typename Interface>
struct ComRelease {
    void operator()(Interface* object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease<Interface>>;

bool isShortcut(const char* name) {
    const char* dot = std::strrchr(name, '.');
    return dot && _stricmp(dot, kShortcutExtension) == 0;
}

// Replaces name with the short path of the shortcut's target; a failing step leaves what the
// buffer holds, so a broken shortcut stays its own path.
void resolveShortcut(char* name) {
    IShellLinkA* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&rawLink))))
        return;
    ComPointer<IShellLinkA> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return;
    ComPointer<IPersistFile> file(rawFile);
    WCHAR wideName[kMaxWidePath] = {};
    if (MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, kMaxWidePath) == 0) return;
    if (FAILED(file->Load(wideName, STGM_READ))) return;
    if (FAILED(link->Resolve(nullptr, kResolveFlags))) return;
    char target[kMaxPath] = {};
    if (link->GetPath(target, kMaxPath, nullptr, SLGP_SHORTPATH) != S_OK || target[0] == 0) return;
    // Some link services answer a target that is gone, or a long path; asking the file system
    // for the short path settles both.
    char shortTarget[kMaxPath] = {};
    const DWORD length = GetShortPathNameA(target, shortTarget, kMaxPath);
    if (length == 0 || length >= kMaxPath) return;
    std::memcpy(name, shortTarget, length + 1);
}

}  // namespace

void retainDragData(NativeDragData data) {
    if (data) static_cast<IDataObject*>(data)->AddRef();
}

void releaseDragData(NativeDragData data) {
    if (data) static_cast<IDataObject*>(data)->Release();
}

bool dragDataHasText(NativeDragData data) { return Medium(data, CF_TEXT).ok(); }

bool readDragText(NativeDragData data, std::vector<char>& bytes) {
    Medium text(data, CF_TEXT);
    if (!text.handle()) return false;
    LockedBlock lock(text.handle());
    const SIZE_T length = GlobalSize(text.handle());
    if (!lock.data() || length == 0 ||
        length >= static_cast<SIZE_T>(std::numeric_limits<std::int32_t>::max()))
        return false;
    const auto* first = static_cast<const char*>(lock.data());
    bytes.assign(first, first + length);
    return true;
}

std::int32_t dragFileCount(NativeDragData data) {
    Medium files(data, CF_HDROP);
    if (!files.handle()) return 0;
    const UINT count = DragQueryFileA(static_cast<HDROP>(files.handle()), kCountFiles, nullptr, 0);
    return count > static_cast<UINT>(std::numeric_limits<std::int32_t>::max())
               ? 0
               : static_cast<std::int32_t>(count);
}

DragFileRead readDragFile(NativeDragData data, std::int32_t index, std::string& path) {
    char name[kMaxPath] = {};
    {
        Medium files(data, CF_HDROP);
        if (!files.handle()) return DragFileRead::kNoList;
        if (DragQueryFileA(static_cast<HDROP>(files.handle()), static_cast<UINT>(index), name,
                           kMaxPath) == 0)
            return DragFileRead::kNoSuchFile;
    }
    if (isShortcut(name)) resolveShortcut(name);
    path = name;
    return DragFileRead::kRead;
}

}  // namespace gui::platform
