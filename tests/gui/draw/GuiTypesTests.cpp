#include <gtest/gtest.h>

#include "gui/draw/CReferenceCounter.h"
#include "gui/draw/GuiTypes.h"

using namespace gui;

TEST(CRectangle, CoversLeftAndTopButNotRightAndBottom) {
    const CRectangle rect(10, 20, 30, 40);
    EXPECT_TRUE(rect.pointInside(CPosition(10, 20)));
    EXPECT_TRUE(rect.pointInside(CPosition(29, 39)));
    EXPECT_FALSE(rect.pointInside(CPosition(30, 25)));
    EXPECT_FALSE(rect.pointInside(CPosition(15, 40)));
    EXPECT_FALSE(rect.pointInside(CPosition(9, 25)));
    EXPECT_EQ(rect.getWidth(), 20);
    EXPECT_EQ(rect.getHeight(), 20);
}

TEST(CRectangle, ZeroOrInvertedExtentIsEmpty) {
    EXPECT_TRUE(CRectangle(5, 0, 5, 10).isEmpty());
    EXPECT_TRUE(CRectangle(6, 0, 5, 10).isEmpty());
    EXPECT_TRUE(CRectangle(0, 3, 10, 3).isEmpty());
    EXPECT_FALSE(CRectangle(0, 0, 1, 1).isEmpty());
    EXPECT_FALSE(CRectangle(-4, -4, -3, -3).isEmpty());
}

TEST(CRectangle, BoundOfDisjointRectanglesIsEmptyNotInverted) {
    CRectangle rect(0, 0, 10, 10);
    rect.bound(CRectangle(20, 20, 30, 30));
    EXPECT_EQ(rect, CRectangle(20, 20, 20, 20));
    EXPECT_TRUE(rect.isEmpty());
}

TEST(CRectangle, BoundClipsToTheOverlap) {
    CRectangle rect(0, 5, 50, 60);
    EXPECT_EQ(rect.bound(CRectangle(-10, 10, 40, 100)), CRectangle(0, 10, 40, 60));
}

TEST(CRectangle, NormalizeSwapsInvertedEdges) {
    CRectangle rect(0, 0, -5, 8);
    EXPECT_EQ(rect.normalize(), CRectangle(-5, 0, 0, 8));
    CRectangle upsideDown(1, 9, 4, 2);
    EXPECT_EQ(upsideDown.normalize(), CRectangle(1, 2, 4, 9));
}

TEST(CRectangle, OffsetMovesAllFourEdges) {
    CRectangle rect(1, 2, 3, 4);
    EXPECT_EQ(rect.offset(10, -20), CRectangle(11, -18, 13, -16));
}

TEST(CColorValue, EqualityIncludesAlpha) {
    EXPECT_NE(kWhiteColor, kTransparentColor);
    EXPECT_EQ(kWhiteColor.toPlatformColor(), 0x00FFFFFFu);
    EXPECT_EQ(kTransparentColor.toPlatformColor(), 0x00FFFFFFu);
    const CColorValue colour{0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(colour.toPlatformColor(), 0x00563412u);
    EXPECT_EQ(CColorValue::fromPlatformColor(0xAA563412u, 255),
              (CColorValue{0x12, 0x34, 0x56, 255}));
}

TEST(CColorValue, StandardColours) {
    EXPECT_EQ(kBlackColor, (CColorValue{0, 0, 0, 255}));
    EXPECT_EQ(kGreyColor, (CColorValue{127, 127, 127, 255}));
    EXPECT_EQ(kRedColor.toPlatformColor(), 0x000000FFu);
    EXPECT_EQ(kGreenColor.toPlatformColor(), 0x0000FF00u);
    EXPECT_EQ(kBlueColor.toPlatformColor(), 0x00FF0000u);
    EXPECT_EQ(kYellowColor.toPlatformColor(), 0x0000FFFFu);
    EXPECT_EQ(kMagentaColor.toPlatformColor(), 0x00FF00FFu);
    EXPECT_EQ(kCyanColor.toPlatformColor(), 0x00FFFF00u);
}

namespace {
class Counted : public CReferenceCounter {
  public:
    explicit Counted(int& destroyed) : destroyed(destroyed) {}
    ~Counted() override { ++destroyed; }

  private:
    int& destroyed;
};
}  // namespace

TEST(CReferenceCounter, LastReleaseDestroys) {
    int destroyed = 0;
    auto* object = new Counted(destroyed);
    EXPECT_EQ(object->getNbReference(), 1);
    object->retain();
    object->release();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(object->getNbReference(), 1);
    object->release();
    EXPECT_EQ(destroyed, 1);
}
