// Decoding and encoding JPEG pictures with libjpeg; its errors come back as the program's exceptions.
#include "codecs/JpegImage.h"

#include <csetjmp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>

#include "classlib/runtime/Exceptions.h"

namespace {

// libjpeg ends a failed job through error_exit; it jumps back to the caller here, which raises the
// exception once libjpeg's frames are left.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ExitWithJump(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

[[noreturn]] void Fail(const char* detail)
{
    throw EStreamError(std::string("Image JPEG illisible (") + detail + ").");
}

// Reads the header and, with Rgb given, the pixels. Everything that libjpeg might jump over is plain
// data owned by the caller.
bool RunDecoder(const std::vector<uint8_t>& bytes, int32_t& width, int32_t& height, std::vector<uint8_t>* rgb,
                TJpegError& error)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ExitWithJump;
    error.Manager.output_message = IgnoreMessage;
    error.Message[0] = 0;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxPictureSide ||
        info.image_height > kMaxPictureSide ||
        static_cast<int64_t>(info.image_width) * info.image_height > kMaxPicturePixels) {
        std::snprintf(error.Message, sizeof error.Message, "%ux%u", info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    width = static_cast<int32_t>(info.image_width);
    height = static_cast<int32_t>(info.image_height);
    if (rgb) {
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        size_t stride = static_cast<size_t>(info.output_width) * 3;
        rgb->assign(stride * info.output_height, 0);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = rgb->data() + stride * info.output_scanline;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return true;
}

// Compresses the rows into Out (malloc'ed by libjpeg, freed by the caller).
bool RunEncoder(const std::vector<uint8_t>& rgb, int32_t width, int32_t height, int quality,
                unsigned char*& out, unsigned long& size, TJpegError& error)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ExitWithJump;
    error.Manager.output_message = IgnoreMessage;
    error.Message[0] = 0;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const size_t stride = static_cast<size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(rgb.data()) + stride * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int32_t width, int32_t height, int quality)
{
    if (width <= 0 || height <= 0 ||
        rgb.size() < static_cast<size_t>(width) * 3 * static_cast<size_t>(height))
        Fail("taille");
    unsigned char* out = nullptr;
    unsigned long size = 0;
    TJpegError error;
    const bool ok = RunEncoder(rgb, width, height, std::clamp(quality, 1, 100), out, size, error);
    std::vector<uint8_t> bytes;
    if (ok && out)
        bytes.assign(out, out + size);
    std::free(out);
    if (!ok)
        Fail(error.Message);
    return bytes;
}

void TJPEGImage::LoadFromBytes(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    int32_t width = 0, height = 0;
    TJpegError error;
    if (!RunDecoder(bytes, width, height, nullptr, error))
        Fail(error.Message);
    FBytes = std::move(bytes);
    FWidth = width;
    FHeight = height;
}

void TJPEGImage::Decode(std::vector<uint8_t>& rgb) const
{
    int32_t width = 0, height = 0;
    TJpegError error;
    if (!RunDecoder(FBytes, width, height, &rgb, error)) {
        rgb.clear();
        Fail(error.Message);
    }
}
