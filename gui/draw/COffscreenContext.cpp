#include "gui/draw/COffscreenContext.h"

#include <optional>

#include "gui/draw/CBitmap.h"
#include "gui/draw/FrameAccess.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui {

namespace {

// Buffer size until a bitmap tells the real one.
constexpr std::int32_t kUnknownSize = 20;

// A window's device, borrowed for as long as the buffer is being made. A null window gives the
// screen's device.
class BorrowedDevice {
  public:
    explicit BorrowedDevice(HWND window) : window(window), device(GetDC(window)) {}
    ~BorrowedDevice() {
        if (device) ReleaseDC(window, device);
    }
    BorrowedDevice(const BorrowedDevice&) = delete;
    BorrowedDevice& operator=(const BorrowedDevice&) = delete;

    HDC get() const { return device; }

  private:
    HWND window;
    HDC device;
};

// A non-positive size makes no bitmap at all, so the buffer is empty.
HBITMAP createBuffer(HDC reference, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    return CreateCompatibleBitmap(reference, width, height);
}

}  // namespace

COffscreenContext::COffscreenContext(CFrame* owner, std::int32_t bufferWidth,
                                     std::int32_t bufferHeight, const CColorValue& background)
    : CDrawContext(owner, nullptr, nullptr),
      height(bufferHeight),
      width(bufferWidth),
      ownsBitmap(true),
      backgroundColor(background) {
    clipRect = CRectangle(0, 0, width, height).normalize();
    {
        // A missing frame falls back to the screen rather than failing.
        const BorrowedDevice screen(owner ? frameWindowOf(owner) : nullptr);
        device = CreateCompatibleDC(screen.get());
        // The views draw in panel units; the pixels are the frame's.
        selectMemoryBitmap(
            createBuffer(screen.get(), toDevice(width, scale), toDevice(height, scale)));
    }
    adoptDevice();
    clearTo(backgroundColor);
}

COffscreenContext::COffscreenContext(CDrawContext* context, CBitmap* bitmap, bool drawInBitmap)
    : CDrawContext(context ? context->getFrame() : nullptr, nullptr, nullptr, 1.0),
      backgroundBitmap(bitmap),
      height(kUnknownSize),
      width(kUnknownSize) {
    if (bitmap) {
        height = bitmap->getHeight();
        width = bitmap->getWidth();
        clipRect = CRectangle(0, 0, width, height).normalize();
    }
    // Drawing into a bitmap needs one; without it the context draws into a buffer of its own.
    const bool intoBitmap = drawInBitmap && bitmap;
    HDC reference = context ? context->getDevice() : nullptr;
    std::optional<BorrowedDevice> screen;
    if (!reference) {
        // Without a device to match, the buffer matches the screen.
        screen.emplace(nullptr);
        reference = screen->get();
    }
    device = CreateCompatibleDC(reference);
    ownsBitmap = !intoBitmap;
    selectMemoryBitmap(intoBitmap ? bitmap->getHandle()
                                  : NativeBitmap(createBuffer(reference, width, height)));
    adoptDevice();
    if (!intoBitmap) paintInitialPicture();
}

COffscreenContext::~COffscreenContext() {
    if (device) DeleteDC(device);
    device = nullptr;
    if (ownsBitmap && memoryBitmap()) DeleteObject(gdiObject(memoryBitmap()));
    window = nullptr;
}

NativeBitmap COffscreenContext::memoryBitmap() const {
    return NativeBitmap::atAddress(window.address());
}

void COffscreenContext::selectMemoryBitmap(NativeBitmap bitmap) {
    window = NativeWindow::atAddress(bitmap.address());
    if (bitmap) previousBitmap = static_cast<HBITMAP>(SelectObject(device, gdiObject(bitmap)));
}

// The fill covers all but the left column and top row; the outline covers exactly those.
void COffscreenContext::clearTo(const CColorValue& color) {
    const CRectangle whole(0, 0, width, height);
    setFillColor(color);
    setLineColor(color);
    fillRectangle(whole);
    drawRectangle(whole, kFrameOnly);
}

void COffscreenContext::paintInitialPicture() {
    const CRectangle whole(0, 0, width, height);
    if (backgroundBitmap) {
        backgroundBitmap->draw(this, whole, CPosition(0, 0));
        return;
    }
    setFillColor(kBlackColor);
    fillRectangle(whole);
}

namespace {

// Pixels from one device to another; stretched only where the two sides' scales differ.
void transferPixels(HDC target, const CRectangle& to, HDC source, const CRectangle& from) {
    if (to.getWidth() == from.getWidth() && to.getHeight() == from.getHeight()) {
        BitBlt(target, to.left, to.top, to.getWidth(), to.getHeight(), source, from.left, from.top,
               SRCCOPY);
        return;
    }
    const int previousMode = SetStretchBltMode(target, HALFTONE);
    StretchBlt(target, to.left, to.top, to.getWidth(), to.getHeight(), source, from.left, from.top,
               from.getWidth(), from.getHeight(), SRCCOPY);
    SetStretchBltMode(target, previousMode);
}

CRectangle bufferArea(const CPosition& corner, const CRectangle& sized, double scale) {
    return toDevice(
        CRectangle(corner.h, corner.v, corner.h + sized.getWidth(), corner.v + sized.getHeight()),
        scale);
}

}  // namespace

void COffscreenContext::copyToContext(CDrawContext* other, const CRectangle& destRect,
                                      const CPosition& sourcePosition) const {
    if (!other) return;
    transferPixels(other->getDevice(), other->toDeviceRect(destRect), device,
                   bufferArea(sourcePosition, destRect, scale));
}

void COffscreenContext::copyFromContext(CDrawContext* other, const CRectangle& sourceRect,
                                        const CPosition& destPosition) {
    if (!other) return;
    transferPixels(device, bufferArea(destPosition, sourceRect, scale), other->getDevice(),
                   other->toDeviceRect(sourceRect));
}

}  // namespace gui
