#include "output/ImageWriter.h"

#include "common/AppError.h"
#include "common/SafeFile.h"
#include "output/OutputTypes.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <gif_lib.h>
#include <vector>

namespace tg {

QByteArray ImageFormatFor(const QString& path) {
    const QString withDot = ReplaceExtension(path, QString());
    if (withDot.size() >= path.size())
        return {};
    const QByteArray extension = path.mid(withDot.size() + 1).toLower().toLatin1();
    if (extension.isEmpty())
        return {};
    if (extension == "jpg" || extension == "jpeg" || extension == "jpe" || extension == "jif")
        return "jpeg";
    if (extension == "gif")
        return "gif";
    if (QImageWriter::supportedImageFormats().contains(extension))
        return extension;
    return {};
}

QByteArray EncodeImage(const QImage& image, const QByteArray& format) {
    if (format.isEmpty() || image.isNull())
        return {};
    if (format == "gif")
        return EncodeGif(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return {};
    return bytes;
}

namespace {

using Rgb = std::array<int, 3>;

// One box of the colour space for the median cut: a range of histogram
// entries, sorted along the axis it was last cut on.
struct Box {
    size_t Begin, End;
    long long Weight;
};

struct Entry {
    Rgb Color;
    long long Count;
};

std::vector<Rgb> MedianCut(std::vector<Entry>& entries, size_t colours) {
    std::vector<Box> boxes;
    long long total = 0;
    for (const Entry& e : entries)
        total += e.Count;
    boxes.push_back({0, entries.size(), total});
    const auto extent = [&](const Box& box, int& axis) {
        Rgb low{255, 255, 255}, high{0, 0, 0};
        for (size_t i = box.Begin; i < box.End; ++i)
            for (int c = 0; c < 3; ++c) {
                low[c] = std::min(low[c], entries[i].Color[c]);
                high[c] = std::max(high[c], entries[i].Color[c]);
            }
        int best = -1;
        for (int c = 0; c < 3; ++c)
            if (high[c] - low[c] > best) {
                best = high[c] - low[c];
                axis = c;
            }
        return best;
    };
    while (boxes.size() < colours) {
        // Cut the box that holds the most pixels among those that can be cut,
        // weighted by its spread, along its widest axis at the weighted median.
        int chosen = -1, axis = 0;
        double score = -1;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].End - boxes[b].Begin < 2)
                continue;
            int a = 0;
            const int spread = extent(boxes[b], a);
            const double s = double(boxes[b].Weight) * spread;
            if (spread > 0 && s > score) {
                score = s;
                chosen = int(b);
                axis = a;
            }
        }
        if (chosen < 0)
            break;
        Box box = boxes[size_t(chosen)];
        std::sort(entries.begin() + long(box.Begin), entries.begin() + long(box.End),
                  [axis](const Entry& a, const Entry& b) { return a.Color[axis] < b.Color[axis]; });
        long long running = 0;
        size_t cut = box.Begin;
        while (cut < box.End - 1 && running + entries[cut].Count <= box.Weight / 2)
            running += entries[cut++].Count;
        if (cut == box.Begin) {
            running += entries[cut].Count;
            ++cut;
        }
        boxes[size_t(chosen)] = {box.Begin, cut, running};
        boxes.push_back({cut, box.End, box.Weight - running});
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes) {
        double sum[3] = {0, 0, 0};
        for (size_t i = box.Begin; i < box.End; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += double(entries[i].Color[c]) * double(entries[i].Count);
        const double w = std::max<long long>(1, box.Weight);
        palette.push_back({int(sum[0] / w + 0.5), int(sum[1] / w + 0.5), int(sum[2] / w + 0.5)});
    }
    return palette;
}

// The palette entry nearest to a colour, weighted towards green as the eye is.
int Nearest(const std::vector<Rgb>& palette, const Rgb& colour) {
    int best = 0;
    long long bestDistance = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        const long long dr = colour[0] - palette[i][0], dg = colour[1] - palette[i][1],
                        db = colour[2] - palette[i][2];
        const long long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

// Moves every palette colour to the mean of the colours nearest to it.
void Refine(std::vector<Rgb>& palette, const std::vector<Entry>& entries) {
    std::vector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
    for (const Entry& e : entries) {
        auto& sum = sums[size_t(Nearest(palette, e.Color))];
        for (int c = 0; c < 3; ++c)
            sum[size_t(c)] += double(e.Color[size_t(c)]) * double(e.Count);
        sum[3] += double(e.Count);
    }
    for (size_t i = 0; i < palette.size(); ++i)
        if (sums[i][3] > 0)
            palette[i] = {int(sums[i][0] / sums[i][3] + 0.5), int(sums[i][1] / sums[i][3] + 0.5),
                          int(sums[i][2] / sums[i][3] + 0.5)};
}

int WriteToBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

} // namespace

QByteArray EncodeGif(const QImage& source) {
    if (source.isNull() || source.width() > 65535 || source.height() > 65535)
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width(), height = image.height();

    // The colours and how often each occurs.
    QHash<quint32, long long> counts;
    for (int y = 0; y < height; ++y) {
        const uchar* p = image.constScanLine(y);
        for (int x = 0; x < width; ++x, p += 3)
            ++counts[(quint32(p[0]) << 16) | (quint32(p[1]) << 8) | p[2]];
    }
    std::vector<Rgb> palette;
    QHash<quint32, int> index; // colour to palette entry
    if (counts.size() <= 256) {
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            index.insert(it.key(), int(palette.size()));
            palette.push_back(
                {int(it.key() >> 16), int((it.key() >> 8) & 0xFF), int(it.key() & 0xFF)});
        }
    } else {
        std::vector<Entry> entries;
        entries.reserve(size_t(counts.size()));
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            entries.push_back(
                {{int(it.key() >> 16), int((it.key() >> 8) & 0xFF), int(it.key() & 0xFF)},
                 it.value()});
        palette = MedianCut(entries, 256);
        for (int pass = 0; pass < 3; ++pass)
            Refine(palette, entries);
        for (const Entry& e : entries)
            index.insert((quint32(e.Color[0]) << 16) | (quint32(e.Color[1]) << 8) |
                             quint32(e.Color[2]),
                         Nearest(palette, e.Color));
    }

    int bits = 1;
    while ((1 << bits) < int(palette.size()))
        ++bits;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (map == nullptr)
        return {};
    for (int i = 0; i < (1 << bits); ++i) {
        const Rgb c = size_t(i) < palette.size() ? palette[size_t(i)] : Rgb{0, 0, 0};
        map->Colors[i] = {GifByteType(c[0]), GifByteType(c[1]), GifByteType(c[2])};
    }

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteToBytes, &error);
    if (gif == nullptr) {
        GifFreeMapObject(map);
        return {};
    }
    bool ok = EGifPutScreenDesc(gif, width, height, bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        const uchar* p = image.constScanLine(y);
        for (int x = 0; x < width; ++x, p += 3)
            line[size_t(x)] =
                GifPixelType(index.value((quint32(p[0]) << 16) | (quint32(p[1]) << 8) | p[2]));
        ok = EGifPutLine(gif, line.data(), width) == GIF_OK;
    }
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    return ok ? bytes : QByteArray();
}

void SaveImage(const QImage& image, const QString& path) {
    const QByteArray format = ImageFormatFor(path);
    if (format.isEmpty())
        throw AppError(QStringLiteral("Cannot save image: unknown file type"));
    const QByteArray bytes = EncodeImage(image, format);
    if (bytes.isEmpty())
        throw AppError(FormatMessage(QStringLiteral("Cannot create file %s"), path));
    WriteFileAtomic(path, bytes);
}

} // namespace tg
