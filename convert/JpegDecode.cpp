#include "convert/JpegDecode.h"

#include "convert/ImageMemory.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace tg {

namespace {

struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

// Warnings (a truncated file, say) are not printed; the decoder goes on as
// Qt's reader does.
void Silent(j_common_ptr) {}

enum class Outcome { Decoded, Failed, LeftToQt };

// Everything that a longjmp may leave lives outside this frame.
Outcome Decode(jpeg_decompress_struct& info, ErrorManager& errors, const QByteArray& bytes,
               int scale, QImage& out) {
    if (setjmp(errors.Jump) != 0)
        return Outcome::Failed;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
        return Outcome::LeftToQt;
    info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = unsigned(scale);
    jpeg_start_decompress(&info);
    out = NewRgb888(int(info.output_width), int(info.output_height));
    if (out.isNull()) {
        std::snprintf(errors.Message, sizeof errors.Message, "out of memory");
        return Outcome::Failed;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[16];
        const int first = int(info.output_scanline);
        const int count = std::min<int>(16, int(info.output_height) - first);
        for (int i = 0; i < count; ++i)
            rows[i] = out.scanLine(first + i);
        jpeg_read_scanlines(&info, rows, JDIMENSION(count));
    }
    jpeg_finish_decompress(&info);
    return Outcome::Decoded;
}

} // namespace

std::optional<JpegDecode> DecodeJpeg(const QByteArray& bytes, int scale) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ErrorExit;
    errors.Base.output_message = Silent;
    errors.Message[0] = '\0';
    jpeg_create_decompress(&info);
    JpegDecode result;
    const Outcome outcome = Decode(info, errors, bytes, scale, result.Image);
    jpeg_destroy_decompress(&info);
    if (outcome == Outcome::LeftToQt)
        return std::nullopt;
    if (outcome == Outcome::Failed) {
        result.Image = QImage();
        result.Error = QString::fromLocal8Bit(errors.Message);
    }
    return result;
}

} // namespace tg
