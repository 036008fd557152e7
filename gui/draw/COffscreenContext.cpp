#include "gui/draw/COffscreenContext.h"

#include <optional>

#include "gui/draw/CBitmap.h"
#include "gui/draw/FrameAccess.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/BitmapPixels.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/OffscreenSurface.h"

namespace gui {

namespace {

// Buffer size until a bitmap tells the real one.
constexpr std::int32_t kUnknownSize = 20;

// A window's device, borrowed for as long as the buffer is being made. A null window gives the
// screen's device.
class BorrowedDevice {
  public:
    explicit BorrowedDevice(NativeWindow window)
        : window(window), device(platform::windowDevice(window)) {}
    ~BorrowedDevice() {
        if (device) platform::releaseWindowDevice(window, device);
    }
    BorrowedDevice(const BorrowedDevice&) = delete;
    BorrowedDevice& operator=(const BorrowedDevice&) = delete;

    NativeDevice get() const { return device; }

  private:
    NativeWindow window;
    NativeDevice device;
};

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
        device = platform::createMemoryDevice(screen.get());
        // The views draw in panel units; the pixels are the frame's. A non-positive size makes
        // no bitmap at all, so the buffer is empty.
        selectMemoryBitmap(platform::createSurfaceBitmap(screen.get(), toDevice(width, scale),
                                                         toDevice(height, scale)));
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
    NativeDevice reference = context ? context->getDevice() : nullptr;
    std::optional<BorrowedDevice> screen;
    if (!reference) {
        // Without a device to match, the buffer matches the screen.
        screen.emplace(nullptr);
        reference = screen->get();
    }
    device = platform::createMemoryDevice(reference);
    ownsBitmap = !intoBitmap;
    selectMemoryBitmap(intoBitmap ? bitmap->getHandle()
                                  : platform::createSurfaceBitmap(reference, width, height));
    adoptDevice();
    if (!intoBitmap) paintInitialPicture();
}

COffscreenContext::~COffscreenContext() {
    platform::deleteMemoryDevice(device);
    device = nullptr;
    if (ownsBitmap) platform::deleteBitmap(memoryBitmap());
    window = nullptr;
}

NativeBitmap COffscreenContext::memoryBitmap() const {
    return NativeBitmap::atAddress(window.address());
}

void COffscreenContext::selectMemoryBitmap(NativeBitmap bitmap) {
    window = NativeWindow::atAddress(bitmap.address());
    if (bitmap) previousBitmap = platform::selectBitmap(device, bitmap);
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

CRectangle bufferArea(const CPosition& corner, const CRectangle& sized, double scale) {
    return toDevice(
        CRectangle(corner.h, corner.v, corner.h + sized.getWidth(), corner.v + sized.getHeight()),
        scale);
}

}  // namespace

void COffscreenContext::copyToContext(CDrawContext* other, const CRectangle& destRect,
                                      const CPosition& sourcePosition) const {
    if (!other) return;
    platform::transferPixels(other->getDevice(), other->toDeviceRect(destRect), device,
                             bufferArea(sourcePosition, destRect, scale));
}

void COffscreenContext::copyFromContext(CDrawContext* other, const CRectangle& sourceRect,
                                        const CPosition& destPosition) {
    if (!other) return;
    platform::transferPixels(device, bufferArea(destPosition, sourceRect, scale),
                             other->getDevice(), other->toDeviceRect(sourceRect));
}

}  // namespace gui
