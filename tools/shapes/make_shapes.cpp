// make_shapes: designs the seven 240x240 quarter shapes of the blob and
// writes them, packed, to resources/shapes/quadrants.bin; optionally draws the contact
// sheets docs/shapes.png and docs/blobs.png. See README.md beside this file.
//
// Every shape is drawn as with a broad round brush: a union of discs swept along smooth
// curves (brush strokes) that grow from the inner corner and along the two inner edges,
// thickened or thinned uniformly to a target area, then opened and closed with a round
// element, so that small corners are rounded and strokes meet in round fillets. Last come
// the rules of the format: the solid inner column and row, the empty outer column and row,
// one region, no holes. Everything is driven by a fixed seed per shape through a small
// generator of our own, so the output is the same on every machine and every run.

#include "tools/shapes/ShapeTools.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#ifndef GLOBULE_SOURCE_DIR
#define GLOBULE_SOURCE_DIR "."
#endif

namespace {

constexpr int N = shapes::kSide;
constexpr double kPi = 3.14159265358979323846;
constexpr double kSeam = N - 0.5;    // the middle lines lie half a pixel beyond column/row 239
constexpr int kOpenRadius = 4;       // round element of the opening (rounds off small corners)
constexpr int kCloseRadius = 8;      // round element of the closing (the fillets between strokes)
constexpr double kSmoothSigma = 4.5; // Gaussian smoothing of the outline after the morphology
constexpr double kFinalSigma = 3.0;  // the last, lighter smoothing
constexpr int kGapRadius = 4;        // empty passages too narrow for this disc are filled
constexpr double kMargin = 6.0;      // lobes keep this far from the outer column and row

using Image = std::vector<std::uint8_t>; // N*N bytes, index i*N+j (column i, row j)

int Idx(int i, int j) {
    return i * N + j;
}

// splitmix64, with our own mapping to doubles: the same numbers on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double Uniform(double lo, double hi) {
        return lo + (hi - lo) * double(Next() >> 11) * (1.0 / 9007199254740992.0);
    }
    int Int(int lo, int hi) { return lo + int(Next() % std::uint64_t(hi - lo + 1)); }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }

private:
    std::uint64_t m_state;
};

// A radius along a stroke: control points (t, r), t rising from 0 to 1, joined by cosine
// easing, which keeps the profile smooth and puts no overshoot between the points.
struct Profile {
    std::vector<std::pair<double, double>> points;
    double At(double t) const {
        if (t <= points.front().first) {
            return points.front().second;
        }
        for (std::size_t k = 1; k < points.size(); ++k) {
            if (t <= points[k].first) {
                const auto [t0, r0] = points[k - 1];
                const auto [t1, r1] = points[k];
                const double u = (t - t0) / std::max(1e-9, t1 - t0);
                const double e = 0.5 - 0.5 * std::cos(kPi * u);
                return r0 + (r1 - r0) * e;
            }
        }
        return points.back().second;
    }
};

struct Disc {
    double x, y, r;
};

// A brush stroke: discs close enough together that their union is a smooth sweep. Fixed
// strokes keep their radius when the shape is thickened or thinned to its target area.
struct Stroke {
    std::vector<Disc> discs;
    bool fixed = false;
};

// Sweeps a disc along a curve that starts at (x, y) with heading `angle` and turns by
// `turn` radians over its length, the turn concentrated toward the end when `curlPower` > 1.
// Heading 0 points toward the outer vertical edge (-x), pi/2 toward the outer horizontal
// edge (-y).
Stroke Sweep(double x, double y, double angle, double length, double turn, double curlPower,
             const Profile& profile) {
    Stroke stroke;
    const double step = 0.4;
    const int steps = std::max(1, int(std::ceil(length / step)));
    for (int n = 0; n <= steps; ++n) {
        const double t = double(n) / steps;
        stroke.discs.push_back({x, y, profile.At(t)});
        const double tm = (n + 0.5) / steps;
        const double heading = angle + turn * std::pow(tm, curlPower);
        x -= std::cos(heading) * length / steps;
        y -= std::sin(heading) * length / steps;
    }
    return stroke;
}

bool KeepsClear(const Stroke& stroke, double margin) {
    for (const Disc& d : stroke.discs) {
        if (d.x - d.r < margin || d.y - d.r < margin) {
            return false;
        }
    }
    return true;
}

Stroke Transposed(Stroke stroke) {
    for (Disc& d : stroke.discs) {
        std::swap(d.x, d.y);
    }
    return stroke;
}

// The brush strokes of one shape, all drawn from its seed.
std::vector<Stroke> DesignStrokes(std::uint64_t seed) {
    Rng rng(seed);
    std::vector<Stroke> strokes;

    // The body at the inner corner: a disc swept from the corner along the diagonal.
    const double coreR = rng.Uniform(38, 80);
    const double coreA = rng.Uniform(0, 0.45) * coreR;
    strokes.push_back(Sweep(kSeam, kSeam, kPi / 4, coreA * std::sqrt(2.0), 0, 1,
                            Profile{{{0, coreR}, {1, coreR}}}));

    // The two inner edges: a stroke along each middle line whose width swells and narrows,
    // ending in a neck and a round cap whose top lies on row 1 (column 1), half a disc on
    // each side of the middle line once mirrored.
    for (int edge = 0; edge < 2; ++edge) {
        const double capR = rng.Uniform(13, 28);
        const double capC = capR + 0.6;
        const double neck = rng.Uniform(9, std::min(17.0, capR - 1));
        const double end = capC + rng.Uniform(0.3, 0.8) * capR;
        // Widths alternate between swells and waists, so the outline along the middle
        // line undulates instead of running straight.
        Profile widths{{{0.0, rng.Uniform(22, 46)}}};
        bool swell = rng.Chance(0.5);
        for (double t = 0.2; t < 0.9; t += 0.2) {
            widths.points.push_back(
                {t + rng.Uniform(-0.05, 0.05), swell ? rng.Uniform(24, 42) : rng.Uniform(11, 22)});
            swell = !swell;
        }
        widths.points.push_back({1.0, neck});
        Stroke along = Sweep(kSeam, kSeam, kPi / 2, kSeam - end, 0, 1, widths);
        Stroke cap;
        cap.discs.push_back({kSeam, capC, capR});
        cap.fixed = true;
        if (edge == 1) {
            along = Transposed(std::move(along));
            cap = Transposed(std::move(cap));
        }
        strokes.push_back(std::move(along));
        strokes.push_back(std::move(cap));
    }

    // The lobes, fanned out over the outward directions, each from the edge stroke or the
    // body nearest its direction.
    const int lobes = rng.Int(2, 5);
    const double lo = -20 * kPi / 180;
    const double hi = 110 * kPi / 180;
    for (int k = 0; k < lobes; ++k) {
        const double angle = lo + (k + rng.Uniform(0.15, 0.85)) * (hi - lo) / lobes;
        double x;
        double y;
        if (angle < 28 * kPi / 180) { // from the vertical inner edge, pointing left
            x = kSeam - rng.Uniform(0, 10);
            y = rng.Uniform(35, 205);
        } else if (angle > 62 * kPi / 180) { // from the horizontal inner edge, pointing up
            x = rng.Uniform(35, 205);
            y = kSeam - rng.Uniform(0, 10);
        } else { // from the body, pointing outward on the diagonal
            x = kSeam - coreA - rng.Uniform(0, 0.5) * coreR;
            y = kSeam - coreA - rng.Uniform(0, 0.5) * coreR;
        }
        double length = rng.Uniform(70, 210);
        const double turn = (rng.Chance(0.5) ? 1 : -1) * rng.Uniform(0.3, 1.4);
        const double curl = rng.Chance(0.5) ? 1.0 : 2.5;
        const double base = rng.Uniform(16, 32);
        const bool necked = rng.Chance(0.6);
        const double neckAt = rng.Uniform(0.35, 0.65);
        const double neck = necked ? rng.Uniform(8, 13) : rng.Uniform(13, 24);
        const double bulb = std::max(neck + 5, rng.Uniform(14, 30));
        const Profile profile{{{0, base}, {neckAt, neck}, {0.86, bulb}, {1.0, 0.8 * bulb}}};
        Stroke lobe = Sweep(x, y, angle, length, turn, curl, profile);
        int tries = 0;
        while (!KeepsClear(lobe, kMargin) && tries < 30) {
            length *= 0.93;
            lobe = Sweep(x, y, angle, length, turn, curl, profile);
            ++tries;
        }
        if (KeepsClear(lobe, kMargin) && length > 25) {
            strokes.push_back(std::move(lobe));
        }
    }
    return strokes;
}

// Signed distance of every pixel centre to the sweep of one stroke (far pixels get a large
// value; only pixels near the stroke's bounding box are computed).
std::vector<double> StrokeDistance(const Stroke& stroke) {
    constexpr double kFar = 1e6;
    std::vector<double> dist(N * N, kFar);
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Disc& d : stroke.discs) {
        x0 = std::min(x0, d.x - d.r);
        y0 = std::min(y0, d.y - d.r);
        x1 = std::max(x1, d.x + d.r);
        y1 = std::max(y1, d.y + d.r);
    }
    const double pad = 24;
    const int i0 = std::max(0, int(std::floor(x0 - pad)));
    const int i1 = std::min(N - 1, int(std::ceil(x1 + pad)));
    const int j0 = std::max(0, int(std::floor(y0 - pad)));
    const int j1 = std::min(N - 1, int(std::ceil(y1 + pad)));
    for (int i = i0; i <= i1; ++i) {
        for (int j = j0; j <= j1; ++j) {
            double best = kFar;
            for (const Disc& d : stroke.discs) {
                const double dx = i - d.x;
                const double dy = j - d.y;
                best = std::min(best, std::sqrt(dx * dx + dy * dy) - d.r);
            }
            dist[Idx(i, j)] = best;
        }
    }
    return dist;
}

// The brush field of a design: pixels with a value <= 0 are inside. `grown` holds the
// strokes that thicken with the offset, `fixed` the caps that do not.
struct Field {
    std::vector<double> grown;
    std::vector<double> fixed;
};

Field BuildField(const std::vector<Stroke>& strokes) {
    Field field{std::vector<double>(N * N, 1e6), std::vector<double>(N * N, 1e6)};
    for (const Stroke& s : strokes) {
        const std::vector<double> d = StrokeDistance(s);
        std::vector<double>& into = s.fixed ? field.fixed : field.grown;
        for (int k = 0; k < N * N; ++k) {
            into[k] = std::min(into[k], d[k]);
        }
    }
    return field;
}

Image Threshold(const Field& field, double offset) {
    Image img(N * N, 0);
    for (int k = 0; k < N * N; ++k) {
        img[k] = std::min(field.grown[k] - offset, field.fixed[k]) <= 0 ? 1 : 0;
    }
    return img;
}

// Morphology with a round element. The image is extended past its inner column and row by
// reflection (the blob continues across the middle lines) and past its outer column and row
// by empty pixels.
constexpr int kPad = 16;
constexpr int kW = N + 2 * kPad;

std::vector<std::uint8_t> Extend(const Image& img) {
    std::vector<std::uint8_t> c(kW * kW, 0);
    for (int x = 0; x < kW; ++x) {
        for (int y = 0; y < kW; ++y) {
            int i = x - kPad;
            int j = y - kPad;
            if (i < 0 || j < 0) {
                continue;
            }
            if (i >= N) {
                i = 2 * N - 1 - i;
            }
            if (j >= N) {
                j = 2 * N - 1 - j;
            }
            c[x * kW + y] = img[Idx(i, j)];
        }
    }
    return c;
}

Image Crop(const std::vector<std::uint8_t>& c) {
    Image img(N * N, 0);
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j < N; ++j) {
            img[Idx(i, j)] = c[(i + kPad) * kW + (j + kPad)];
        }
    }
    return img;
}

std::vector<std::pair<int, int>> DiscOffsets(int r) {
    std::vector<std::pair<int, int>> offsets;
    for (int dx = -r; dx <= r; ++dx) {
        for (int dy = -r; dy <= r; ++dy) {
            if (dx * dx + dy * dy <= r * r + r) {
                offsets.emplace_back(dx, dy);
            }
        }
    }
    return offsets;
}

std::vector<std::uint8_t> Dilate(const std::vector<std::uint8_t>& c, int r) {
    const auto offsets = DiscOffsets(r);
    std::vector<std::uint8_t> out(c.size(), 0);
    for (int x = 0; x < kW; ++x) {
        for (int y = 0; y < kW; ++y) {
            if (!c[x * kW + y]) {
                continue;
            }
            for (const auto& [dx, dy] : offsets) {
                const int u = x + dx;
                const int v = y + dy;
                if (u >= 0 && u < kW && v >= 0 && v < kW) {
                    out[u * kW + v] = 1;
                }
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> Erode(const std::vector<std::uint8_t>& c, int r) {
    const auto offsets = DiscOffsets(r);
    std::vector<std::uint8_t> out(c.size(), 0);
    for (int x = 0; x < kW; ++x) {
        for (int y = 0; y < kW; ++y) {
            if (!c[x * kW + y]) {
                continue;
            }
            bool all = true;
            for (const auto& [dx, dy] : offsets) {
                const int u = x + dx;
                const int v = y + dy;
                if (u < 0 || u >= kW || v < 0 || v >= kW || !c[u * kW + v]) {
                    all = false;
                    break;
                }
            }
            out[x * kW + y] = all ? 1 : 0;
        }
    }
    return out;
}

Image Closing(const Image& img, int r) {
    return Crop(Erode(Dilate(Extend(img), r), r));
}
Image Opening(const Image& img, int r) {
    return Crop(Dilate(Erode(Extend(img), r), r));
}

// Fills the empty passages too narrow for a disc of radius r: the hairline mouth of a bay
// that a lobe has almost closed, the hairline gap between two lobes that almost touch.
// (After a closing every concave corner of the shape is rounder than r, so nothing else is
// filled.)
Image FillNarrowGaps(const Image& img, int r) {
    std::vector<std::uint8_t> empty = Extend(img);
    for (std::uint8_t& v : empty) {
        v = v ? 0 : 1;
    }
    const std::vector<std::uint8_t> roomy = Dilate(Erode(empty, r), r);
    Image out = img;
    const Image narrow = Crop(roomy);
    const Image was = Crop(empty);
    for (int k = 0; k < N * N; ++k) {
        if (was[k] && !narrow[k]) {
            out[k] = 1;
        }
    }
    return out;
}

// Blurs the image with a Gaussian and keeps the pixels above one half: a little curvature
// flow that rounds the cusps a closing leaves where two empty discs meet, and removes
// hairline slits and bridges.
Image SmoothOutline(const Image& img, double sigma) {
    const std::vector<std::uint8_t> c = Extend(img);
    const int r = int(std::ceil(3 * sigma));
    std::vector<double> kernel(2 * r + 1);
    double sum = 0;
    for (int d = -r; d <= r; ++d) {
        kernel[d + r] = std::exp(-0.5 * d * d / (sigma * sigma));
        sum += kernel[d + r];
    }
    for (double& k : kernel) {
        k /= sum;
    }
    std::vector<double> pass(kW * kW, 0.0);
    std::vector<double> blurred(kW * kW, 0.0);
    for (int x = 0; x < kW; ++x) {
        for (int y = 0; y < kW; ++y) {
            double v = 0;
            for (int d = -r; d <= r; ++d) {
                const int u = x + d;
                if (u >= 0 && u < kW) {
                    v += kernel[d + r] * c[u * kW + y];
                }
            }
            pass[x * kW + y] = v;
        }
    }
    for (int x = 0; x < kW; ++x) {
        for (int y = 0; y < kW; ++y) {
            double v = 0;
            for (int d = -r; d <= r; ++d) {
                const int u = y + d;
                if (u >= 0 && u < kW) {
                    v += kernel[d + r] * pass[x * kW + u];
                }
            }
            blurred[x * kW + y] = v;
        }
    }
    std::vector<std::uint8_t> out(kW * kW, 0);
    for (int k = 0; k < kW * kW; ++k) {
        out[k] = blurred[k] > 0.5 ? 1 : 0;
    }
    return Crop(out);
}

// Flood fill over the 4-connected pixels equal to `value`, from every seed; returns a mask.
Image Reach(const Image& img, std::uint8_t value, const std::vector<int>& seeds) {
    Image mark(N * N, 0);
    std::vector<int> stack;
    for (int s : seeds) {
        if (img[s] == value && !mark[s]) {
            mark[s] = 1;
            stack.push_back(s);
        }
    }
    while (!stack.empty()) {
        const int k = stack.back();
        stack.pop_back();
        const int i = k / N;
        const int j = k % N;
        const int next[4][2] = {{i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[0] >= N || n[1] < 0 || n[1] >= N) {
                continue;
            }
            const int m = Idx(n[0], n[1]);
            if (img[m] == value && !mark[m]) {
                mark[m] = 1;
                stack.push_back(m);
            }
        }
    }
    return mark;
}

// Smooths the thresholded brush image and makes it obey the format.
Image Finish(Image img) {
    // The opening rounds off small corners; the closing fills creases and narrow slits and
    // gives the joins between strokes round fillets; the smoothing rounds what is left.
    // Near contacts are then fused and smoothed once more.
    img = Opening(img, kOpenRadius);
    img = Closing(img, kCloseRadius);
    img = SmoothOutline(img, kSmoothSigma);
    img = FillNarrowGaps(img, kGapRadius);
    img = SmoothOutline(img, kFinalSigma);
    for (int t = 0; t < N; ++t) {
        img[Idx(0, t)] = 0;
        img[Idx(t, 0)] = 0;
    }
    for (int t = 1; t < N; ++t) {
        img[Idx(N - 1, t)] = 1;
        img[Idx(t, N - 1)] = 1;
    }
    // Keep the region on the inner edges; fill every hole (empty region cut off from the
    // outer column and row).
    img = Reach(img, 1, {Idx(N - 1, N - 1)});
    std::vector<int> outside;
    for (int t = 0; t < N; ++t) {
        outside.push_back(Idx(0, t));
        outside.push_back(Idx(t, 0));
    }
    const Image open = Reach(img, 0, outside);
    for (int k = 0; k < N * N; ++k) {
        img[k] = open[k] ? 0 : 1;
    }
    return img;
}

int Area(const Image& img) {
    return int(std::count(img.begin(), img.end(), std::uint8_t(1)));
}

struct Shape {
    Image pixels;
    double offset = 0;
};

// Designs the shape of `seed` and thickens or thins it to `target` pixels (0: as drawn).
// The finished area grows with the offset, though not always smoothly (a bay that closes
// is filled at once), so the search bisects on the finished area and keeps the closest.
Shape MakeShape(std::uint64_t seed, int target) {
    const Field field = BuildField(DesignStrokes(seed));
    Shape best{Finish(Threshold(field, 0)), 0};
    if (target <= 0) {
        return best;
    }
    double lo = -8;
    double hi = 14;
    for (int it = 0; it < 24; ++it) {
        const double mid = 0.5 * (lo + hi);
        Shape s{Finish(Threshold(field, mid)), mid};
        const int area = Area(s.pixels);
        if (std::abs(area - target) < std::abs(Area(best.pixels) - target)) {
            best = std::move(s);
        }
        (area < target ? lo : hi) = mid;
    }
    return best;
}

// ---- output ----

const QColor kRed(255, 0, 0);
const QColor kPaleGreen(220, 255, 220);

// Puts a quarter into a 480x480 blob image at (ox, oy) as quadrant `slot` (0 top-left,
// 1 top-right, 2 bottom-right, 3 bottom-left), mirrored as the game places them.
void PlaceQuarter(QImage& image, int ox, int oy, const Image& q, int slot) {
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j < N; ++j) {
            if (!q[Idx(i, j)]) {
                continue;
            }
            int x = i;
            int y = j;
            if (slot == 1 || slot == 2) {
                x = 479 - i;
            }
            if (slot == 2 || slot == 3) {
                y = 479 - j;
            }
            image.setPixelColor(ox + x, oy + y, kRed);
        }
    }
}

void DrawQuarter(QImage& image, int ox, int oy, const Image& q) {
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j < N; ++j) {
            image.setPixelColor(ox + i, oy + j, q[Idx(i, j)] ? kRed : kPaleGreen);
        }
    }
}

void Label(QImage& image, const QRect& rect, const QString& text, int pixelSize) {
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignCenter, text);
}

bool SavePng(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_shapes: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

// A contact sheet of quarters: `cols` to a row, each labelled under it.
QImage QuarterSheet(const std::vector<Image>& quarters, const std::vector<QString>& labels,
                    int cols) {
    const int cell = N + 20;
    const int label = 26;
    const int rows = (int(quarters.size()) + cols - 1) / cols;
    QImage image(cols * cell + 20, rows * (cell + label) + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (std::size_t n = 0; n < quarters.size(); ++n) {
        const int ox = 20 + int(n % cols) * cell;
        const int oy = 20 + int(n / cols) * (cell + label);
        DrawQuarter(image, ox, oy, quarters[n]);
        {
            QPainter painter(&image);
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(ox - 1, oy - 1, N + 1, N + 1);
        }
        Label(image, QRect(ox, oy + N + 2, N, label), labels[n], 16);
    }
    return image;
}

bool WriteShapesSheet(const std::vector<Image>& quarters, const QString& path) {
    std::vector<QString> labels;
    for (std::size_t n = 0; n < quarters.size(); ++n) {
        labels.push_back(QStringLiteral("%1  (%2 pixels)").arg(n).arg(Area(quarters[n])));
    }
    return SavePng(QuarterSheet(quarters, labels, 4), path);
}

bool WriteBlobsSheet(const std::vector<Image>& quarters, const QString& path) {
    // A spread of orders: every shape appears in every quadrant at least once, and the
    // smallest and the largest blob are among them.
    const int picks[][4] = {{0, 1, 2, 3}, {4, 5, 6, 0}, {1, 6, 3, 5}, {2, 4, 0, 6}, {3, 0, 5, 2},
                            {5, 2, 4, 1}, {6, 3, 1, 4}, {0, 6, 2, 5}, {6, 5, 4, 1}};
    const int cols = 3;
    const int count = int(std::size(picks));
    const int cell = 480 + 24;
    const int label = 28;
    const int rows = (count + cols - 1) / cols;
    QImage image(cols * cell + 24, rows * (cell + label) + 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int n = 0; n < count; ++n) {
        const int ox = 24 + (n % cols) * cell;
        const int oy = 24 + (n / cols) * (cell + label);
        {
            QPainter painter(&image);
            painter.fillRect(ox, oy, 480, 480, kPaleGreen);
        }
        int area = 0;
        for (int slot = 0; slot < 4; ++slot) {
            PlaceQuarter(image, ox, oy, quarters[picks[n][slot]], slot);
            area += Area(quarters[picks[n][slot]]);
        }
        Label(image, QRect(ox, oy + 482, 480, label),
              QStringLiteral("TL %1  TR %2  BR %3  BL %4   (%5 pixels, %6%)")
                  .arg(picks[n][0])
                  .arg(picks[n][1])
                  .arg(picks[n][2])
                  .arg(picks[n][3])
                  .arg(area)
                  .arg(100.0 * area / (480 * 480), 0, 'f', 1),
              16);
    }
    return SavePng(image, path);
}

// The stored set: one seed per shape and the area it is brought to.
struct Choice {
    std::uint64_t seed;
    int target;
};
const std::array<Choice, shapes::kShapeCount> kChoices = {{
    {12, 23500}, // a lobe curling round a round bay; the smallest
    {43, 41000}, // fingers reaching up and out; the largest
    {21, 31000}, // a long curved lobe over a deep bay
    {56, 31000}, // three upright fingers on narrow necks
    {68, 35000}, // a broad body with rounded bumps
    {42, 38000}, // stacked lobes toward the outer vertical edge
    {34, 31500}, // two S-shaped lobes and a round knob
}};

int Usage() {
    std::fprintf(stderr,
                 "usage: make_shapes [--root DIR] [--png]\n"
                 "       make_shapes --preview DIR\n"
                 "       make_shapes --gallery FIRST COUNT OUT.png\n"
                 "  --root DIR   source tree to write into (default: %s)\n"
                 "  --png        also draw docs/shapes.png and docs/blobs.png\n"
                 "  --preview    draw only DIR/shapes.png and DIR/blobs.png, valid or not\n"
                 "  --gallery    draw the shapes of seeds FIRST.. as drawn (no area target)\n",
                 GLOBULE_SOURCE_DIR);
    return 2;
}

int Gallery(std::uint64_t first, int count, const QString& path) {
    std::vector<Image> quarters;
    std::vector<QString> labels;
    for (int n = 0; n < count; ++n) {
        const std::uint64_t seed = first + std::uint64_t(n);
        const Shape s = MakeShape(seed, 0);
        std::vector<std::int32_t> record(shapes::kRecordWords, 0);
        shapes::PackShape(s.pixels, record.data());
        const auto problems = shapes::ValidateShape(record.data());
        quarters.push_back(s.pixels);
        labels.push_back(QStringLiteral("seed %1: %2%3")
                             .arg(seed)
                             .arg(Area(s.pixels))
                             .arg(problems.empty() ? QString() : QStringLiteral("  INVALID")));
        std::printf("seed %llu: %d pixels%s\n", static_cast<unsigned long long>(seed),
                    Area(s.pixels), problems.empty() ? "" : "  INVALID");
        for (const auto& p : problems) {
            std::printf("    %s\n", p.c_str());
        }
    }
    return SavePng(QuarterSheet(quarters, labels, 6), path) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString root = QStringLiteral(GLOBULE_SOURCE_DIR);
    bool png = false;
    QString preview;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg == "--root" && a + 1 < argc) {
            root = QString::fromLocal8Bit(argv[++a]);
        } else if (arg == "--png") {
            png = true;
        } else if (arg == "--preview" && a + 1 < argc) {
            preview = QString::fromLocal8Bit(argv[++a]);
        } else if (arg == "--gallery" && a + 3 < argc) {
            const auto first = std::strtoull(argv[a + 1], nullptr, 10);
            const int count = std::atoi(argv[a + 2]);
            return Gallery(first, count, QString::fromLocal8Bit(argv[a + 3]));
        } else {
            return Usage();
        }
    }

    static std::int32_t records[shapes::kShapeCount][shapes::kRecordWords];
    std::vector<Image> quarters;
    for (int s = 0; s < shapes::kShapeCount; ++s) {
        const Shape shape = MakeShape(kChoices[s].seed, kChoices[s].target);
        shapes::PackShape(shape.pixels, records[s]);
        quarters.push_back(shape.pixels);
        std::printf("shape %d: seed %llu, %d pixels (target %d, offset %+.2f)\n", s,
                    static_cast<unsigned long long>(kChoices[s].seed), records[s][0],
                    kChoices[s].target, shape.offset);
    }

    const auto problems = shapes::ValidateShapeSet(records);
    for (const auto& p : problems) {
        std::fprintf(stderr, "make_shapes: %s\n", p.c_str());
    }

    int minArea = std::numeric_limits<int>::max();
    int maxArea = 0;
    int orders = 0;
    for (int a = 0; a < 7; ++a) {
        for (int b = 0; b < 7; ++b) {
            for (int c = 0; c < 7; ++c) {
                for (int d = 0; d < 7; ++d) {
                    if (a == b || a == c || a == d || b == c || b == d || c == d) {
                        continue;
                    }
                    const int area = records[a][0] + records[b][0] + records[c][0] + records[d][0];
                    minArea = std::min(minArea, area);
                    maxArea = std::max(maxArea, area);
                    ++orders;
                }
            }
        }
    }
    std::printf("%d orders: blob area %d..%d pixels (%.1f%%..%.1f%% of 480x480)\n", orders, minArea,
                maxArea, 100.0 * minArea / (480 * 480), 100.0 * maxArea / (480 * 480));
    if (!preview.isEmpty()) {
        const bool ok = WriteShapesSheet(quarters, preview + QStringLiteral("/shapes.png")) &&
                        WriteBlobsSheet(quarters, preview + QStringLiteral("/blobs.png"));
        return ok && problems.empty() ? 0 : 1;
    }
    if (!problems.empty()) {
        std::fprintf(stderr, "make_shapes: the set is not valid; nothing written\n");
        return 1;
    }

    QByteArray bytes;
    for (int s = 0; s < shapes::kShapeCount; ++s) {
        for (int w = 0; w < shapes::kUsedWords; ++w) {
            const auto u = static_cast<std::uint32_t>(records[s][w]);
            for (int b = 0; b < 4; ++b) {
                bytes.append(static_cast<char>((u >> (8 * b)) & 0xFF));
            }
        }
    }
    const QString binPath = root + QStringLiteral("/resources/shapes/quadrants.bin");
    QDir().mkpath(QFileInfo(binPath).absolutePath());
    QSaveFile file(binPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "make_shapes: cannot write %s\n", qPrintable(binPath));
        return 1;
    }
    std::printf("wrote %s (%lld bytes)\n", qPrintable(binPath),
                static_cast<long long>(bytes.size()));

    if (png) {
        if (!WriteShapesSheet(quarters, root + QStringLiteral("/docs/shapes.png")) ||
            !WriteBlobsSheet(quarters, root + QStringLiteral("/docs/blobs.png"))) {
            return 1;
        }
    }
    return 0;
}
