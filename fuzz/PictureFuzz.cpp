// Picture intake from bytes, as the window takes a picture: the size check
// before decoding, the flattening to 24-bit colour, the pyramid and the
// working image. What must hold: no crash, no hang, memory within the
// bounds, and a working image of the size the window would give.
#include "convert/Picture.h"
#include "convert/Render.h"
#include "convert/Resample.h"
#include "convert/WorkLimit.h"

#include <QBuffer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>

namespace {

// Keeps one fuzzing process within libFuzzer's memory limit; the window's
// own bound is 400 megapixels.
constexpr qint64 MaxFuzzPixels = 16'000'000;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

QSize WindowWorkSize(QSize picture) {
    const int width = std::clamp(picture.width(), 10, 300);
    return {width, tg::WorkHeight(width, picture.width(), picture.height())};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    tg::SetImageAllocationLimit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    tg::PictureRequest request;
    QSize asked;
    request.Refusal = [&](QSize picture) {
        asked = picture;
        if (qint64(picture.width()) * picture.height() > MaxFuzzPixels)
            return QStringLiteral("too large for fuzzing");
        return tg::WorkSizeRefusal(WindowWorkSize(picture));
    };
    const tg::PictureLoad load = tg::LoadPicture(device, QStringLiteral("picture"), request);
    if (!load.Ok()) {
        Check(load.Image.isNull(), "a refused picture has no pixels");
        return 0;
    }
    Check(load.Image.format() == QImage::Format_RGB888, "the picture is RGB888");
    Check(load.Image.size() == load.FullSize, "the full size is the picture's");
    Check(asked == load.Image.size(), "the size checked is the size decoded");
    const QSize work = WindowWorkSize(load.Image.size());
    Check(tg::WorkSizeFits(work), "the working image is within its bounds");
    const tg::ImagePyramid pyramid(load.Image);
    const QImage image = pyramid.Resample(work.width(), work.height());
    Check(image.size() == work, "the working image has the window's size");
    const tg::ArtText art = tg::RenderArtText(image, QStringLiteral("#MHOKLwaso*,. "), false);
    Check(art.Lines.size() == work.height(), "one line a row");
    return 0;
}
