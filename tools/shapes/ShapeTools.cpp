#include "tools/shapes/ShapeTools.h"

#include <algorithm>
#include <numeric>

namespace shapes {

namespace {

constexpr std::int32_t kLastWordMask = 0x3; // word 1859 carries pixels 57598 and 57599 only

int Index(int i, int j) {
    return i * kSide + j;
}

// Labels the 4-connected components of the pixels equal to `value`; returns the number of
// components and fills `label` (-1 for pixels of the other value) and `sizes`.
int LabelComponents(const std::vector<std::uint8_t>& img, std::uint8_t value,
                    std::vector<int>& label, std::vector<int>& sizes) {
    label.assign(kPixelCount, -1);
    sizes.clear();
    std::vector<int> stack;
    int count = 0;
    for (int start = 0; start < kPixelCount; ++start) {
        if (img[start] != value || label[start] >= 0) {
            continue;
        }
        int size = 0;
        label[start] = count;
        stack.push_back(start);
        while (!stack.empty()) {
            const int k = stack.back();
            stack.pop_back();
            ++size;
            const int i = k / kSide;
            const int j = k % kSide;
            const int next[4][2] = {{i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[0] >= kSide || n[1] < 0 || n[1] >= kSide) {
                    continue;
                }
                const int m = Index(n[0], n[1]);
                if (img[m] == value && label[m] < 0) {
                    label[m] = count;
                    stack.push_back(m);
                }
            }
        }
        sizes.push_back(size);
        ++count;
    }
    return count;
}

std::string Describe(const char* what, int bad, int firstBad, const char* unit) {
    return std::string(what) + ": " + std::to_string(bad) + " " + unit + (bad == 1 ? "" : "s") +
           " wrong (first: " + std::to_string(firstBad) + ")";
}

} // namespace

void PackShape(const std::vector<std::uint8_t>& pixels, std::int32_t* record) {
    std::fill(record, record + kUsedWords, 0);
    std::int32_t count = 0;
    const int n = std::min<int>(kPixelCount, static_cast<int>(pixels.size()));
    for (int k = 0; k < n; ++k) {
        if (pixels[k] != 0) {
            record[1 + k / kBitsPerWord] |= std::int32_t(1) << (k % kBitsPerWord);
            ++count;
        }
    }
    record[0] = count;
}

std::vector<std::uint8_t> UnpackShape(const std::int32_t* record) {
    std::vector<std::uint8_t> pixels(kPixelCount, 0);
    for (int k = 0; k < kPixelCount; ++k) {
        pixels[k] =
            static_cast<std::uint8_t>((record[1 + k / kBitsPerWord] >> (k % kBitsPerWord)) & 1);
    }
    return pixels;
}

std::vector<std::string> ValidateShape(const std::int32_t* record) {
    std::vector<std::string> problems;

    // The packing.
    int negative = 0;
    int firstNegative = -1;
    for (int w = 0; w < kUsedWords; ++w) {
        if (record[w] < 0) {
            if (negative++ == 0) {
                firstNegative = w;
            }
        }
    }
    if (negative > 0) {
        problems.push_back(Describe("bit 31 set", negative, firstNegative, "word"));
    }
    if ((record[kUsedWords - 1] & ~kLastWordMask & 0x7FFFFFFF) != 0) {
        problems.push_back("word 1859 has bits set above bit 1");
    }
    const std::vector<std::uint8_t> img = UnpackShape(record);
    const int count = static_cast<int>(std::count(img.begin(), img.end(), std::uint8_t(1)));
    if (record[0] != count) {
        problems.push_back("word 0 is " + std::to_string(record[0]) + " but " +
                           std::to_string(count) + " pixels are set");
    }
    if (count == 0) {
        problems.push_back("no pixel is set");
        return problems;
    }

    // The borders: outer column and row empty, inner column and row solid.
    const auto checkLine = [&](const char* what, bool column, int line, int from, int to,
                               std::uint8_t want) {
        int bad = 0;
        int firstBad = -1;
        for (int t = from; t <= to; ++t) {
            const int k = column ? Index(line, t) : Index(t, line);
            if (img[k] != want) {
                if (bad++ == 0) {
                    firstBad = t;
                }
            }
        }
        if (bad > 0) {
            problems.push_back(Describe(what, bad, firstBad, column ? "row" : "column"));
        }
    };
    checkLine("column 0 must be empty", true, 0, 0, kSide - 1, 0);
    checkLine("row 0 must be empty", false, 0, 0, kSide - 1, 0);
    checkLine("column 239 must be set in rows 1..239", true, kSide - 1, 1, kSide - 1, 1);
    checkLine("row 239 must be set in columns 1..239", false, kSide - 1, 1, kSide - 1, 1);

    // One region of set pixels.
    std::vector<int> label;
    std::vector<int> sizes;
    const int regions = LabelComponents(img, 1, label, sizes);
    if (regions != 1) {
        problems.push_back("set pixels form " + std::to_string(regions) +
                           " 4-connected regions, not one");
    }

    // No hole of more than one pixel: an empty region that does not reach column 0 or row 0.
    const int empties = LabelComponents(img, 0, label, sizes);
    std::vector<bool> open(empties, false);
    for (int t = 0; t < kSide; ++t) {
        if (label[Index(0, t)] >= 0) {
            open[label[Index(0, t)]] = true;
        }
        if (label[Index(t, 0)] >= 0) {
            open[label[Index(t, 0)]] = true;
        }
    }
    int bigHoles = 0;
    int biggest = 0;
    for (int c = 0; c < empties; ++c) {
        if (!open[c] && sizes[c] > 1) {
            ++bigHoles;
            biggest = std::max(biggest, sizes[c]);
        }
    }
    if (bigHoles > 0) {
        problems.push_back(std::to_string(bigHoles) + " hole(s) larger than one pixel (largest " +
                           std::to_string(biggest) + " pixels)");
    }

    // At most three runs of set pixels in any column.
    int badColumns = 0;
    int firstBadColumn = -1;
    int mostRuns = 0;
    for (int i = 0; i < kSide; ++i) {
        int runs = 0;
        for (int j = 0; j < kSide; ++j) {
            if (img[Index(i, j)] != 0 && (j == 0 || img[Index(i, j - 1)] == 0)) {
                ++runs;
            }
        }
        if (runs > 3) {
            if (badColumns++ == 0) {
                firstBadColumn = i;
            }
            mostRuns = std::max(mostRuns, runs);
        }
    }
    if (badColumns > 0) {
        problems.push_back(std::to_string(badColumns) + " column(s) with more than three runs " +
                           "(first: column " + std::to_string(firstBadColumn) +
                           ", most: " + std::to_string(mostRuns) + " runs)");
    }
    return problems;
}

std::vector<std::string>
ValidateShapeSet(const std::int32_t (&records)[kShapeCount][kRecordWords]) {
    std::vector<std::string> problems;
    std::vector<std::int64_t> counts;
    for (int s = 0; s < kShapeCount; ++s) {
        for (const std::string& p : ValidateShape(records[s])) {
            problems.push_back("shape " + std::to_string(s) + ": " + p);
        }
        counts.push_back(records[s][0]);
    }
    std::sort(counts.begin(), counts.end());
    const std::int64_t smallest =
        std::accumulate(counts.begin(), counts.begin() + 4, std::int64_t(0));
    const std::int64_t largest = std::accumulate(counts.end() - 4, counts.end(), std::int64_t(0));
    if (smallest < kBlobAreaMin) {
        problems.push_back("the four smallest shapes cover " + std::to_string(smallest) +
                           " pixels, less than one half of 480x480 (" +
                           std::to_string(kBlobAreaMin) + ")");
    }
    if (largest > kBlobAreaMax) {
        problems.push_back("the four largest shapes cover " + std::to_string(largest) +
                           " pixels, more than two thirds of 480x480 (" +
                           std::to_string(kBlobAreaMax) + ")");
    }
    return problems;
}

} // namespace shapes
