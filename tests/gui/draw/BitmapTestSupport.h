// Helpers of the bitmap tests: the test program's own resources, decoded pixels read straight
// from a bitmap's section, and a fixture that restores the process-wide imaging state.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "gui/draw/CBitmap.h"
#include "gui/draw/OwnedBitmaps.h"
#include "gui/draw/data/bitmap_test_resources.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32Handles.h"

namespace bitmaptest {

// One pixel's four bytes in memory order.
struct Bgra {
    int blue;
    int green;
    int red;
    int alpha;
    bool operator==(const Bgra& other) const {
        return blue == other.blue && green == other.green && red == other.red &&
               alpha == other.alpha;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Bgra& pixel) {
    return out << "(b " << pixel.blue << ", g " << pixel.green << ", r " << pixel.red << ", a "
               << pixel.alpha << ")";
}

inline DIBSECTION sectionOf(const gui::CBitmap& bitmap) {
    DIBSECTION section = {};
    GetObjectA(gdiObject(bitmap.getHandle()), sizeof(section), &section);
    return section;
}

// A decoded pixel; y counts from the image's top whichever way the rows are stored.
inline Bgra pixelAt(const gui::CBitmap& bitmap, int x, int y) {
    GdiFlush();
    const DIBSECTION section = sectionOf(bitmap);
    const int height = section.dsBmih.biHeight;
    const int row = height > 0 ? height - 1 - y : y;
    const auto* bytes = static_cast<const unsigned char*>(section.dsBm.bmBits) +
                        row * section.dsBm.bmWidthBytes + x * 4;
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

inline std::vector<unsigned char> resourceBytes(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    if (!resource) return {};
    const auto* data =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    return std::vector<unsigned char>(data, data + SizeofResource(module, resource));
}

// Loads the images from the test program and leaves the imaging globals as it found them.
class BitmapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gui::moduleHandle = GetModuleHandleA(nullptr);
        imagingLibrary = gui::loadImagingEntryPoints();
        savedVersion = gui::osVersion;
        bitmapsAlive = gui::ownedBitmaps::alive();
    }
    void TearDown() override {
        gui::osVersion = savedVersion;
        if (imagingLibrary) FreeLibrary(imagingLibrary);
        gui::alphaBlendEntry = nullptr;
        gui::transparentBltEntry = nullptr;
        EXPECT_EQ(gui::ownedBitmaps::alive(), bitmapsAlive) << "a bitmap leaked";
    }

  private:
    HMODULE imagingLibrary = nullptr;
    OSVERSIONINFOA savedVersion = {};
    std::int32_t bitmapsAlive = 0;
};

}  // namespace bitmaptest
