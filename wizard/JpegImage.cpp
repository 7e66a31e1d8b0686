#include "wizard/JpegImage.h"

#include "base/Exception.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void LeaveDecoder(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

// A damaged picture is refused rather than shown half grey: libjpeg's
// warnings (level -1) end the decoding like its errors.
void StrictMessage(j_common_ptr info, int level)
{
    if (level < 0)
        LeaveDecoder(info);
}

// Decodes into image; returns false with the message in error on failure.
// Only plain C objects live in this frame, since libjpeg leaves it by longjmp.
bool Decode(const unsigned char* data, unsigned long size, QImage& image, TJpegError& error)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = LeaveDecoder;
    error.Manager.emit_message = StrictMessage;
    error.Message[0] = '\0';
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    if (data.isEmpty())
        throw Exception("JPEG image is empty");
    QImage image;
    TJpegError error;
    if (!Decode(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()),
                image, error))
        throw Exception(std::string("JPEG error: ") + error.Message);
    return image;
}
