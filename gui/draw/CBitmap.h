// One piece of artwork as a platform bitmap, drawn whole or in part opaque, colour-keyed or
// alpha-blended. Shared by reference counting between the editor and the views that draw it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/draw/CReferenceCounter.h"
#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

namespace gui {

class CDrawContext;
class CFrame;

class CBitmap : public CReferenceCounter {
  public:
    // Loads the "PNG" resource of that id from the module's resources, else a bitmap resource.
    explicit CBitmap(std::int32_t resourceId);
    // An uninitialised bitmap compatible with the screen; the frame is not used.
    CBitmap(CFrame* frame, std::int32_t width, std::int32_t height);
    CBitmap();
    ~CBitmap() override;

    // In every drawing operation rect is the destination in the context's coordinates (its
    // offset is added) and its size the size of the copied area; source is the top-left pixel
    // of that area inside the bitmap.
    virtual void draw(CDrawContext* context, const CRectangle& rect,
                      const CPosition& source = CPosition(0, 0));
    // Leaves out the pixels of the key colour (or those the key mask marks); a bitmap with
    // per-pixel alpha blends instead.
    virtual void drawKeyed(CDrawContext* context, const CRectangle& rect,
                           const CPosition& source = CPosition(0, 0));
    // Blends with a constant alpha and, unless the pixels carry none, the per-pixel alpha.
    virtual void drawBlended(CDrawContext* context, const CRectangle& rect, const CPosition& source,
                             unsigned char alpha);
    virtual void dispose();
    // True when a "PNG" resource of that id was found (even if it failed to decode) or a bitmap
    // resource was loaded instead.
    virtual bool loadFromResource(std::int32_t resourceId);
    // Files are not supported: empties the bitmap and returns false.
    virtual bool loadFromPath(const void* path);

    // Decodes PNG bytes the way loadFromResource decodes a "PNG" resource. True only when the
    // whole image decoded; after an error the bitmap keeps what was decoded so far.
    bool loadFromMemory(const unsigned char* data, std::uint32_t size);

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    NativeBitmap getHandle() const { return handle; }
    bool isLoaded() const { return handle != nullptr; }
    // True when the pixels carry no alpha to blend with (plain bitmap resources).
    bool getIgnoreAlpha() const { return ignoreAlpha; }
    std::int32_t getResourceId() const { return resourceId; }
    CColorValue getKeyColor() const { return keyColor; }
    void setKeyColor(const CColorValue& color) { keyColor = color; }
    bool hasKeyMask() const { return mask != nullptr; }
    // Artwork drawn at an integer factor of this bitmap's size, as a "PNG" resource. Drawn at a
    // scale, the bitmap takes the smallest drawing at or above it, reduced by area averaging to
    // the exact size when the factors differ; without one it enlarges its own pixels.
    void addScaledResource(std::int32_t factor, std::int32_t resourceId);
    // Artwork from resources, once prepared for a scale, is shared by every bitmap of the same
    // resource in the process and kept for later ones until this is called: an editor that
    // opens again, or another instance's, finds it ready. Bitmaps still drawing keep theirs.
    static void releaseSharedScaledPixels();
    // Starts preparing the artwork for a scale in the background, so that the first drawing at
    // it finds it ready or waits only for the rest. Only for artwork from resources with a
    // larger drawing at or above the scale; otherwise the first drawing prepares it.
    void prepareAhead(double scale);

    // Builds the mask for drawKeyed from what the context shows at position (device
    // coordinates, its offset not added): pixels of the key colour are left out.
    void setKeyMask(CDrawContext* context, const CPosition& position);

  private:
    // The pixels a drawing operation copies from: the bitmap's own, or those prepared for a scale.
    struct Pixels {
        NativeBitmap handle = nullptr;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    struct ScaledResource {
        std::int32_t factor;
        std::int32_t resourceId;
    };
    struct Prepared {
        double scale;
        std::shared_ptr<const Pixels> pixels;
    };
    // Prepared once for each scale the bitmap is drawn at, and kept until the bitmap goes.
    Pixels pixelsAt(double scale);
    // What preparing needs, copied, so that it can run away from the bitmap.
    struct ScaleJob;
    ScaleJob jobFor(double scale) const;
    static Pixels prepare(const ScaleJob& job);
    static std::shared_ptr<const Pixels> prepareShared(const ScaleJob& job);
    std::shared_ptr<const Pixels> sharedPixelsAt(double scale);
    void disposePrepared();

    bool loadBitmapResource(std::int32_t id);
    void adoptDecoded(NativeBitmap section, std::int32_t decodedWidth, std::int32_t decodedHeight);

    std::int32_t resourceId = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    CColorValue keyColor = kTransparentColor;
    bool ignoreAlpha = true;
    NativeBitmap handle = nullptr;
    NativeBitmap mask = nullptr;
    std::vector<ScaledResource> scaledResources;
    // The "PNG" resource the pixels were decoded from; 0 for any other source.
    std::int32_t loadedResource = 0;
    std::vector<Prepared> prepared;
};

}  // namespace gui
