#include <gtest/gtest.h>

#include "gui/platform/win32/Win32Globals.h"

using namespace gui;

TEST(ImagingEntryPoints, LoadFromMsimg32OnTheNtFamily) {
    alphaBlendEntry = nullptr;
    transparentBltEntry = nullptr;
    HMODULE library = loadImagingEntryPoints();
    ASSERT_NE(library, nullptr);
    EXPECT_NE(alphaBlendEntry, nullptr);
    EXPECT_EQ(osVersion.dwOSVersionInfoSize, sizeof(OSVERSIONINFOA));
    EXPECT_GT(osVersion.dwPlatformId, 1u);
    EXPECT_NE(transparentBltEntry, nullptr);
    // The entry points are the library's own exports.
    EXPECT_EQ(reinterpret_cast<void*>(alphaBlendEntry),
              reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
    FreeLibrary(library);
}

TEST(ImagingEntryPoints, AlphaBlendThroughTheEntryPointBlendsPremultipliedPixels) {
    HMODULE library = loadImagingEntryPoints();
    ASSERT_NE(alphaBlendEntry, nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* sourceBits = nullptr;
    void* destinationBits = nullptr;
    HBITMAP source = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &sourceBits, nullptr, 0);
    HBITMAP destination =
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &destinationBits, nullptr, 0);
    // Half-transparent premultiplied red over opaque blue.
    *static_cast<DWORD*>(sourceBits) = 0x80800000;
    *static_cast<DWORD*>(destinationBits) = 0xFF0000FF;
    HDC sourceDevice = CreateCompatibleDC(nullptr);
    HDC destinationDevice = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(sourceDevice, source);
    HGDIOBJ oldDestination = SelectObject(destinationDevice, destination);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(alphaBlendEntry(destinationDevice, 0, 0, 1, 1, sourceDevice, 0, 0, 1, 1, blend));
    GdiFlush();
    const DWORD blended = *static_cast<DWORD*>(destinationBits);
    EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 128, 1);  // red
    EXPECT_NEAR(static_cast<int>(blended & 0xFF), 127, 1);          // blue
    SelectObject(sourceDevice, oldSource);
    SelectObject(destinationDevice, oldDestination);
    DeleteDC(sourceDevice);
    DeleteDC(destinationDevice);
    DeleteObject(source);
    DeleteObject(destination);
    FreeLibrary(library);
}
