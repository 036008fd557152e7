#include "bench/DrawCounter.h"

#include <chrono>

#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32Handles.h"

// bench/CMakeLists.txt wraps the import slots of these entries at link time: every call of the
// toolkit reads the wrapped slot below, whose function calls through the real one.
#ifdef _WIN64
#define IMPORT_WRAP(name, argumentBytes) "__wrap___imp_" #name
#define IMPORT_REAL(name, argumentBytes) "__real___imp_" #name
#else
// 32-bit symbols carry a leading underscore and the size of the stdcall arguments.
#define IMPORT_WRAP(name, argumentBytes) "___wrap__imp__" #name "@" #argumentBytes
#define IMPORT_REAL(name, argumentBytes) "___real__imp__" #name "@" #argumentBytes
#endif

using BitBltEntry = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
using DrawTextEntry = int(WINAPI*)(HDC, LPCSTR, int, LPRECT, UINT);
using FillRectEntry = int(WINAPI*)(HDC, const RECT*, HBRUSH);
using GetDCEntry = HDC(WINAPI*)(HWND);
using ReleaseDCEntry = int(WINAPI*)(HWND, HDC);
using CreateCompatibleDCEntry = HDC(WINAPI*)(HDC);
using DeleteDCEntry = BOOL(WINAPI*)(HDC);
using SelectObjectEntry = HGDIOBJ(WINAPI*)(HDC, HGDIOBJ);
using CreateRectRgnEntry = HRGN(WINAPI*)(int, int, int, int);
using SelectClipRgnEntry = int(WINAPI*)(HDC, HRGN);
using DeleteObjectEntry = BOOL(WINAPI*)(HGDIOBJ);
using CreateFontIndirectEntry = HFONT(WINAPI*)(const LOGFONTA*);

extern BitBltEntry realBitBlt __asm__(IMPORT_REAL(BitBlt, 36));
extern DrawTextEntry realDrawText __asm__(IMPORT_REAL(DrawTextA, 20));
extern FillRectEntry realFillRect __asm__(IMPORT_REAL(FillRect, 12));
extern GetDCEntry realGetDC __asm__(IMPORT_REAL(GetDC, 4));
extern ReleaseDCEntry realReleaseDC __asm__(IMPORT_REAL(ReleaseDC, 8));
extern CreateCompatibleDCEntry realCreateCompatibleDC __asm__(IMPORT_REAL(CreateCompatibleDC, 4));
extern DeleteDCEntry realDeleteDC __asm__(IMPORT_REAL(DeleteDC, 4));
extern SelectObjectEntry realSelectObject __asm__(IMPORT_REAL(SelectObject, 8));
extern CreateRectRgnEntry realCreateRectRgn __asm__(IMPORT_REAL(CreateRectRgn, 16));
extern SelectClipRgnEntry realSelectClipRgn __asm__(IMPORT_REAL(SelectClipRgn, 8));
extern DeleteObjectEntry realDeleteObject __asm__(IMPORT_REAL(DeleteObject, 4));
extern CreateFontIndirectEntry realCreateFontIndirect __asm__(IMPORT_REAL(CreateFontIndirectA, 4));

namespace {

using Clock = std::chrono::steady_clock;
using panelbench::Entry;

bool counting = false;
panelbench::DrawCounts counts;
gui::AlphaBlendFunction realAlphaBlend = nullptr;
gui::TransparentBltFunction realTransparentBlt = nullptr;

// One call of an entry while counting: counted, its pixels added, its time taken.
class Counted {
  public:
    explicit Counted(Entry entry, std::int64_t pixels = 0) : entry(entry) {
        if (!counting) return;
        ++counts.calls[entry];
        counts.pixels[entry] += pixels;
        start = Clock::now();
    }
    ~Counted() {
        if (counting)
            counts.seconds[entry] += std::chrono::duration<double>(Clock::now() - start).count();
    }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

  private:
    Entry entry;
    Clock::time_point start;
};

// The part of a transfer's destination inside the device's clip: what the platform draws.
std::int64_t visiblePixels(HDC device, int x, int y, int width, int height) {
    if (!counting) return 0;
    RECT clip, both;
    const RECT target = {x, y, x + width, y + height};
    if (GetClipBox(device, &clip) == ERROR || !IntersectRect(&both, &clip, &target)) return 0;
    return static_cast<std::int64_t>(both.right - both.left) * (both.bottom - both.top);
}

Entry bitBltEntryFor(HDC destination) {
    if (!counting) return panelbench::kBitBltInMemory;
    return GetObjectType(destination) == OBJ_MEMDC ? panelbench::kBitBltInMemory
                                                   : panelbench::kBitBltToWindow;
}

BOOL WINAPI countedBitBlt(HDC destination, int x, int y, int width, int height, HDC source,
                          int sourceX, int sourceY, DWORD operation) {
    const Counted call(bitBltEntryFor(destination),
                       visiblePixels(destination, x, y, width, height));
    return realBitBlt(destination, x, y, width, height, source, sourceX, sourceY, operation);
}

BOOL WINAPI countedAlphaBlend(HDC destination, int x, int y, int width, int height, HDC source,
                              int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                              BLENDFUNCTION function) {
    const Counted call(panelbench::kAlphaBlend, visiblePixels(destination, x, y, width, height));
    return realAlphaBlend(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                          sourceHeight, function);
}

BOOL WINAPI countedTransparentBlt(HDC destination, int x, int y, int width, int height, HDC source,
                                  int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                  UINT key) {
    const Counted call(panelbench::kTransparentBlt,
                       visiblePixels(destination, x, y, width, height));
    return realTransparentBlt(destination, x, y, width, height, source, sourceX, sourceY,
                              sourceWidth, sourceHeight, key);
}

int WINAPI countedDrawText(HDC device, LPCSTR text, int length, LPRECT rect, UINT format) {
    const Counted call(panelbench::kDrawText);
    return realDrawText(device, text, length, rect, format);
}

int WINAPI countedFillRect(HDC device, const RECT* rect, HBRUSH brush) {
    const Counted call(panelbench::kFillRect);
    return realFillRect(device, rect, brush);
}

HDC WINAPI countedGetDC(HWND window) {
    const Counted call(panelbench::kGetDC);
    return realGetDC(window);
}

int WINAPI countedReleaseDC(HWND window, HDC device) {
    const Counted call(panelbench::kReleaseDC);
    return realReleaseDC(window, device);
}

HDC WINAPI countedCreateCompatibleDC(HDC device) {
    const Counted call(panelbench::kCreateCompatibleDC);
    return realCreateCompatibleDC(device);
}

BOOL WINAPI countedDeleteDC(HDC device) {
    const Counted call(panelbench::kDeleteDC);
    return realDeleteDC(device);
}

HGDIOBJ WINAPI countedSelectObject(HDC device, HGDIOBJ object) {
    const Counted call(panelbench::kSelectObject);
    return realSelectObject(device, object);
}

HRGN WINAPI countedCreateRectRgn(int left, int top, int right, int bottom) {
    const Counted call(panelbench::kCreateRectRgn);
    return realCreateRectRgn(left, top, right, bottom);
}

int WINAPI countedSelectClipRgn(HDC device, HRGN region) {
    const Counted call(panelbench::kSelectClipRgn);
    return realSelectClipRgn(device, region);
}

BOOL WINAPI countedDeleteObject(HGDIOBJ object) {
    const Counted call(panelbench::kDeleteObject);
    return realDeleteObject(object);
}

HFONT WINAPI countedCreateFontIndirect(const LOGFONTA* description) {
    const Counted call(panelbench::kCreateFontIndirect);
    return realCreateFontIndirect(description);
}

}  // namespace

BitBltEntry wrappedBitBlt __asm__(IMPORT_WRAP(BitBlt, 36)) = countedBitBlt;
DrawTextEntry wrappedDrawText __asm__(IMPORT_WRAP(DrawTextA, 20)) = countedDrawText;
FillRectEntry wrappedFillRect __asm__(IMPORT_WRAP(FillRect, 12)) = countedFillRect;
GetDCEntry wrappedGetDC __asm__(IMPORT_WRAP(GetDC, 4)) = countedGetDC;
ReleaseDCEntry wrappedReleaseDC __asm__(IMPORT_WRAP(ReleaseDC, 8)) = countedReleaseDC;
CreateCompatibleDCEntry wrappedCreateCompatibleDC __asm__(IMPORT_WRAP(CreateCompatibleDC, 4)) =
    countedCreateCompatibleDC;
DeleteDCEntry wrappedDeleteDC __asm__(IMPORT_WRAP(DeleteDC, 4)) = countedDeleteDC;
SelectObjectEntry wrappedSelectObject __asm__(IMPORT_WRAP(SelectObject, 8)) = countedSelectObject;
CreateRectRgnEntry wrappedCreateRectRgn __asm__(IMPORT_WRAP(CreateRectRgn,
                                                            16)) = countedCreateRectRgn;
SelectClipRgnEntry wrappedSelectClipRgn __asm__(IMPORT_WRAP(SelectClipRgn,
                                                            8)) = countedSelectClipRgn;
DeleteObjectEntry wrappedDeleteObject __asm__(IMPORT_WRAP(DeleteObject, 4)) = countedDeleteObject;
CreateFontIndirectEntry wrappedCreateFontIndirect __asm__(IMPORT_WRAP(CreateFontIndirectA, 4)) =
    countedCreateFontIndirect;

namespace panelbench {

const char* entryName(Entry entry) {
    static const char* const kNames[kEntryCount] = {"BitBlt to a window",
                                                    "BitBlt in memory",
                                                    "AlphaBlend",
                                                    "TransparentBlt",
                                                    "DrawTextA",
                                                    "FillRect",
                                                    "GetDC",
                                                    "ReleaseDC",
                                                    "CreateCompatibleDC",
                                                    "DeleteDC",
                                                    "SelectObject",
                                                    "CreateRectRgn",
                                                    "SelectClipRgn",
                                                    "DeleteObject",
                                                    "CreateFontIndirectA"};
    return entry >= 0 && entry < kEntryCount ? kNames[entry] : "?";
}

void startCounting() {
    counts = DrawCounts();
    counting = true;
}

DrawCounts stopCounting() {
    counting = false;
    return counts;
}

void hookImagingEntries() {
    realAlphaBlend = gui::alphaBlendEntry;
    realTransparentBlt = gui::transparentBltEntry;
    if (realAlphaBlend) gui::alphaBlendEntry = countedAlphaBlend;
    if (realTransparentBlt) gui::transparentBltEntry = countedTransparentBlt;
}

void unhookImagingEntries() {
    if (gui::alphaBlendEntry == countedAlphaBlend) gui::alphaBlendEntry = realAlphaBlend;
    if (gui::transparentBltEntry == countedTransparentBlt)
        gui::transparentBltEntry = realTransparentBlt;
}

}  // namespace panelbench
