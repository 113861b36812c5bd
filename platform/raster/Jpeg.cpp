#include "platform/raster/Jpeg.h"

#include "platform/base/Errors.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg is C: an error must leave it by longjmp, never by a C++ exception
// unwinding through its frames. The code is carried out and raised after.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void onMessage(j_common_ptr) {}

} // namespace

void TJPEGImage::LoadFromStream(QIODevice& stream)
{
    const QByteArray data = stream.readAll();
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    // Locals changed after setjmp and read after longjmp must be volatile.
    volatile bool failed = false;
    volatile int code = 0;
    if (setjmp(errors.escape) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                     static_cast<unsigned long>(data.size()));
        jpeg_read_header(&info, TRUE);
        m_width = int(info.image_width);
        m_height = int(info.image_height);
    } else {
        failed = true;
        code = errors.base.msg_code;
    }
    jpeg_destroy_decompress(&info);
    if (failed)
        throw EditorError(QStringLiteral("JPEG error #%1").arg(int(code)));
}

void registerJpegFormats()
{
    for (const char* extension : {"jpeg", "jpg"})
        TPicture::RegisterFileFormat(QString::fromLatin1(extension), JpegDescription,
                                     [] { return std::make_unique<TJPEGImage>(); });
}

void unregisterJpegFormats()
{
    TPicture::UnregisterFileFormats(JpegDescription);
}
