// Construction, loading, the bitmap-resource fallback, disposal and shared ownership.
#include "gui/draw/CDrawContext.h"
#include "gui/draw/PixelSurface.h"
#include "gui/platform/win32/Win32Handles.h"
#include "tests/gui/draw/BitmapTestSupport.h"

using namespace gui;

namespace {

class BitmapLifecycle : public bitmaptest::BitmapTest {};

TEST_F(BitmapLifecycle, ResourceConstructorDecodesPngWithPerPixelAlpha) {
    CBitmap bitmap(IDP_RGBA8);
    EXPECT_EQ(bitmap.getResourceId(), IDP_RGBA8);
    EXPECT_EQ(bitmap.getNbReference(), 1);
    EXPECT_TRUE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 2);
    EXPECT_EQ(bitmap.getHeight(), 2);
    EXPECT_FALSE(bitmap.getIgnoreAlpha());
    EXPECT_EQ(bitmap.getKeyColor(), kTransparentColor);
}

TEST_F(BitmapLifecycle, PlainBitmapResourceIsTheFallbackAndCarriesNoAlpha) {
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.loadFromResource(IDB_PLAIN));
    EXPECT_TRUE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 4);
    EXPECT_EQ(bitmap.getHeight(), 2);
    EXPECT_TRUE(bitmap.getIgnoreAlpha());
}

TEST_F(BitmapLifecycle, MissingResourceLeavesAnEmptyBitmap) {
    CBitmap bitmap(IDP_RGB8);
    EXPECT_FALSE(bitmap.loadFromResource(ID_MISSING));
    EXPECT_FALSE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 0);
    EXPECT_EQ(bitmap.getHeight(), 0);
    EXPECT_FALSE(bitmap.getIgnoreAlpha());
}

TEST_F(BitmapLifecycle, DamagedPngResourceStillCountsAsFound) {
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.loadFromResource(IDP_TRUNCATED));
    EXPECT_TRUE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 4);
    EXPECT_FALSE(bitmap.getIgnoreAlpha());
    EXPECT_TRUE(bitmap.loadFromResource(IDP_TOO_WIDE));
    EXPECT_FALSE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getWidth(), 0);
}

TEST_F(BitmapLifecycle, SizeConstructorMakesAScreenCompatibleBitmap) {
    CBitmap bitmap(nullptr, 30, 20);
    ASSERT_TRUE(bitmap.isLoaded());
    BITMAP info = {};
    ASSERT_EQ(GetObjectA(gdiObject(bitmap.getHandle()), sizeof(info), &info),
              static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmHeight, 20);
    EXPECT_EQ(bitmap.getWidth(), 30);
    EXPECT_TRUE(bitmap.getIgnoreAlpha());
    EXPECT_EQ(bitmap.getKeyColor(), kTransparentColor);
}

TEST_F(BitmapLifecycle, DefaultConstructorIsEmptyWithTheTransparentKey) {
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getResourceId(), 0);
    EXPECT_EQ(bitmap.getWidth(), 0);
    EXPECT_TRUE(bitmap.getIgnoreAlpha());
    EXPECT_EQ(bitmap.getKeyColor(), kTransparentColor);
    bitmap.setKeyColor(CColorValue{1, 2, 3, 4});
    EXPECT_EQ(bitmap.getKeyColor(), (CColorValue{1, 2, 3, 4}));
}

TEST_F(BitmapLifecycle, ReloadingDeletesThePreviousImage) {
    CBitmap bitmap(IDP_RGBA8);
    HBITMAP first = bitmap.getHandle();
    const std::int32_t alive = ownedBitmaps::alive();
    EXPECT_TRUE(bitmap.loadFromResource(IDP_GREY8));
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(bitmap.getWidth(), 4);
    EXPECT_EQ(ownedBitmaps::alive(), alive);
}

TEST_F(BitmapLifecycle, LoadFromPathDisposesTheImageAndTheMask) {
    PixelSurface surface(4, 2);
    CDrawContext context(nullptr, surface.device(), nullptr);
    CBitmap bitmap(IDB_PLAIN);
    bitmap.setKeyMask(&context, CPosition(0, 0));
    ASSERT_TRUE(bitmap.hasKeyMask());
    const std::int32_t alive = ownedBitmaps::alive();
    EXPECT_FALSE(bitmap.loadFromPath("artwork.png"));
    EXPECT_EQ(ownedBitmaps::alive(), alive - 2);
    EXPECT_FALSE(bitmap.isLoaded());
    EXPECT_FALSE(bitmap.hasKeyMask());
    EXPECT_EQ(bitmap.getWidth(), 0);
    EXPECT_EQ(bitmap.getHeight(), 0);
    EXPECT_FALSE(bitmap.getIgnoreAlpha());
}

TEST_F(BitmapLifecycle, LastReleaseDeletesTheBitmap) {
    const std::int32_t alive = ownedBitmaps::alive();
    auto* bitmap = new CBitmap(IDP_RGB8);
    HBITMAP handle = bitmap->getHandle();
    bitmap->retain();
    bitmap->release();
    EXPECT_NE(GetObjectType(handle), 0u);
    bitmap->release();
    EXPECT_EQ(GetObjectType(handle), 0u);
    EXPECT_EQ(ownedBitmaps::alive(), alive);
}

}  // namespace
