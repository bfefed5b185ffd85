// Draws the game's four bitmaps and the application icon:
//   resources/bitmaps/130.png  the flower pot with POT on its rim (Score screen)
//   resources/bitmaps/132.png  the Home page banner
//   resources/bitmaps/133.png  the key legend (Score screen)
//   resources/bitmaps/134.png  the pin-centre legend (Play screen)
//   packaging/icons/hicolor/<N>x<N>/apps/globule.png and resources/icons/globule.png
// Usage: make_bitmaps [repository root]
// Same fonts in, same pixels out: nothing here is random or depends on the clock.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const QColor kPaleGreen(220, 255, 220);
const QColor kPeach(255, 200, 160);

// --- Lettering ------------------------------------------------------------------------------

struct Run {
    QString text;
    QColor colour;
    qreal gapBefore = 0; // in em, before this run
};

// A line of lettering as outlines, one path per run.
struct Lettering {
    std::vector<QPainterPath> paths;
    std::vector<QColor> colours;
    std::vector<QPointF> gapCentres; // middle of each gap, on the baseline
    qreal gapWidth = 0;              // width of the last gap, in the lettering's units

    QRectF Bounds() const {
        QRectF bounds;
        for (const QPainterPath& path : paths)
            bounds = bounds.united(path.boundingRect());
        return bounds;
    }

    void Map(const QTransform& transform) {
        for (QPainterPath& path : paths)
            path = transform.map(path);
        for (QPointF& centre : gapCentres)
            centre = transform.map(centre);
        gapWidth *= transform.m11();
    }
};

QFont HeavyFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(100); // the outlines are scaled to fit afterwards
    font.setWeight(QFont::Bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

Lettering Layout(const std::vector<Run>& runs) {
    const QFont font = HeavyFont();
    const QFontMetricsF metrics(font);
    Lettering lettering;
    qreal x = 0;
    for (const Run& run : runs) {
        if (run.gapBefore > 0) {
            const qreal gap = run.gapBefore * font.pixelSize();
            lettering.gapCentres.push_back(QPointF(x + gap / 2, 0));
            lettering.gapWidth = gap;
            x += gap;
        }
        QPainterPath path;
        path.addText(x, 0, font, run.text);
        lettering.paths.push_back(path);
        lettering.colours.push_back(run.colour);
        x += metrics.horizontalAdvance(run.text);
    }
    return lettering;
}

// Scales the lettering as large as it goes into `box` and centres its ink there.
void FitInto(Lettering& lettering, const QRectF& box) {
    const QRectF ink = lettering.Bounds();
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-ink.center().x(), -ink.center().y());
    lettering.Map(transform);
}

struct LetterStyle {
    QColor outline;       // invalid: each run's own colour, darkened
    qreal outlineWidth;   // pixels; half of it shows outside the letter
    bool gloss;           // lighter at the top of each letter
    QPointF shadowOffset; // pixels
    int shadowBlur;       // radius in pixels; 0 means no shadow
    int shadowAlpha;      // 0..255
};

// Three box blurs of the alpha channel come close enough to a Gaussian for a soft shadow.
void BlurAlpha(QImage& image, int radius) {
    const int w = image.width();
    const int h = image.height();
    std::vector<int> alpha(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[static_cast<size_t>(y) * w + x] = qAlpha(line[x]);
    }
    std::vector<int> scratch(alpha.size());
    const int span = 2 * radius + 1;
    auto at = [&](const std::vector<int>& source, int x, int y) {
        if (x < 0 || x >= w || y < 0 || y >= h)
            return 0;
        return source[static_cast<size_t>(y) * w + x];
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += at(alpha, x + k, y);
                scratch[static_cast<size_t>(y) * w + x] = sum / span;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += at(scratch, x, y + k);
                alpha[static_cast<size_t>(y) * w + x] = sum / span;
            }
    }
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgba(0, 0, 0, alpha[static_cast<size_t>(y) * w + x]);
    }
}

void DrawSoftShadow(QImage& image, const std::vector<QPainterPath>& shapes, qreal strokeWidth,
                    QPointF offset, int blur, int strength) {
    QImage shadow(image.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter painter(&shadow);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(offset);
        painter.setPen(QPen(Qt::black, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::black);
        for (const QPainterPath& shape : shapes)
            painter.drawPath(shape);
    }
    BlurAlpha(shadow, blur);
    // Faint tails of the blur would tint the background far from the letters; cut them.
    for (int y = 0; y < shadow.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < shadow.width(); ++x) {
            const int a = qAlpha(line[x]) * strength / 255;
            line[x] = qRgba(0, 0, 0, a < 6 ? 0 : a);
        }
    }
    QPainter painter(&image);
    painter.drawImage(0, 0, shadow);
}

void DrawLettering(QImage& image, const Lettering& lettering, const LetterStyle& style) {
    if (style.shadowBlur > 0)
        DrawSoftShadow(image, lettering.paths, style.outlineWidth, style.shadowOffset,
                       style.shadowBlur, style.shadowAlpha);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // All outlines first, so a neighbour's outline never cuts into a letter.
    for (size_t i = 0; i < lettering.paths.size(); ++i) {
        const QColor outline =
            style.outline.isValid() ? style.outline : lettering.colours[i].darker(220);
        painter.strokePath(lettering.paths[i], QPen(outline, style.outlineWidth, Qt::SolidLine,
                                                    Qt::RoundCap, Qt::RoundJoin));
    }
    for (size_t i = 0; i < lettering.paths.size(); ++i) {
        const QColor colour = lettering.colours[i];
        if (!style.gloss) {
            painter.fillPath(lettering.paths[i], colour);
            continue;
        }
        const QRectF box = lettering.paths[i].boundingRect();
        QLinearGradient gradient(box.topLeft(), box.bottomLeft());
        gradient.setColorAt(0.0, colour.lighter(150));
        gradient.setColorAt(0.45, colour);
        gradient.setColorAt(1.0, colour.darker(125));
        painter.fillPath(lettering.paths[i], gradient);
    }
}

// The game counts pure red pixels as blob, so no picture of ours may hold one.
void AvoidPureRed(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xffffff) == 0xff0000)
                line[x] = qRgba(254, 0, 0, qAlpha(line[x]));
    }
}

QImage Canvas(int width, int height, const QColor& background) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// --- The flower pot (130) ---------------------------------------------------------------------

// Terracotta lit from the left: dark edges, a bright band left of the middle.
QLinearGradient Terracotta(qreal left, qreal right, int lift) {
    QLinearGradient gradient(left, 0, right, 0);
    gradient.setColorAt(0.0, QColor(146, 62, 36).lighter(100 + lift));
    gradient.setColorAt(0.28, QColor(226, 132, 86).lighter(100 + lift));
    gradient.setColorAt(0.6, QColor(204, 104, 62).lighter(100 + lift));
    gradient.setColorAt(1.0, QColor(134, 56, 32).lighter(100 + lift));
    return gradient;
}

void DrawSprout(QPainter& painter) {
    const QColor leaf(76, 170, 64);
    const QColor leafEdge(34, 98, 30);
    QPainterPath stem;
    stem.moveTo(87, 40);
    stem.cubicTo(85, 31, 91, 25, 88, 17);
    painter.strokePath(stem, QPen(leafEdge, 5, Qt::SolidLine, Qt::RoundCap));
    painter.strokePath(stem, QPen(leaf, 2.5, Qt::SolidLine, Qt::RoundCap));

    painter.setPen(QPen(leafEdge, 1.5));
    painter.setBrush(leaf);
    QPainterPath left;
    left.moveTo(86, 33);
    left.cubicTo(76, 18, 62, 20, 56, 24);
    left.cubicTo(62, 34, 76, 38, 86, 33);
    painter.drawPath(left);
    QPainterPath right;
    right.moveTo(89, 30);
    right.cubicTo(98, 16, 112, 16, 120, 20);
    right.cubicTo(114, 30, 100, 35, 89, 30);
    painter.drawPath(right);

    // A daisy: white petals round a yellow heart.
    const QPointF heart(88, 15);
    painter.setPen(QPen(QColor(150, 150, 170), 1));
    painter.setBrush(QColor(255, 255, 255));
    for (int i = 0; i < 10; ++i) {
        painter.save();
        painter.translate(heart);
        painter.rotate(i * 36.0);
        painter.drawEllipse(QRectF(3, -2.6, 9, 5.2));
        painter.restore();
    }
    painter.setPen(QPen(QColor(170, 110, 0), 1));
    painter.setBrush(QColor(255, 200, 30));
    painter.drawEllipse(heart, 4.2, 4.2);
}

QImage DrawPot() {
    QImage image = Canvas(174, 180, kPaleGreen);
    const QColor edge(98, 40, 22);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);

        // Shadow on the ground.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(178, 214, 178));
        painter.drawEllipse(QRectF(30, 166, 120, 11));

        // The opening, seen from a little above: the inner wall and the soil.
        painter.setPen(QPen(edge, 2));
        painter.setBrush(QColor(122, 54, 30));
        painter.drawEllipse(QRectF(12, 30, 150, 18));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(84, 56, 38));
        painter.drawEllipse(QRectF(22, 34, 130, 12));

        DrawSprout(painter);

        // Body: tapers towards a foot with rounded corners.
        QPainterPath body;
        body.moveTo(24, 78);
        body.lineTo(150, 78);
        body.lineTo(135.5, 165);
        body.quadTo(134.5, 170, 129, 170);
        body.lineTo(45, 170);
        body.quadTo(39.5, 170, 38.5, 165);
        body.closeSubpath();
        painter.setPen(QPen(edge, 2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
        painter.setBrush(Terracotta(24, 150, 0));
        painter.drawPath(body);

        // The rim throws a shadow on the top of the body.
        painter.save();
        painter.setClipPath(body);
        QLinearGradient shade(0, 80, 0, 92);
        shade.setColorAt(0, QColor(60, 20, 5, 110));
        shade.setColorAt(1, QColor(60, 20, 5, 0));
        painter.fillRect(QRectF(0, 78, 174, 14), shade);
        painter.restore();

        // Rim.
        const QRectF rim(8, 38, 158, 44);
        painter.setPen(QPen(edge, 2));
        painter.setBrush(Terracotta(rim.left(), rim.right(), 8));
        painter.drawRoundedRect(rim, 6, 6);
        // A glint along the top edge of the rim.
        painter.setPen(QPen(QColor(255, 200, 160, 150), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(16, 41.5), QPointF(158, 41.5));

        // The label that the pot's amount is written on: a plain cream panel.
        const QRectF label(40.5, 91.5, 91, 44);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(70, 25, 10, 90));
        painter.drawRoundedRect(label.translated(2, 2), 7, 7);
        painter.setPen(QPen(QColor(112, 58, 28), 2));
        painter.setBrush(QColor(255, 249, 230));
        painter.drawRoundedRect(label, 7, 7);
    }

    Lettering pot = Layout({{QStringLiteral("P"), QColor(255, 214, 10)},
                            {QStringLiteral("O"), QColor(70, 196, 255), 0.08},
                            {QStringLiteral("T"), QColor(132, 226, 58), 0.08}});
    FitInto(pot, QRectF(34, 45, 106, 30));
    DrawLettering(image, pot, {QColor(52, 20, 8), 4.0, true, QPointF(1.5, 1.5), 1, 110});
    AvoidPureRed(image);
    return image;
}

// --- The Home banner (132) -------------------------------------------------------------------

// A little red globule, the game's own blob, between the two words.
void DrawGlobuleDot(QImage& image, QPointF centre, qreal radius) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4);
    gradient.setColorAt(0.0, QColor(255, 140, 130));
    gradient.setColorAt(0.45, QColor(226, 28, 36));
    gradient.setColorAt(1.0, QColor(140, 0, 10));
    painter.setPen(QPen(QColor(70, 0, 0), 1.5));
    painter.setBrush(gradient);
    painter.drawEllipse(centre, radius, radius);
}

QImage DrawBanner() {
    QImage image = Canvas(380, 40, kPeach);
    Lettering banner = Layout({
        {QStringLiteral("S"), QColor(214, 26, 60)},
        {QStringLiteral("P"), QColor(34, 96, 224)},
        {QStringLiteral("L"), QColor(24, 160, 64)},
        {QStringLiteral("O"), QColor(250, 190, 0)},
        {QStringLiteral("T"), QColor(150, 52, 196)},
        {QStringLiteral("C"), QColor(0, 156, 176)},
        {QStringLiteral("H"), QColor(236, 100, 20)},
        {QStringLiteral("HOME"), QColor(28, 52, 150), 0.55},
    });
    FitInto(banner, QRectF(5, 3, 368, 29));
    DrawLettering(image, banner, {QColor(40, 18, 14), 3.0, true, QPointF(2, 2), 1, 120});
    const QRectF ink = banner.Bounds();
    DrawGlobuleDot(image, QPointF(banner.gapCentres.front().x(), ink.center().y()),
                   std::min(banner.gapWidth * 0.3, ink.height() * 0.22));
    AvoidPureRed(image);
    return image;
}

// --- The legends (133, 134) --------------------------------------------------------------------

QImage DrawKeyLegend() {
    QImage image = Canvas(550, 50, kPaleGreen);
    Lettering legend = Layout({
        {QStringLiteral("SpaceBar=Play."), QColor(22, 140, 44)},
        {QStringLiteral("F1=Help."), QColor(200, 18, 58), 0.45},
        {QStringLiteral("End=Home."), QColor(30, 72, 212), 0.45},
    });
    FitInto(legend, QRectF(8, 9, 532, 31));
    DrawLettering(image, legend, {QColor(), 1.6, true, QPointF(1.5, 1.5), 1, 70});
    AvoidPureRed(image);
    return image;
}

QImage DrawPinCenterLegend() {
    QImage image = Canvas(412, 50, kPaleGreen);
    Lettering legend = Layout({{QStringLiteral("Space Bar = Pin Center"), QColor(40, 160, 240)}});
    FitInto(legend, QRectF(8, 8, 394, 33));
    DrawLettering(image, legend, {QColor(12, 62, 120), 2.0, true, QPointF(1.5, 1.5), 1, 80});
    AvoidPureRed(image);
    return image;
}

// --- The application icon ------------------------------------------------------------------------

// The blob's outline on a 256 x 256 grid: a start point and twenty cubic segments, the same path
// as in packaging/icons/globule.svg.
constexpr QPointF kBlobStart(119, 45);
constexpr qreal kBlobSegments[][6] = {
    {128, 44, 137, 36, 146, 37},    {155, 38, 165, 44, 171, 50},    {177, 56, 176, 68, 181, 76},
    {186, 84, 193, 87, 200, 95},    {207, 103, 220, 112, 222, 122}, {224, 132, 219, 144, 212, 152},
    {205, 160, 189, 162, 181, 167}, {173, 172, 170, 176, 164, 184}, {158, 192, 156, 207, 148, 213},
    {140, 219, 128, 221, 119, 219}, {110, 217, 101, 205, 93, 200},  {85, 195, 79, 191, 71, 187},
    {63, 183, 49, 183, 43, 177},    {37, 171, 34, 158, 34, 149},    {34, 140, 43, 131, 44, 122},
    {45, 113, 42, 106, 40, 96},     {38, 86, 31, 70, 34, 60},       {37, 50, 48, 41, 58, 38},
    {68, 35, 83, 43, 93, 44},       {103, 45, 110, 46, 119, 45},
};

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / 256.0;

    painter.save();
    painter.scale(scale, scale);
    QPainterPath blob(kBlobStart);
    for (const auto& s : kBlobSegments)
        blob.cubicTo(s[0], s[1], s[2], s[3], s[4], s[5]);
    blob.closeSubpath();
    QRadialGradient body(100, 95, 150);
    body.setColorAt(0.0, QColor(0xff, 0x78, 0x6e));
    body.setColorAt(0.45, QColor(0xe6, 0x1e, 0x23));
    body.setColorAt(1.0, QColor(0x96, 0x00, 0x0a));
    // At the smallest sizes the outline would swallow the body; keep it about a pixel wide.
    painter.setPen(QPen(QColor(0x5a, 0x00, 0x00), std::max(6.0, 0.8 / scale), Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(body);
    painter.drawPath(blob);
    painter.translate(92, 80);
    painter.rotate(-30);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 89));
    painter.drawEllipse(QPointF(0, 0), 30, 18);
    painter.restore();

    // Cross hairs on whole pixels, so they stay crisp at 16 px.
    const int width = std::max(1, static_cast<int>(std::lround(size * 10 / 256.0)));
    const qreal middle = size / 2.0 + (width % 2 ? 0.5 : 0.0);
    const qreal from = std::round(10 * scale);
    const qreal to = size - from;
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(middle, from), QPointF(middle, to));
    painter.drawLine(QPointF(from, middle), QPointF(to, middle));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// --- Output
// ----------------------------------------------------------------------------------------

bool Save(const QImage& image, const QDir& root, const QString& relative) {
    const QString path = root.filePath(relative);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "make_bitmaps: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(relative), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QFontInfo face(HeavyFont());
    if (face.family() != QStringLiteral("DejaVu Sans"))
        std::fprintf(stderr, "make_bitmaps: DejaVu Sans is missing, lettering uses %s\n",
                     qPrintable(face.family()));

    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1])
                             : QStringLiteral(GLOBULE_SOURCE_ROOT));
    bool ok = Save(DrawPot(), root, QStringLiteral("resources/bitmaps/130.png"));
    ok = Save(DrawBanner(), root, QStringLiteral("resources/bitmaps/132.png")) && ok;
    ok = Save(DrawKeyLegend(), root, QStringLiteral("resources/bitmaps/133.png")) && ok;
    ok = Save(DrawPinCenterLegend(), root, QStringLiteral("resources/bitmaps/134.png")) && ok;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("packaging/icons/hicolor/%1x%1/apps/").arg(size);
        const QImage icon = DrawIcon(size);
        ok = Save(icon, root, dir + QStringLiteral("globule.png")) && ok;
        if (size == 64)
            ok = Save(icon, root, QStringLiteral("resources/icons/globule.png")) && ok;
    }
    return ok ? 0 : 1;
}
