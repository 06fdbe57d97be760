// Draws the program's two pictures and writes them as Windows files:
//
//   bitmap_1.bmp  320 x 240, 8 bits per pixel, 256-entry palette: the name
//                 "Mivaro" beside a crescent moon over a calendar page, on a
//                 pink ground (the title picture of the About box and of the
//                 opening picture);
//   tenvo.ico     the program icon, 32 x 32 and 16 x 16, 16 colours each
//                 (4 bits per pixel with a 1-bit transparency mask).
//
// Usage: make_pictures <output folder>
//
// The output is deterministic: all geometry is plain arithmetic (+ - * / and
// sqrt, which IEEE 754 rounds exactly), coverage is counted in integers, and
// every tie is broken by a fixed order. The committed files can therefore be
// rebuilt and compared byte for byte.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

int packRgb(Rgb c) { return (c.r << 16) | (c.g << 8) | c.b; }

// ---------------------------------------------------------------------------
// Coverage masks. Each pixel holds 16 bits, one per sample of a 4 x 4 grid
// inside the pixel; a shape sets the bits of the samples it contains. The
// number of set bits is the pixel's coverage, used for smooth edges.

constexpr int kGrid = 4;

struct Mask {
    int width;
    int height;
    std::vector<std::uint16_t> bits;
    Mask(int w, int h) : width(w), height(h), bits(static_cast<std::size_t>(w * h), 0) {}
    std::uint16_t& at(int x, int y) { return bits[static_cast<std::size_t>(y * width + x)]; }
};

using Inside = std::function<bool(double, double)>;

// Sets (or, with erase, clears) the samples inside a shape. Only the pixels of
// the bounding box [x0, x1] x [y0, y1] are visited.
void paintShape(Mask& m, double x0, double y0, double x1, double y1, const Inside& inside,
                bool erase = false) {
    const int px0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int py0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int px1 = std::min(m.width - 1, static_cast<int>(std::floor(x1)));
    const int py1 = std::min(m.height - 1, static_cast<int>(std::floor(y1)));
    for (int y = py0; y <= py1; ++y) {
        for (int x = px0; x <= px1; ++x) {
            std::uint16_t bit = 1;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    const double fx = x + (sx + 0.5) / kGrid;
                    const double fy = y + (sy + 0.5) / kGrid;
                    if (inside(fx, fy)) {
                        if (erase) {
                            m.at(x, y) = static_cast<std::uint16_t>(m.at(x, y) & ~bit);
                        } else {
                            m.at(x, y) = static_cast<std::uint16_t>(m.at(x, y) | bit);
                        }
                    }
                    bit = static_cast<std::uint16_t>(bit << 1);
                }
            }
        }
    }
}

void disc(Mask& m, double cx, double cy, double r, bool erase = false) {
    paintShape(
        m, cx - r, cy - r, cx + r, cy + r,
        [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; },
        erase);
}

bool insideEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double u = (x - cx) / rx;
    const double v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
}

// A stroke of half-width s along the ellipse (cx, cy, rx, ry), limited to the
// samples for which keep(dx, dy) holds (dx, dy relative to the centre).
void ellipseStroke(Mask& m, double cx, double cy, double rx, double ry, double s,
                   const std::function<bool(double, double)>& keep) {
    paintShape(m, cx - rx - s, cy - ry - s, cx + rx + s, cy + ry + s, [=](double x, double y) {
        return insideEllipse(x, y, cx, cy, rx + s, ry + s) &&
               !insideEllipse(x, y, cx, cy, rx - s, ry - s) && keep(x - cx, y - cy);
    });
}

// A straight stroke of half-width r with round ends.
void capsule(Mask& m, double ax, double ay, double bx, double by, double r) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    paintShape(m, std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r,
               std::max(ay, by) + r, [=](double x, double y) {
                   double t = len2 > 0.0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0.0;
                   t = std::clamp(t, 0.0, 1.0);
                   const double ex = x - (ax + t * dx);
                   const double ey = y - (ay + t * dy);
                   return ex * ex + ey * ey <= r * r;
               });
}

void polyline(Mask& m, const std::vector<std::array<double, 2>>& pts, double r) {
    for (std::size_t i = 1; i < pts.size(); ++i) {
        capsule(m, pts[i - 1][0], pts[i - 1][1], pts[i][0], pts[i][1], r);
    }
}

void roundRect(Mask& m, double x0, double y0, double x1, double y1, double rad,
               bool erase = false) {
    paintShape(
        m, x0, y0, x1, y1,
        [=](double x, double y) {
            if (x < x0 || x > x1 || y < y0 || y > y1) return false;
            const double cx = std::clamp(x, x0 + rad, x1 - rad);
            const double cy = std::clamp(y, y0 + rad, y1 - rad);
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= rad * rad;
        },
        erase);
}

// A four-pointed sparkle: two thin diamonds crossed.
void sparkle(Mask& m, double cx, double cy, double arm, double waist) {
    paintShape(m, cx - arm, cy - arm, cx + arm, cy + arm, [=](double x, double y) {
        const double ax = std::abs(x - cx);
        const double ay = std::abs(y - cy);
        return ax / arm + ay / waist <= 1.0 || ax / waist + ay / arm <= 1.0;
    });
}

// ---------------------------------------------------------------------------
// True-colour canvas on which masks are laid, each in one colour, in order.

struct Canvas {
    int width;
    int height;
    std::vector<Rgb> px;
    Canvas(int w, int h) : width(w), height(h), px(static_cast<std::size_t>(w * h)) {}
    Rgb& at(int x, int y) { return px[static_cast<std::size_t>(y * width + x)]; }
};

int popcount16(std::uint16_t v) {
    int n = 0;
    for (; v != 0; v = static_cast<std::uint16_t>(v & (v - 1))) ++n;
    return n;
}

// Blends the colour over the canvas in proportion to the mask's coverage,
// rounding each channel to the nearest integer.
void lay(Canvas& c, Mask& m, Rgb ink) {
    constexpr int kFull = kGrid * kGrid;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const int k = popcount16(m.at(x, y));
            if (k == 0) continue;
            Rgb& p = c.at(x, y);
            p.r = (p.r * (kFull - k) + ink.r * k + kFull / 2) / kFull;
            p.g = (p.g * (kFull - k) + ink.g * k + kFull / 2) / kFull;
            p.b = (p.b * (kFull - k) + ink.b * k + kFull / 2) / kFull;
        }
    }
}

// ---------------------------------------------------------------------------
// The name "Mivaro", drawn with round-ended strokes. Every glyph is drawn
// from its left edge x on the baseline b, in units of u pixels (x-height 14u,
// capital height 21u, stroke half-width s), and returns its advance.

struct Pen {
    double u;
    double s;
};

double glyphM(Mask& m, double x, double b, Pen p) {
    const double w = 17 * p.u;
    const double top = b - 21 * p.u;
    polyline(m,
             {{{x + p.s, b},
               {x + p.s + p.u, top},
               {x + w / 2, b - 6 * p.u},
               {x + w - p.s - p.u, top},
               {x + w - p.s, b}}},
             p.s);
    return w;
}

double glyphI(Mask& m, double x, double b, Pen p) {
    capsule(m, x + p.s, b, x + p.s, b - 14 * p.u, p.s);
    disc(m, x + p.s, b - 19 * p.u, p.s * 1.25);
    return 2 * p.s;
}

double glyphV(Mask& m, double x, double b, Pen p) {
    const double w = 12 * p.u;
    polyline(m, {{{x + p.s, b - 14 * p.u}, {x + w / 2, b}, {x + w - p.s, b - 14 * p.u}}}, p.s);
    return w;
}

// A closed bowl (o, and the bowl of a).
double bowl(Mask& m, double x, double b, Pen p) {
    const double rx = 6 * p.u - p.s;
    const double ry = 7 * p.u - p.s;
    ellipseStroke(m, x + 6 * p.u, b - 7 * p.u, rx, ry, p.s, [](double, double) { return true; });
    return 12 * p.u;
}

double glyphA(Mask& m, double x, double b, Pen p) {
    const double w = bowl(m, x, b, p);
    capsule(m, x + w - p.s, b - 14 * p.u + p.s, x + w - p.s, b, p.s);
    return w;
}

double glyphR(Mask& m, double x, double b, Pen p) {
    const double stem = x + p.s;
    capsule(m, stem, b, stem, b - 14 * p.u, p.s);
    // The shoulder: the upper left quarter of an ellipse springing from the
    // stem, running on a little past its top and ending in a round cap.
    const double rx = 7 * p.u;
    const double ry = 14 * p.u - 2 * p.s - 3 * p.u;
    const double cx = stem + rx;
    const double cy = b - 14 * p.u + p.s + ry;
    const double endDx = 0.6 * rx;
    ellipseStroke(m, cx, cy, rx, ry, p.s,
                  [=](double dx, double dy) { return dy <= 0.0 && dx <= endDx; });
    disc(m, cx + endDx, cy - ry * std::sqrt(1.0 - 0.36), p.s);
    return rx + endDx + p.s;
}

double glyphO(Mask& m, double x, double b, Pen p) { return bowl(m, x, b, p); }

// Draws "Mivaro" from x on baseline b; returns the total width. With a null
// mask it only measures.
double drawName(Mask* m, double x, double b, Pen p) {
    Mask scratch(1, 1);
    Mask& t = m != nullptr ? *m : scratch;
    const double gap = 3.2 * p.u;
    double at = x;
    at += glyphM(t, at, b, p) + gap;
    at += glyphI(t, at, b, p) + gap;
    at += glyphV(t, at, b, p) + gap * 0.8;
    at += glyphA(t, at, b, p) + gap;
    at += glyphR(t, at, b, p) + gap * 0.6;
    at += glyphO(t, at, b, p);
    return at - x;
}

// ---------------------------------------------------------------------------
// The title picture.

constexpr int kBmpWidth = 320;
constexpr int kBmpHeight = 240;

Canvas drawTitlePicture() {
    const int w = kBmpWidth;
    const int h = kBmpHeight;
    Canvas c(w, h);

    // Pink ground, a little deeper towards the bottom, in 16 even bands.
    for (int y = 0; y < h; ++y) {
        const int band = y * 16 / h;
        const Rgb ground{255, 222 - band * 3, 232 - band * 2};
        for (int x = 0; x < w; ++x) c.at(x, y) = ground;
    }

    auto layer = [&](const std::function<void(Mask&)>& draw, Rgb ink) {
        Mask m(w, h);
        draw(m);
        lay(c, m, ink);
    };

    const Rgb white{255, 255, 255};
    const Rgb plum{118, 28, 72};
    const Rgb shadow{232, 150, 178};
    const Rgb red{214, 44, 66};
    const Rgb gold{250, 196, 40};
    const Rgb paleGold{255, 236, 150};

    // A soft round glow behind the moon.
    layer([](Mask& m) { disc(m, 48, 54, 42); }, Rgb{255, 236, 242});

    // Crescent moon: a disc with an offset disc taken away.
    layer(
        [](Mask& m) {
            disc(m, 48, 54, 30);
            disc(m, 61, 45, 26, true);
        },
        gold);
    layer(
        [](Mask& m) {
            disc(m, 48, 54, 30);
            disc(m, 56, 48, 29, true);
            disc(m, 61, 45, 26, true);
        },
        paleGold);

    // Sparkles around the moon.
    layer(
        [](Mask& m) {
            sparkle(m, 104, 24, 9, 2.2);
            sparkle(m, 13, 118, 6, 1.6);
            sparkle(m, 130, 74, 5, 1.4);
        },
        white);

    // The calendar page: shadow, page, red head, rings, day cells.
    const double pageX0 = 28;
    const double pageY0 = 96;
    const double pageX1 = 118;
    const double pageY1 = 214;
    layer([&](Mask& m) { roundRect(m, pageX0 + 5, pageY0 + 5, pageX1 + 5, pageY1 + 5, 7); },
          shadow);
    layer([&](Mask& m) { roundRect(m, pageX0, pageY0, pageX1, pageY1, 7); }, white);
    layer(
        [&](Mask& m) {
            roundRect(m, pageX0, pageY0, pageX1, pageY0 + 34, 7);
            paintShape(m, pageX0, pageY0 + 26, pageX1, pageY0 + 34, [&](double x, double y) {
                return x >= pageX0 && x <= pageX1 && y >= pageY0 + 26 && y <= pageY0 + 34;
            });
        },
        red);
    layer(
        [&](Mask& m) {
            capsule(m, pageX0 + 24, pageY0 - 8, pageX0 + 24, pageY0 + 10, 3.5);
            capsule(m, pageX1 - 24, pageY0 - 8, pageX1 - 24, pageY0 + 10, 3.5);
        },
        Rgb{96, 96, 112});
    // Seven weekday columns, five weeks: Sunday red, Saturday blue.
    const double cell = 9.5;
    const double gridX = pageX0 + (pageX1 - pageX0 - (7 * cell + 6 * 1.5)) / 2;
    const double gridY = pageY0 + 44;
    for (int col = 0; col < 7; ++col) {
        const Rgb ink = col == 0   ? Rgb{246, 176, 184}
                        : col == 6 ? Rgb{176, 196, 244}
                                   : Rgb{222, 222, 228};
        layer(
            [&](Mask& m) {
                for (int row = 0; row < 5; ++row) {
                    const double x = gridX + col * (cell + 1.5);
                    const double y = gridY + row * (cell + 2.5);
                    roundRect(m, x, y, x + cell, y + cell, 2);
                }
            },
            ink);
    }
    // One day ringed, as if marked by hand.
    layer(
        [&](Mask& m) {
            const double cx = gridX + 3 * (cell + 1.5) + cell / 2;
            const double cy = gridY + 2 * (cell + 2.5) + cell / 2;
            ellipseStroke(m, cx, cy, 9, 8, 1.3, [](double, double) { return true; });
        },
        red);

    // The name, centred over the right-hand side, with a soft shadow.
    const Pen pen{2.0, 2.4};
    const double nameWidth = drawName(nullptr, 0, 0, pen);
    const double nameX = 226 - nameWidth / 2;
    const double baseline = 124;
    layer([&](Mask& m) { drawName(&m, nameX + 2.5, baseline + 2.5, pen); }, shadow);
    layer([&](Mask& m) { drawName(&m, nameX, baseline, pen); }, plum);

    // A row of moon phases under the name, from new to full.
    const double phaseY = 160;
    const double phaseR = 7;
    for (int i = 0; i < 5; ++i) {
        const double cx = nameX + 6 + i * (nameWidth - 12) / 4;
        layer([&](Mask& m) { disc(m, cx, phaseY, phaseR + 1.2); }, plum);
        layer([&](Mask& m) { disc(m, cx, phaseY, phaseR); }, Rgb{250, 226, 236});
        layer(
            [&](Mask& m) {
                disc(m, cx, phaseY, phaseR);
                // The lit part grows as the dark disc slides away to the left.
                if (i < 4) disc(m, cx - i * phaseR * 0.5, phaseY, phaseR, true);
            },
            gold);
    }
    // A thin rule between the name and the phases.
    layer([&](Mask& m) { capsule(m, nameX, 140, nameX + nameWidth, 140, 0.9); }, plum);

    return c;
}

// ---------------------------------------------------------------------------
// Palette: the 256 most frequent colours of the picture (ties by colour
// value); every other colour takes the nearest palette entry (ties by the
// lower index). The pink ground, the inks and most edge mixes are exact.

struct Indexed {
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> index;  // per pixel, rows top to bottom
};

Indexed quantise(const Canvas& c, std::size_t paletteSize) {
    std::map<int, int> counts;
    for (const Rgb& p : c.px) ++counts[packRgb(p)];
    std::vector<std::pair<int, int>> byCount(counts.begin(), counts.end());
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    Indexed out;
    for (std::size_t i = 0; i < byCount.size() && i < paletteSize; ++i) {
        const int v = byCount[i].first;
        out.palette.push_back(Rgb{(v >> 16) & 255, (v >> 8) & 255, v & 255});
    }
    while (out.palette.size() < paletteSize) out.palette.push_back(Rgb{0, 0, 0});
    std::map<int, std::uint8_t> nearest;
    for (const Rgb& p : c.px) {
        const int key = packRgb(p);
        auto it = nearest.find(key);
        if (it == nearest.end()) {
            int best = 0;
            long bestDist = -1;
            for (std::size_t i = 0; i < out.palette.size(); ++i) {
                const Rgb& q = out.palette[i];
                const long d = long{p.r - q.r} * (p.r - q.r) + long{p.g - q.g} * (p.g - q.g) +
                               long{p.b - q.b} * (p.b - q.b);
                if (bestDist < 0 || d < bestDist) {
                    bestDist = d;
                    best = static_cast<int>(i);
                }
            }
            it = nearest.emplace(key, static_cast<std::uint8_t>(best)).first;
        }
        out.index.push_back(it->second);
    }
    return out;
}

// ---------------------------------------------------------------------------
// Little-endian byte writers.

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A BITMAPINFOHEADER.
void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, unsigned bitCount,
                   std::uint32_t imageSize, std::uint32_t coloursUsed, std::uint32_t pixPerMetre) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);  // planes
    put16(out, bitCount);
    put32(out, 0);  // BI_RGB, uncompressed
    put32(out, imageSize);
    put32(out, pixPerMetre);
    put32(out, pixPerMetre);
    put32(out, coloursUsed);
    put32(out, 0);  // all colours important
}

void putPalette(std::vector<std::uint8_t>& out, const std::vector<Rgb>& palette) {
    for (const Rgb& p : palette) {  // RGBQUAD: blue, green, red, reserved
        out.push_back(static_cast<std::uint8_t>(p.b));
        out.push_back(static_cast<std::uint8_t>(p.g));
        out.push_back(static_cast<std::uint8_t>(p.r));
        out.push_back(0);
    }
}

std::vector<std::uint8_t> encodeBmp(const Indexed& img, int width, int height) {
    const std::uint32_t rowBytes = static_cast<std::uint32_t>((width + 3) / 4 * 4);
    const std::uint32_t imageSize = rowBytes * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(img.palette.size());
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);  // two reserved words
    put32(out, offset);
    putInfoHeader(out, width, height, 8, imageSize, static_cast<std::uint32_t>(img.palette.size()),
                  2835);  // 72 dpi
    putPalette(out, img.palette);
    for (int y = height - 1; y >= 0; --y) {  // bottom row first
        for (int x = 0; x < width; ++x)
            out.push_back(img.index[static_cast<std::size_t>(y * width + x)]);
        for (int x = width; x < static_cast<int>(rowBytes); ++x) out.push_back(0);
    }
    return out;
}

// ---------------------------------------------------------------------------
// The icon: a calendar page with a red head and a crescent moon, on a
// transparent ground. Drawn in a 32-unit square and scaled to each size;
// a pixel takes a shape's colour when the shape covers at least half of it.

const std::vector<Rgb> kIconPalette = {
    {0, 0, 0},        // 0 black: transparent pixels (the mask shows the screen)
    {128, 0, 0},      // 1
    {0, 128, 0},      // 2
    {128, 128, 0},    // 3
    {0, 0, 128},      // 4
    {128, 0, 128},    // 5
    {0, 128, 128},    // 6
    {192, 192, 192},  // 7 light grey
    {128, 128, 128},  // 8 grey
    {255, 0, 0},      // 9 red
    {0, 255, 0},      // 10
    {255, 255, 0},    // 11 yellow
    {0, 0, 255},      // 12 blue
    {255, 0, 255},    // 13
    {0, 255, 255},    // 14
    {255, 255, 255},  // 15 white
};

struct IconImage {
    int size;
    std::vector<std::uint8_t> colour;  // palette index per pixel, top row first
    std::vector<bool> opaque;
};

IconImage drawIcon(int size) {
    const double k = size / 32.0;
    IconImage img{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size * size), 0),
                  std::vector<bool>(static_cast<std::size_t>(size * size), false)};
    auto layer = [&](const std::function<void(Mask&)>& draw, std::uint8_t ink) {
        Mask m(size, size);
        draw(m);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (popcount16(m.at(x, y)) * 2 >= kGrid * kGrid) {
                    img.colour[static_cast<std::size_t>(y * size + x)] = ink;
                    img.opaque[static_cast<std::size_t>(y * size + x)] = true;
                }
            }
        }
    };
    // Page outline, page, head band, rings.
    layer([&](Mask& m) { roundRect(m, 1 * k, 5 * k, 28 * k, 31 * k, 2.5 * k); }, 8);
    layer([&](Mask& m) { roundRect(m, 2 * k, 6 * k, 27 * k, 30 * k, 1.5 * k); }, 15);
    layer([&](Mask& m) { roundRect(m, 2 * k, 6 * k, 27 * k, 13 * k, 1.5 * k); }, 9);
    layer(
        [&](Mask& m) {
            capsule(m, 8 * k, 3 * k, 8 * k, 8 * k, 1.2 * k);
            capsule(m, 20 * k, 3 * k, 20 * k, 8 * k, 1.2 * k);
        },
        8);
    // Day cells on whole pixels (scaled squares would blur into uneven
    // blobs): Sunday column red, Saturday column blue.
    const bool large = size >= 32;
    const int cell = large ? 3 : 1;
    const int pitch = large ? 5 : 2;
    const int columns = large ? 5 : 6;
    const int x0 = large ? 3 : 2;
    const int y0 = large ? 16 : 8;
    for (int col = 0; col < columns; ++col) {
        const std::uint8_t ink = col == 0 ? 9 : col == columns - 1 ? 12 : 8;
        layer(
            [&](Mask& m) {
                for (int row = 0; row < 3; ++row) {
                    const int x = x0 + col * pitch;
                    const int y = y0 + row * pitch;
                    roundRect(m, x, y, x + cell, y + cell, 0);
                }
            },
            ink);
    }
    // Crescent moon over the top right corner, outlined for contrast.
    layer(
        [&](Mask& m) {
            disc(m, 24 * k, 9 * k, 8.5 * k);
            disc(m, 28.5 * k, 5.5 * k, 7 * k, true);
        },
        3);
    layer(
        [&](Mask& m) {
            disc(m, 24 * k, 9 * k, 7.5 * k);
            disc(m, 28.5 * k, 5.5 * k, 7.5 * k, true);
        },
        11);
    return img;
}

// One icon image as stored in an ICO file: BITMAPINFOHEADER of double height
// (colour rows, then mask rows), 16-entry palette, 4-bit colour rows and
// 1-bit mask rows, each row padded to 4 bytes, bottom row first.
std::vector<std::uint8_t> encodeIconImage(const IconImage& img) {
    const int n = img.size;
    const std::uint32_t xorRow = static_cast<std::uint32_t>((n * 4 + 31) / 32 * 4);
    const std::uint32_t andRow = static_cast<std::uint32_t>((n + 31) / 32 * 4);
    const std::uint32_t size = (xorRow + andRow) * static_cast<std::uint32_t>(n);
    std::vector<std::uint8_t> out;
    putInfoHeader(out, n, 2 * n, 4, size, 16, 0);
    putPalette(out, kIconPalette);
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(xorRow, 0);
        for (int x = 0; x < n; ++x) {
            const std::uint8_t v = img.colour[static_cast<std::size_t>(y * n + x)];
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(andRow, 0);
        for (int x = 0; x < n; ++x) {
            if (!img.opaque[static_cast<std::size_t>(y * n + x)]) {  // 1: show the screen
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> blobs;
    for (const IconImage& img : images) blobs.push_back(encodeIconImage(img));
    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // type: icon
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].size));  // width
        out.push_back(static_cast<std::uint8_t>(images[i].size));  // height
        out.push_back(16);                                         // colours
        out.push_back(0);                                          // reserved
        put16(out, 1);                                             // planes
        put16(out, 4);                                             // bits per pixel
        put32(out, static_cast<std::uint32_t>(blobs[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(blobs[i].size());
    }
    for (const auto& b : blobs) out.insert(out.end(), b.begin(), b.end());
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];

    const Indexed title = quantise(drawTitlePicture(), 256);
    const std::string bmpPath = dir + "/bitmap_1.bmp";
    if (!writeFile(bmpPath, encodeBmp(title, kBmpWidth, kBmpHeight))) {
        std::fprintf(stderr, "cannot write %s\n", bmpPath.c_str());
        return 1;
    }
    const std::string icoPath = dir + "/tenvo.ico";
    if (!writeFile(icoPath, encodeIco({drawIcon(32), drawIcon(16)}))) {
        std::fprintf(stderr, "cannot write %s\n", icoPath.c_str());
        return 1;
    }
    return 0;
}
