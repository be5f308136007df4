#include "imagefile/ColourQuantiser.h"

#include "imagefile/ExactColours.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace tessaly {

namespace {

// The histogram keeps 6 bits a channel: fine enough for gradients, small enough (262,144
// bins) to scan quickly. Each bin also keeps the exact sums of its colours.
constexpr int BinBits = 6;
constexpr int BinCount = 1 << (3 * BinBits);
constexpr int RefineRounds = 2;

inline int binOf(QRgb pixel)
{
    constexpr int drop = 8 - BinBits;
    return ((qRed(pixel) >> drop) << (2 * BinBits)) | ((qGreen(pixel) >> drop) << BinBits) |
           (qBlue(pixel) >> drop);
}

struct Stats
{
    std::uint64_t count = 0;
    std::uint64_t r = 0;
    std::uint64_t g = 0;
    std::uint64_t b = 0;
    std::uint64_t sq = 0; // sum of r^2 + g^2 + b^2

    void add(QRgb pixel)
    {
        const std::uint64_t pr = qRed(pixel), pg = qGreen(pixel), pb = qBlue(pixel);
        ++count;
        r += pr;
        g += pg;
        b += pb;
        sq += pr * pr + pg * pg + pb * pb;
    }
    void add(const Stats &o)
    {
        count += o.count;
        r += o.r;
        g += o.g;
        b += o.b;
        sq += o.sq;
    }
    Stats minus(const Stats &o) const
    {
        return {count - o.count, r - o.r, g - o.g, b - o.b, sq - o.sq};
    }
    // Sum of squared distances of the colours from their mean.
    double error() const
    {
        if (count == 0)
            return 0.0;
        const double n = double(count);
        const double dr = double(r), dg = double(g), db = double(b);
        return double(sq) - (dr * dr + dg * dg + db * db) / n;
    }
    std::uint64_t channel(int c) const { return c == 0 ? r : c == 1 ? g : b; }
    QRgb mean() const
    {
        const auto avg = [this](std::uint64_t sum) { return int((sum + count / 2) / count); };
        return qRgb(avg(r), avg(g), avg(b));
    }
};

struct Box
{
    std::size_t begin;
    std::size_t end;
    Stats stats;
};

inline int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int nearest(QRgb colour, const std::vector<QRgb> &palette)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int d = distance(colour, palette[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
            if (d == 0)
                break;
        }
    }
    return best;
}

// One histogram bin that holds colours, with its mean.
struct Entry
{
    int bin;
    Stats stats;
    QRgb mean;
};

void splitBox(std::vector<Entry> &entries, const Box &box, Box &low, Box &high)
{
    // Cut across the channel with the widest spread.
    const double n = double(box.stats.count);
    int axis = 0;
    double widest = -1.0;
    for (int c = 0; c < 3; ++c) {
        const double mean = double(box.stats.channel(c)) / n;
        double spread = 0.0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            const Stats &s = entries[i].stats;
            const double d = double(s.channel(c)) / double(s.count) - mean;
            spread += double(s.count) * d * d;
        }
        if (spread > widest) {
            widest = spread;
            axis = c;
        }
    }
    // Order by the entries' exact means along that channel (cross-multiplied, no rounding).
    std::sort(entries.begin() + std::ptrdiff_t(box.begin),
              entries.begin() + std::ptrdiff_t(box.end), [axis](const Entry &a, const Entry &b) {
                  return a.stats.channel(axis) * b.stats.count <
                         b.stats.channel(axis) * a.stats.count;
              });
    // Cut where the two halves together keep the least squared error.
    Stats left;
    Stats bestLeft;
    std::size_t bestCut = box.begin + 1;
    double bestError = std::numeric_limits<double>::max();
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        left.add(entries[i].stats);
        const double error = left.error() + box.stats.minus(left).error();
        if (error < bestError) {
            bestError = error;
            bestCut = i + 1;
            bestLeft = left;
        }
    }
    low = {box.begin, bestCut, bestLeft};
    high = {bestCut, box.end, box.stats.minus(bestLeft)};
}

std::vector<QRgb> medianCut(std::vector<Entry> &entries, int maxColours)
{
    Stats all;
    for (const Entry &e : entries)
        all.add(e.stats);
    std::vector<Box> boxes{{0, entries.size(), all}};
    while (int(boxes.size()) < maxColours) {
        std::size_t worst = boxes.size();
        double worstError = 0.0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const double error = boxes[i].stats.error();
            if (boxes[i].end - boxes[i].begin > 1 && error > worstError) {
                worstError = error;
                worst = i;
            }
        }
        if (worst == boxes.size())
            break; // every box is a single bin or a single colour
        Box low{}, high{};
        splitBox(entries, boxes[worst], low, high);
        boxes[worst] = low;
        boxes.push_back(high);
    }
    std::vector<QRgb> palette;
    palette.reserve(boxes.size());
    for (const Box &box : boxes)
        palette.push_back(box.stats.mean());
    return palette;
}

// Lloyd rounds: each entry goes to its nearest colour, each colour to its entries' mean.
void refine(const std::vector<Entry> &entries, std::vector<QRgb> &palette)
{
    for (int round = 0; round < RefineRounds; ++round) {
        std::vector<Stats> clusters(palette.size());
        for (const Entry &e : entries)
            clusters[std::size_t(nearest(e.mean, palette))].add(e.stats);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            if (clusters[i].count > 0)
                palette[i] = clusters[i].mean();
        }
    }
}

QImage indexedImage(QSize size, const std::vector<QRgb> &palette)
{
    QImage out(size, QImage::Format_Indexed8);
    if (out.isNull())
        return out;
    out.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    return out;
}

} // namespace

ColourQuantiser::ColourQuantiser(int maxColours) : m_maxColours(std::clamp(maxColours, 2, 256)) {}

QImage ColourQuantiser::quantise(const QImage &source) const
{
    if (source.isNull())
        return {};
    const QImage image =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();

    std::vector<Stats> histogram(BinCount);
    ExactColours exact(m_maxColours);
    for (int y = 0; y < height; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb last = ~row[0];
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = row[x] | 0xff000000u;
            histogram[std::size_t(binOf(pixel))].add(pixel);
            if (pixel != last) {
                exact.add(pixel);
                last = pixel;
            }
        }
    }

    if (!exact.overflowed()) {
        QImage out = indexedImage(image.size(), exact.colours());
        if (out.isNull())
            return out;
        for (int y = 0; y < height; ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            uchar *dst = out.scanLine(y);
            for (int x = 0; x < width; ++x)
                dst[x] = uchar(exact.indexOf(row[x] | 0xff000000u));
        }
        return out;
    }

    std::vector<Entry> entries;
    for (int bin = 0; bin < BinCount; ++bin) {
        const Stats &s = histogram[std::size_t(bin)];
        if (s.count > 0)
            entries.push_back({bin, s, s.mean()});
    }
    histogram.clear();
    histogram.shrink_to_fit();

    std::vector<QRgb> palette = medianCut(entries, m_maxColours);
    refine(entries, palette);

    std::vector<uchar> lookup(BinCount, 0);
    for (const Entry &e : entries)
        lookup[std::size_t(e.bin)] = uchar(nearest(e.mean, palette));

    QImage out = indexedImage(image.size(), palette);
    if (out.isNull())
        return out;
    for (int y = 0; y < height; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < width; ++x)
            dst[x] = lookup[std::size_t(binOf(row[x]))];
    }
    return out;
}

} // namespace tessaly
