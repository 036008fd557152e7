// The drag container over real platform data objects: text, file lists and shortcuts.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CDragContainer.h"
#include "gui/views/DragDataObject.h"

using dragtest::DragDataObject;
using dragtest::makeDataObject;
using gui::CDragContainer;

namespace {

// The blocks the container hands out are array allocations; the test records which were freed.
constexpr int kFreedSlots = 64;
void* freedBlocks[kFreedSlots];
int freedCount = 0;

bool wasFreed(const void* block) {
    for (int i = 0; i < freedCount && i < kFreedSlots; ++i)
        if (freedBlocks[i] == block) return true;
    return false;
}

}  // namespace

void operator delete[](void* block) noexcept {
    if (block) freedBlocks[freedCount++ % kFreedSlots] = block;
    ::operator delete(block);
}
void operator delete[](void* block, std::size_t) noexcept { operator delete[](block); }

namespace {

struct ContainerRelease {
    void operator()(CDragContainer* container) const { container->release(); }
};
using ContainerHolder = std::unique_ptr<CDragContainer, ContainerRelease>;

ContainerHolder containerFor(DragDataObject* data) {
    return ContainerHolder(new CDragContainer(static_cast<IDataObject*>(data)));
}

// A folder of its own under the temporary folder, removed with everything in it.
class DragFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        folder = std::string(base) + "talon drag test " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const auto& file : made) DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
        OleUninitialize();
    }

    std::string makeFile(const std::string& name) {
        const std::string path = folder + "\\" + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        made.push_back(path);
        return path;
    }

    std::string makeShortcut(const std::string& name, const std::string& target) {
        const std::string path = folder + "\\" + name;
        IShellLinkA* link = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)),
                  S_OK);
        if (!link) return path;
        link->SetPath(target.c_str());
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR wide[MAX_PATH] = {};
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            EXPECT_EQ(file->Save(wide, TRUE), S_OK);
            file->Release();
        }
        link->Release();
        made.push_back(path);
        return path;
    }

    static std::string shortPathOf(const std::string& path) {
        char shortPath[MAX_PATH] = {};
        GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
        return shortPath;
    }

    // The single file item the container makes of a one-file drag.
    static std::string droppedName(const std::string& path) {
        auto data = makeDataObject();
        data->offerFiles({path});
        auto container = containerFor(data.get());
        std::int32_t size = -1, type = -2;
        const char* item = static_cast<const char*>(container->firstItem(size, type));
        EXPECT_EQ(type, gui::kDragItemFile);
        return item ? std::string(item, static_cast<std::size_t>(size)) : std::string("<null>");
    }

    std::string folder;
    std::vector<std::string> made;
};

}  // namespace

TEST(DragText, CountsOneItem) {
    auto data = makeDataObject();
    data->offerText("knob");
    EXPECT_EQ(containerFor(data.get())->getItemCount(), 1);
}

TEST(DragText, FirstItemIsTheBlockWithItsSizeThenNothing) {
    auto data = makeDataObject();
    data->offerText("stereo");
    auto container = containerFor(data.get());
    std::int32_t size = -1, type = -2;
    const char* item = static_cast<const char*>(container->firstItem(size, type));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(size, 6);
    EXPECT_EQ(type, gui::kDragItemText);
    EXPECT_STREQ(item, "stereo");
    EXPECT_EQ(container->nextItem(size, type), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(type, gui::kDragItemNone);
}

TEST(DragText, WinsOverAFileList) {
    auto data = makeDataObject();
    data->offerFiles({"C:\\a.wav", "C:\\b.wav"});
    data->offerText("both");
    auto container = containerFor(data.get());
    EXPECT_EQ(container->getItemCount(), 1);
    EXPECT_EQ(container->getItemType(1), gui::kDragItemText);
    std::int32_t size = 0, type = 0;
    EXPECT_STREQ(static_cast<const char*>(container->firstItem(size, type)), "both");
    EXPECT_EQ(type, gui::kDragItemText);
}

TEST(DragText, EmptyBlockGivesNoItem) {
    auto data = makeDataObject();
    data->offerText("");
    auto container = containerFor(data.get());
    std::int32_t size = -1, type = -2;
    EXPECT_EQ(container->firstItem(size, type), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(type, gui::kDragItemNone);
}

TEST(DragMedium, GivenBackThroughItsReleaseObject) {
    auto data = makeDataObject();
    data->offerText("kept");
    data->keepBlocks(true);
    auto container = containerFor(data.get());
    const ULONG held = data->references();
    std::int32_t size = 0, type = 0;
    EXPECT_NE(container->firstItem(size, type), nullptr);
    EXPECT_EQ(container->getItemType(0), gui::kDragItemText);
    EXPECT_EQ(data->references(), held);
}

TEST(DragContainer, KeepsItsDataObjectUntilDestroyed) {
    DragDataObject* data = new DragDataObject;
    data->offerText("late");
    auto container = containerFor(data);
    EXPECT_EQ(data->references(), 2u);
    data->Release();  // the platform ends the drag; a view still holds the container
    std::int32_t size = 0, type = 0;
    EXPECT_STREQ(static_cast<const char*>(container->firstItem(size, type)), "late");
}

TEST(DragContainer, WithoutKnownFormatHasNoItems) {
    auto data = makeDataObject();
    auto container = containerFor(data.get());
    EXPECT_EQ(container->getItemCount(), 0);
    EXPECT_EQ(container->getItemType(0), gui::kDragItemFile);
    std::int32_t size = -1, type = -2;
    EXPECT_EQ(container->firstItem(size, type), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(type, gui::kDragItemNone);
}

TEST(DragContainer, WithoutDataObjectHasNoItems) {
    auto container = containerFor(nullptr);
    EXPECT_EQ(container->getItemCount(), 0);
    std::int32_t size = -1, type = -2;
    EXPECT_EQ(container->firstItem(size, type), nullptr);
    EXPECT_EQ(type, gui::kDragItemNone);
}

TEST(DragFileList, EnumeratesThreePathsThenNothing) {
    auto data = makeDataObject();
    const char* paths[] = {"C:\\mix\\left.wav", "C:\\mix\\right.wav", "D:\\bus.wav"};
    data->offerFiles({paths[0], paths[1], paths[2]});
    auto container = containerFor(data.get());
    EXPECT_EQ(container->getItemCount(), 3);
    EXPECT_EQ(container->getItemType(2), gui::kDragItemFile);
    std::int32_t size = 0, type = 0;
    for (int i = 0; i < 3; ++i) {
        const void* item =
            i == 0 ? container->firstItem(size, type) : container->nextItem(size, type);
        ASSERT_NE(item, nullptr) << "item " << i;
        EXPECT_STREQ(static_cast<const char*>(item), paths[i]);
        EXPECT_EQ(size, static_cast<std::int32_t>(std::strlen(paths[i])));
        EXPECT_EQ(type, gui::kDragItemFile);
    }
    EXPECT_EQ(container->nextItem(size, type), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(type, gui::kDragItemNone);
}

TEST(DragFileList, ListRefusedOnceLeavesTheNextItemAtTheSamePath) {
    auto data = makeDataObject();
    data->offerFiles({"C:\\mix\\left.wav", "C:\\mix\\right.wav"});
    auto container = containerFor(data.get());
    data->refuseData(1);
    std::int32_t size = 0, type = 0;
    EXPECT_EQ(container->firstItem(size, type), nullptr);
    const void* item = container->nextItem(size, type);
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(static_cast<const char*>(item), "C:\\mix\\left.wav");
}

TEST(DragFileList, FirstItemRestartsFromTheFirstPath) {
    auto data = makeDataObject();
    data->offerFiles({"C:\\one.wav", "C:\\two.wav"});
    auto container = containerFor(data.get());
    std::int32_t size = 0, type = 0;
    container->firstItem(size, type);
    container->nextItem(size, type);
    EXPECT_STREQ(static_cast<const char*>(container->firstItem(size, type)), "C:\\one.wav");
}

TEST(DragFileList, FirstItemBlockIsFreedByNextItem) {
    auto data = makeDataObject();
    data->offerFiles({"C:\\one.wav", "C:\\two.wav"});
    auto container = containerFor(data.get());
    std::int32_t size = 0, type = 0;
    const void* first = container->firstItem(size, type);
    ASSERT_NE(first, nullptr);
    // Only what is freed from here on counts: addresses of earlier blocks come back.
    freedCount = 0;
    container->nextItem(size, type);
    EXPECT_TRUE(wasFreed(first));
}

TEST_F(DragFiles, ShortcutWithCapitalExtensionGivesTargetShortPath) {
    const std::string target = makeFile("dragged target with a long name.wav");
    const std::string link = makeShortcut("Talon Shortcut.LNK", target);
    EXPECT_EQ(droppedName(link), shortPathOf(target));
}

TEST_F(DragFiles, ShortcutWithSmallExtensionGivesTargetShortPath) {
    const std::string target = makeFile("another long target name.wav");
    const std::string link = makeShortcut("second shortcut.lnk", target);
    EXPECT_EQ(droppedName(link), shortPathOf(target));
}

TEST_F(DragFiles, BrokenShortcutGivesItsOwnPath) {
    const std::string target = makeFile("target that goes away.wav");
    const std::string link = makeShortcut("broken.lnk", target);
    DeleteFileA(target.c_str());
    EXPECT_EQ(droppedName(link), link);
}

TEST_F(DragFiles, OrdinaryFileKeepsItsPath) {
    const std::string file = makeFile("plain.lnk.wav");
    EXPECT_EQ(droppedName(file), file);
}
