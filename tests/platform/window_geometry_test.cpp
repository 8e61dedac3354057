#include "platform/window_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrin {
namespace {

TEST(WindowGeometryTest, PlaceTextReadsBackAndRefusesDamage) {
    for (const WindowPlace& place :
         {WindowPlace{{120, 80, 900, 640}, false}, WindowPlace{{-1800, -20, 1, 1}, true}})
        EXPECT_EQ(WindowPlaceFromText(WindowPlaceText(place)), place) << WindowPlaceText(place);
    EXPECT_EQ(WindowPlaceText({{120, 80, 900, 640}, true}), "120,80,900,640,max");
    for (const char* damaged : {"", "1,2,3", "1,2,3,4,5", "1,2,3,4,max,max", "1,2,0,4", "1,2,3,-4", "a,2,3,4",
                                "1,2,3,4 ", "1,,3,4", "1,2,3,4,min", "99999999999,2,3,4"})
        EXPECT_EQ(WindowPlaceFromText(damaged), std::nullopt) << damaged;
    EXPECT_EQ(PixelsFromText("330"), 330);
    for (const char* damaged : {"", "0", "-5", "33px", "3.5"})
        EXPECT_EQ(PixelsFromText(damaged), std::nullopt) << damaged;
}

TEST(WindowGeometryTest, AFrameComesBackWithinTheScreenItLandsOn) {
    // A screen of 1280 x 770 free, and a second one to its right, 1920 x 1040 from y 0.
    const std::vector<ScreenRect> screens{{0, 30, 1280, 770}, {1280, 0, 1920, 1040}};
    const struct {
        ScreenRect frame, placed;
    } cases[] = {
        {{100, 100, 800, 600}, {100, 100, 800, 600}},     // fits: unchanged
        {{1400, 200, 1200, 900}, {1400, 140, 1200, 900}}, // on the second screen, pulled up
        {{1000, 100, 800, 400}, {1280, 100, 800, 400}},   // centre on the second screen
        {{-500, -300, 800, 600}, {0, 30, 800, 600}},      // half off the first: moved onto it
        {{5000, 5000, 800, 600}, {240, 115, 800, 600}},   // on no screen: the first one's middle
        {{10, 40, 2000, 1200}, {0, 30, 1280, 770}},       // larger than its screen: shrunk
        {{3000, 900, 400, 300}, {2800, 740, 400, 300}},   // past the second's corner
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WindowPlaceText({c.frame, false}));
        EXPECT_EQ(PlaceOnScreens(c.frame, screens), c.placed);
    }
    EXPECT_EQ(PlaceOnScreens({5, 6, 7, 8}, {}), (ScreenRect{5, 6, 7, 8}));
}

} // namespace
} // namespace tavrin
