#include "tools/shapes/ShapeTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

using shapes::kPixelCount;
using shapes::kRecordWords;
using shapes::kShapeCount;
using shapes::kSide;
using shapes::kUsedWords;

using Image = std::vector<std::uint8_t>;
using Record = std::vector<std::int32_t>;

int Px(int i, int j) {
    return i * kSide + j;
}

Record Pack(const Image& img) {
    Record record(kRecordWords, 0);
    shapes::PackShape(img, record.data());
    return record;
}

std::string Join(const std::vector<std::string>& problems) {
    std::string all;
    for (const auto& p : problems) {
        all += p + "\n";
    }
    return all;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& what) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(what) != std::string::npos; });
}

// A valid shape: a quarter disc of radius 150 on the inner corner, and strips 11 pixels wide
// along both inner edges from the middle to one pixel inside the border.
Image SyntheticShape() {
    Image img(kPixelCount, 0);
    for (int i = 0; i < kSide; ++i) {
        for (int j = 0; j < kSide; ++j) {
            const int di = 239 - i;
            const int dj = 239 - j;
            const bool disc = di * di + dj * dj <= 150 * 150;
            const bool column = i >= 229 && j >= 1;
            const bool row = j >= 229 && i >= 1;
            img[Px(i, j)] = (disc || column || row) ? 1 : 0;
        }
    }
    return img;
}

class StoredShapes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_loaded = shapes::LoadQuadrantShapes(s_records); }
    static inline std::int32_t s_records[kShapeCount][kRecordWords] = {};
    static inline bool s_loaded = false;
};

TEST_F(StoredShapes, ResourceLoads) {
    ASSERT_TRUE(s_loaded);
    for (int s = 0; s < kShapeCount; ++s) {
        EXPECT_GT(s_records[s][0], 0) << "shape " << s;
        for (int w = kUsedWords; w < kRecordWords; ++w) {
            ASSERT_EQ(s_records[s][w], 0) << "shape " << s << " word " << w;
        }
    }
}

TEST_F(StoredShapes, EveryShapeIsValid) {
    ASSERT_TRUE(s_loaded);
    for (int s = 0; s < kShapeCount; ++s) {
        const auto problems = shapes::ValidateShape(s_records[s]);
        EXPECT_TRUE(problems.empty()) << "shape " << s << ":\n" << Join(problems);
    }
}

TEST_F(StoredShapes, SetIsValid) {
    ASSERT_TRUE(s_loaded);
    const auto problems = shapes::ValidateShapeSet(s_records);
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST_F(StoredShapes, ShapesDifferAndEveryBlobCoversHalfToTwoThirds) {
    ASSERT_TRUE(s_loaded);
    std::set<std::vector<std::int32_t>> distinct;
    for (int s = 0; s < kShapeCount; ++s) {
        distinct.insert(std::vector<std::int32_t>(s_records[s], s_records[s] + kUsedWords));
        EXPECT_GE(s_records[s][0], 20000) << "shape " << s;
        EXPECT_LE(s_records[s][0], 44000) << "shape " << s;
    }
    EXPECT_EQ(distinct.size(), std::size_t(kShapeCount));
    int orders = 0;
    for (int a = 0; a < 7; ++a) {
        for (int b = 0; b < 7; ++b) {
            for (int c = 0; c < 7; ++c) {
                for (int d = 0; d < 7; ++d) {
                    if (a == b || a == c || a == d || b == c || b == d || c == d) {
                        continue;
                    }
                    const int area =
                        s_records[a][0] + s_records[b][0] + s_records[c][0] + s_records[d][0];
                    EXPECT_GE(area, 480 * 480 / 2);
                    EXPECT_LE(area, 480 * 480 * 2 / 3);
                    ++orders;
                }
            }
        }
    }
    EXPECT_EQ(orders, 840);
}

// Composes blobs by the game's placement rule: the quarters neither overlap nor
// leave a gap on the middle lines, and the blob has the sum of the four counts.
TEST_F(StoredShapes, ComposedBlobsAreSolidOnTheMiddleLines) {
    ASSERT_TRUE(s_loaded);
    const int picks[][4] = {{0, 1, 2, 3}, {1, 2, 3, 4}, {2, 3, 4, 5}, {3, 4, 5, 6},
                            {4, 5, 6, 0}, {5, 6, 0, 1}, {6, 0, 1, 2}};
    for (const auto& pick : picks) {
        std::vector<int> blob(480 * 480, 0);
        int expected = 0;
        for (int slot = 0; slot < 4; ++slot) {
            const Image q = shapes::UnpackShape(s_records[pick[slot]]);
            expected += s_records[pick[slot]][0];
            for (int i = 0; i < kSide; ++i) {
                for (int j = 0; j < kSide; ++j) {
                    if (!q[Px(i, j)]) {
                        continue;
                    }
                    const int x = (slot == 1 || slot == 2) ? 479 - i : i;
                    const int y = (slot == 2 || slot == 3) ? 479 - j : j;
                    ++blob[y * 480 + x];
                }
            }
        }
        int area = 0;
        for (int v : blob) {
            ASSERT_LE(v, 1);
            area += v;
        }
        EXPECT_EQ(area, expected);
        for (int t = 1; t <= 478; ++t) {
            EXPECT_EQ(blob[t * 480 + 239], 1) << "column 239, row " << t;
            EXPECT_EQ(blob[t * 480 + 240], 1) << "column 240, row " << t;
            EXPECT_EQ(blob[239 * 480 + t], 1) << "row 239, column " << t;
            EXPECT_EQ(blob[240 * 480 + t], 1) << "row 240, column " << t;
        }
        for (int t = 0; t < 480; ++t) {
            EXPECT_EQ(blob[t], 0);
            EXPECT_EQ(blob[479 * 480 + t], 0);
            EXPECT_EQ(blob[t * 480], 0);
            EXPECT_EQ(blob[t * 480 + 479], 0);
        }
    }
}

// ---- packing ----

TEST(QuadrantShapePacking, RoundTripsASyntheticImage) {
    Image img(kPixelCount, 0);
    std::uint32_t lcg = 12345;
    int set = 0;
    for (int k = 0; k < kPixelCount; ++k) {
        lcg = lcg * 1103515245u + 12345u;
        img[k] = (lcg >> 16) & 1;
        set += img[k];
    }
    Record record(kRecordWords, 0x5A5A5A5A);
    shapes::PackShape(img, record.data());
    EXPECT_EQ(record[0], set);
    for (int w = 0; w < kUsedWords; ++w) {
        EXPECT_GE(record[w], 0) << "word " << w;
    }
    EXPECT_EQ(record[1859] & ~3, 0);
    for (int w = kUsedWords; w < kRecordWords; ++w) {
        ASSERT_EQ(record[w], 0x5A5A5A5A) << "PackShape must leave word " << w << " alone";
    }
    EXPECT_EQ(shapes::UnpackShape(record.data()), img);
}

TEST(QuadrantShapePacking, PixelThirtyOneIsBitZeroOfWordTwo) {
    Image img(kPixelCount, 0);
    img[31] = 1;
    const Record record = Pack(img);
    EXPECT_EQ(record[0], 1);
    EXPECT_EQ(record[1], 0);
    EXPECT_EQ(record[2], 1);
    for (int w = 3; w < kUsedWords; ++w) {
        ASSERT_EQ(record[w], 0);
    }
}

TEST(QuadrantShapePacking, PixelThirtyIsBitThirtyOfWordOne) {
    Image img(kPixelCount, 0);
    img[30] = 1;
    EXPECT_EQ(Pack(img)[1], 1 << 30);
}

TEST(QuadrantShapePacking, LastWordCarriesTheLastTwoPixels) {
    Image img(kPixelCount, 0);
    img[57598] = 1;
    EXPECT_EQ(Pack(img)[1859], 1);
    img[57599] = 1;
    const Record record = Pack(img);
    EXPECT_EQ(record[1859], 3);
    EXPECT_EQ(record[1858], 0);
    EXPECT_EQ(record[0], 2);
}

TEST(QuadrantShapePacking, PixelIndexRunsDownAColumn) {
    // Pixel (i = 1, j = 0) is number 240: word 1 + 7, bit 240 mod 31 = 23.
    Image img(kPixelCount, 0);
    img[Px(1, 0)] = 1;
    const Record record = Pack(img);
    EXPECT_EQ(record[8], 1 << 23);
    const Image back = shapes::UnpackShape(record.data());
    EXPECT_EQ(back[240], 1);
    EXPECT_EQ(std::count(back.begin(), back.end(), 1), 1);
}

TEST(QuadrantShapePacking, AllOnesWordsAreOrdinaryData) {
    const Record record = Pack(Image(kPixelCount, 1));
    EXPECT_EQ(record[0], kPixelCount);
    for (int w = 1; w < 1859; ++w) {
        ASSERT_EQ(record[w], INT32_MAX) << "word " << w;
    }
    EXPECT_EQ(record[1859], 3);
    EXPECT_EQ(shapes::UnpackShape(record.data()), Image(kPixelCount, 1));
}

// ---- the validator ----

TEST(QuadrantShapeValidator, AcceptsTheSyntheticShape) {
    const auto problems = shapes::ValidateShape(Pack(SyntheticShape()).data());
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST(QuadrantShapeValidator, AcceptsAOnePixelHole) {
    Image img = SyntheticShape();
    img[Px(200, 200)] = 0;
    const auto problems = shapes::ValidateShape(Pack(img).data());
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST(QuadrantShapeValidator, AcceptsThreeRunsInAColumn) {
    Image img = SyntheticShape();
    for (int i = 100; i <= 239; ++i) {
        for (int j : {20, 21, 22, 23, 24, 25, 50, 51, 52, 53, 54, 55}) {
            img[Px(i, j)] = 1;
        }
    }
    const auto problems = shapes::ValidateShape(Pack(img).data());
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesACorruptedCount) {
    Record record = Pack(SyntheticShape());
    record[0] += 1;
    const auto problems = shapes::ValidateShape(record.data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "word 0 is")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesBitThirtyOne) {
    Record record = Pack(SyntheticShape());
    record[5] |= INT32_MIN;
    const auto problems = shapes::ValidateShape(record.data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "bit 31")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesHighBitsInTheLastWord) {
    Record record = Pack(SyntheticShape());
    record[1859] |= 1 << 2;
    const auto problems = shapes::ValidateShape(record.data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "word 1859")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesAPixelInColumnZero) {
    Image img = SyntheticShape();
    img[Px(0, 239)] = 1; // touches the inner row, so only the outer column is wrong
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "column 0 must be empty")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesAPixelInRowZero) {
    Image img = SyntheticShape();
    img[Px(239, 0)] = 1;
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "row 0 must be empty")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesAGapInTheInnerColumn) {
    Image img = SyntheticShape();
    img[Px(239, 10)] = 0;
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "column 239 must be set")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesAGapInTheInnerRow) {
    Image img = SyntheticShape();
    img[Px(1, 239)] = 0;
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "row 239 must be set")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesASecondRegion) {
    Image img = SyntheticShape();
    for (int i = 50; i < 53; ++i) {
        for (int j = 50; j < 53; ++j) {
            img[Px(i, j)] = 1;
        }
    }
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "2 4-connected regions")) << Join(problems);
}

TEST(QuadrantShapeValidator, DiagonalNeighboursAreNotConnected) {
    Image img = SyntheticShape();
    img[Px(50, 50)] = 1;
    img[Px(51, 51)] = 1;
    const auto problems = shapes::ValidateShape(Pack(img).data());
    EXPECT_TRUE(Mentions(problems, "3 4-connected regions")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesATwoPixelHole) {
    Image img = SyntheticShape();
    img[Px(200, 200)] = 0;
    img[Px(200, 201)] = 0;
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "hole")) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "largest 2 pixels")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesAColumnWithFourRuns) {
    Image img = SyntheticShape();
    // Three bars from the inner column toward the outer edge cross column 100 above the disc.
    for (int i = 100; i <= 239; ++i) {
        for (int j : {20, 21, 22, 23, 24, 25, 50, 51, 52, 53, 54, 55, 80, 81, 82, 83, 84, 85}) {
            img[Px(i, j)] = 1;
        }
    }
    const auto problems = shapes::ValidateShape(Pack(img).data());
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "more than three runs")) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "first: column 100")) << Join(problems);
}

TEST(QuadrantShapeValidator, CatchesAnEmptyShape) {
    const auto problems = shapes::ValidateShape(Pack(Image(kPixelCount, 0)).data());
    EXPECT_FALSE(problems.empty());
}

TEST(QuadrantShapeSetValidator, CatchesBlobsBelowOneHalf) {
    static std::int32_t records[kShapeCount][kRecordWords] = {};
    const Record small = Pack(SyntheticShape());
    for (auto& r : records) {
        std::copy(small.begin(), small.end(), r);
    }
    const auto problems = shapes::ValidateShapeSet(records);
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "one half")) << Join(problems);
}

TEST(QuadrantShapeSetValidator, CatchesBlobsAboveTwoThirds) {
    static std::int32_t records[kShapeCount][kRecordWords] = {};
    Image full(kPixelCount, 0);
    for (int i = 1; i < kSide; ++i) {
        for (int j = 1; j < kSide; ++j) {
            full[Px(i, j)] = 1;
        }
    }
    const Record big = Pack(full);
    for (auto& r : records) {
        std::copy(big.begin(), big.end(), r);
    }
    const auto problems = shapes::ValidateShapeSet(records);
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "two thirds")) << Join(problems);
}

TEST(QuadrantShapeSetValidator, NamesTheFaultyShape) {
    static std::int32_t records[kShapeCount][kRecordWords] = {};
    ASSERT_TRUE(shapes::LoadQuadrantShapes(records));
    records[3][0] += 1; // the count of shape 3 is now wrong; its area still fits the set
    const auto problems = shapes::ValidateShapeSet(records);
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_EQ(problems[0].rfind("shape 3: word 0 is", 0), 0u) << Join(problems);
}

} // namespace
