#include "PngDecoder.h"

#include <QIODevice>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <png.h>
#include <sys/mman.h>

// libpng reports errors by longjmp. The two functions that call into libpng after setjmp
// (readHeader and readRows) hold no C++ objects and leave nothing behind that a jump would
// skip; the picture they decode into is owned by decodePng, above every jump, so the rows
// decoded before a fault survive it. They are never inlined: what they report goes through
// pointers into decodePng's frame, which a jump leaves intact, whereas locals of the function
// that called setjmp may be lost.

namespace dovra::toolkit {
namespace {

constexpr png_uint_32 kChunkIHDR = 0x49484452;
constexpr png_uint_32 kChunkIEND = 0x49454E44;

// libpng's own row buffers grow with the width, so each side is bounded on its own as well
// as the pixel count.
constexpr png_uint_32 kMaxSide = 1'000'000;
// Ancillary chunks are skipped, never stored, so this bounds the few chunks libpng keeps and
// refuses absurd chunk lengths, while large metadata blocks of ordinary photos still pass.
constexpr png_alloc_size_t kMaxChunkBytes = 32 * 1024 * 1024;
constexpr png_uint_32 kMaxStoredChunks = 32;

// What the read callback learns while libpng reads; plain data that outlives a jump.
struct Source {
    QIODevice* device;
    bool headerAccepted;    // the header chunk was read and passed libpng's checks
    bool endedAtChunkStart; // the file ended where the next chunk should have begun
};

struct Layout {
    png_uint_32 width;
    png_uint_32 height;
    int passes;
};

enum class Header { Readable, WithoutImageData, Unreadable };

void readFromDevice(png_structp png, png_bytep data, size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    const bool chunkStart = (png_get_io_state(png) & PNG_IO_MASK_LOC) == PNG_IO_CHUNK_HDR;
    // libpng asks for the next chunk only after it has handled the previous one.
    if (chunkStart && png_get_io_chunk_type(png) == kChunkIHDR) {
        source->headerAccepted = true;
    }
    const auto wanted = static_cast<qint64>(length);
    if (source->device->read(reinterpret_cast<char*>(data), wanted) != wanted) {
        source->endedAtChunkStart = chunkStart;
        png_error(png, "file ends early");
    }
}

[[noreturn]] void jumpOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void configure(png_structp png) {
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, kMaxStoredChunks);
    // Nothing but the pixels matters here: skip every ancillary chunk, tRNS included, so that
    // palette expansion cannot turn a transparency chunk into an alpha channel.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    static const png_byte transparency[] = {'t', 'R', 'N', 'S', '\0'};
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, transparency, 1);
    png_set_benign_errors(png, 1);
}

// Every pixel becomes four bytes B, G, R, 0xFF: the memory layout of QImage::Format_RGB32.
void requestRgb32(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (depth == 16) {
        png_set_scale_16(png);
    }
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
        png_set_gray_to_rgb(png);
    }
    if ((colourType & PNG_COLOR_MASK_ALPHA) != 0) {
        png_set_strip_alpha(png);
    }
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
}

// Reads everything up to the image data and sets up the transformations.
[[gnu::noinline]] Header readHeader(png_structp png, png_infop info, const Source* source,
                                    std::int64_t maxPixels, Layout* layout) {
    if (setjmp(png_jmpbuf(png))) {
        // The file ended, or its end chunk came, where the image data should have begun: the
        // image data is missing, which counts as damaged image data, not as a bad header.
        if (source->headerAccepted &&
            (source->endedAtChunkStart || png_get_io_chunk_type(png) == kChunkIEND)) {
            layout->width = png_get_image_width(png, info);
            layout->height = png_get_image_height(png, info);
            layout->passes = 0;
            return Header::WithoutImageData;
        }
        return Header::Unreadable;
    }
    configure(png);
    png_read_info(png, info);
    // Refused before libpng sets up its row buffers, let alone the picture.
    if (std::int64_t{png_get_image_width(png, info)} * png_get_image_height(png, info) >
        maxPixels) {
        return Header::Unreadable;
    }
    requestRgb32(png, info);
    layout->passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    layout->width = png_get_image_width(png, info);
    layout->height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{layout->width} * 4) {
        return Header::Unreadable;
    }
    return Header::Readable;
}

// Where the row reading has got to; plain data that outlives a jump.
struct Progress {
    png_uint_32 row; // the row being read; every row above it holds decoded pixels
    bool marked;     // that row carries kUnwritten in its first pixel
};

// libpng writes a row in one piece and always with alpha 0xFF, so a first pixel with alpha 0
// tells that it never got to the row. Marking costs one store per row, where blackening every
// row in advance costs a second pass over the whole picture.
constexpr std::uint32_t kUnwritten = 0;

std::uint32_t* pixels(unsigned char* bits, std::ptrdiff_t bytesPerLine, png_uint_32 y) {
    return reinterpret_cast<std::uint32_t*>(bits + static_cast<std::ptrdiff_t>(y) * bytesPerLine);
}

void blacken(std::uint32_t* row, png_uint_32 width) {
    for (png_uint_32 x = 0; x < width; ++x) {
        row[x] = 0xFF000000;
    }
}

void readAllRows(png_structp png, unsigned char* bits, std::ptrdiff_t bytesPerLine,
                 const Layout* layout, Progress* progress) {
    if (layout->passes == 1) {
        for (png_uint_32 y = 0; y < layout->height; ++y) {
            std::uint32_t* row = pixels(bits, bytesPerLine, y);
            row[0] = kUnwritten;
            *progress = {y, true};
            png_read_row(png, reinterpret_cast<png_bytep>(row), nullptr);
        }
        *progress = {layout->height, false};
        return;
    }
    // Interlaced pictures are read pass by pass into the same rows; libpng writes only the
    // pixels of the current pass, so a row keeps what the earlier passes gave it, and the
    // pixels still to come must be black from the start.
    for (png_uint_32 y = 0; y < layout->height; ++y) {
        blacken(pixels(bits, bytesPerLine, y), layout->width);
    }
    *progress = {layout->height, false};
    for (int pass = 0; pass < layout->passes; ++pass) {
        for (png_uint_32 y = 0; y < layout->height; ++y) {
            png_read_row(png, reinterpret_cast<png_bytep>(pixels(bits, bytesPerLine, y)), nullptr);
        }
    }
}

// Rows decoded before an error stay in `bits`, and `progress` tells how far that got. In an
// interlaced picture that means every pixel of the passes completed before the damage and the
// pixels of the rows of the current pass decoded before it: a coarse version of the picture
// on black, exactly what had been decoded.
[[gnu::noinline]] void readRows(png_structp png, unsigned char* bits, std::ptrdiff_t bytesPerLine,
                                const Layout* layout, Progress* progress) {
    if (setjmp(png_jmpbuf(png))) {
        return;
    }
    readAllRows(png, bits, bytesPerLine, layout, progress);
}

// Touching the fresh pages of a large picture for the first time costs more than decoding
// into them; in huge pages, where the system grants them, it costs a fraction.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

QImage allocatePicture(png_uint_32 width, png_uint_32 height) {
    const auto bytesPerLine = static_cast<qsizetype>(width) * 4;
    const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * height;
    if (bytes < 4 * kHugePage) {
        return QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    }
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) {
        return {};
    }
    madvise(memory, rounded, MADV_HUGEPAGE);
    return QImage(
        static_cast<uchar*>(memory), static_cast<int>(width), static_cast<int>(height),
        bytesPerLine, QImage::Format_RGB32, [](void* block) { std::free(block); }, memory);
}

struct ReadStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStruct() { png_destroy_read_struct(&png, &info, nullptr); }
};

} // namespace

bool hasPngSignature(QByteArrayView head) {
    return head.size() >= 8 &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(head.data()), 0, 8) == 0;
}

QImage decodePng(QIODevice& device, std::int64_t maxPixels) {
    ReadStruct read;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
    if (read.png == nullptr) {
        return {};
    }
    read.info = png_create_info_struct(read.png);
    if (read.info == nullptr) {
        return {};
    }
    Source source{&device, false, false};
    png_set_read_fn(read.png, &source, readFromDevice);

    Layout layout{};
    const Header header = readHeader(read.png, read.info, &source, maxPixels, &layout);
    if (header == Header::Unreadable ||
        std::int64_t{layout.width} * std::int64_t{layout.height} > maxPixels) {
        return {};
    }
    QImage picture = allocatePicture(layout.width, layout.height);
    if (picture.isNull()) {
        return {};
    }
    unsigned char* bits = picture.bits();
    Progress progress{0, false};
    if (header == Header::Readable) {
        readRows(read.png, bits, picture.bytesPerLine(), &layout, &progress);
    }
    png_uint_32 firstBlack = progress.row;
    if (progress.marked && pixels(bits, picture.bytesPerLine(), firstBlack)[0] != kUnwritten) {
        ++firstBlack; // libpng wrote the row, then failed at the end of the image data
    }
    for (png_uint_32 y = firstBlack; y < layout.height; ++y) {
        blacken(pixels(bits, picture.bytesPerLine(), y), layout.width);
    }
    return picture;
}

} // namespace dovra::toolkit
