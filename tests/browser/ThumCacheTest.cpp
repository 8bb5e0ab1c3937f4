// The grid's picture cache as a model: a picture serves only the file version it was made of, the
// least recently used goes first when it is full, and a new box size lets every picture go.
#include "browser/ThumCache.h"

#include <gtest/gtest.h>

namespace {

CellPicture Picture(int32_t width) {
    CellPicture picture;
    picture.imageWidth = width;
    return picture;
}

} // namespace

TEST(ThumCache, APictureServesOnlyTheFileVersionItWasMadeOf) {
    const ThumFileStamp made{1000, 5000};
    const struct {
        const char* what;
        ThumFileStamp asked;
        bool found;
    } cases[] = {
        {"as made", made, true},
        {"one byte more", {1001, 5000}, false},
        {"one byte fewer", {999, 5000}, false},
        {"written a tick later", {1000, 5001}, false},
        {"a tick earlier", {1000, 4999}, false},
        {"both changed", {2000, 9000}, false},
    };
    for (const auto& c : cases) {
        ThumCache cache(4);
        cache.MatchBox(100, 100);
        (void)cache.Remember(L"C:\\f\\a.png", made, Picture(80));
        const CellPicture* found = cache.Find(L"C:\\f\\a.png", c.asked);
        EXPECT_EQ(found != nullptr, c.found) << c.what;
        EXPECT_EQ(cache.Kept(L"C:\\f\\a.png", c.asked) != nullptr, c.found) << c.what;
        EXPECT_EQ(found ? found->imageWidth : 80, 80) << c.what;
        // The picture of the new version takes the old one's place.
        (void)cache.Remember(L"C:\\f\\a.png", c.asked, Picture(50));
        EXPECT_EQ(cache.Count(), 1u) << c.what;
        ASSERT_NE(cache.Find(L"C:\\f\\a.png", c.asked), nullptr) << c.what;
        EXPECT_EQ(cache.Find(L"C:\\f\\a.png", c.asked)->imageWidth, 50) << c.what;
        EXPECT_EQ(cache.PicturesMade(), 2) << c.what;
    }
}

TEST(ThumCache, KeepsTheMostRecentlyUsedForOneBoxSize) {
    ThumCache cache(2);
    cache.MatchBox(100, 100);
    (void)cache.Remember(L"a", {1, 1}, Picture(1));
    (void)cache.Remember(L"b", {1, 1}, Picture(2));
    EXPECT_NE(cache.Find(L"a", {1, 1}), nullptr); // a used after b: b goes first
    (void)cache.Remember(L"c", {1, 1}, Picture(3));
    EXPECT_NE(cache.Kept(L"a", {1, 1}), nullptr);
    EXPECT_EQ(cache.Kept(L"b", {1, 1}), nullptr);
    EXPECT_NE(cache.Kept(L"c", {1, 1}), nullptr);
    cache.Forget(L"a");
    EXPECT_EQ(cache.Kept(L"a", {1, 1}), nullptr);
    cache.MatchBox(100, 100);
    EXPECT_NE(cache.Kept(L"c", {1, 1}), nullptr);
    cache.MatchBox(100, 140);
    EXPECT_EQ(cache.Count(), 0u);
}
