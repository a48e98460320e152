#include "codec/JpegWriter.h"

#include "codec/JpegWarnings.h"

#include "platform/AtomicFileWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace codec {
namespace {

struct WriterErrors {
    jpeg_error_mgr pub;  // first, so libjpeg's pointer leads back to the record
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Replaces libjpeg's error exit, which would end the program: keeps the message text and goes
// back to the writer's recovery point.
[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<WriterErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

struct Compressor {
    jpeg_compress_struct cinfo{};
    WriterErrors errors{};

    Compressor() {
        cinfo.err = jpeg_std_error(&errors.pub);
        errors.pub.error_exit = JpegErrorExit;
    }
    ~Compressor() { jpeg_destroy_compress(&cinfo); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

// Compressed bytes into memory through a destination manager of our own, in blocks. Growing the
// vector happens inside libjpeg's call, so a failure to grow goes back through libjpeg's error
// exit instead of letting an exception cross the C library.
struct MemoryDestination {
    jpeg_destination_mgr pub;  // first, so libjpeg's pointer leads back to the record
    std::vector<uint8_t>* bytes;
    JOCTET block[16384];
};

MemoryDestination* MemoryOf(j_compress_ptr cinfo) { return reinterpret_cast<MemoryDestination*>(cinfo->dest); }

void StartBlock(j_compress_ptr cinfo) {
    MemoryDestination* dest = MemoryOf(cinfo);
    dest->pub.next_output_byte = dest->block;
    dest->pub.free_in_buffer = sizeof dest->block;
}

bool Keep(j_compress_ptr cinfo, size_t count) {
    MemoryDestination* dest = MemoryOf(cinfo);
    try {
        dest->bytes->insert(dest->bytes->end(), dest->block, dest->block + count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

boolean EmptyBlock(j_compress_ptr cinfo) {
    if (!Keep(cinfo, sizeof MemoryOf(cinfo)->block)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    StartBlock(cinfo);
    return TRUE;
}

void FinishBlocks(j_compress_ptr cinfo) {
    MemoryDestination* dest = MemoryOf(cinfo);
    if (!Keep(cinfo, sizeof dest->block - dest->pub.free_in_buffer)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

// Where the compressed bytes go: a file, or memory.
struct Destination {
    std::FILE* file = nullptr;
    MemoryDestination* memory = nullptr;
};

// Runs entirely under libjpeg's recovery point and creates no C++ objects, so a jump back from
// libjpeg skips no destructor. The row source and the row buffer belong to the caller.
bool Compress(Compressor* c, const Destination* out, int width, int height, int quality,
              const std::function<void(int, uint8_t*)>* fillRow, uint8_t* row, std::vector<std::string>* warnings) {
    j_compress_ptr cinfo = &c->cinfo;
    if (setjmp(c->errors.jump)) return false;
    jpeg_create_compress(cinfo);
    CollectJpegWarnings(reinterpret_cast<j_common_ptr>(cinfo), warnings);
    if (out->file) {
        jpeg_stdio_dest(cinfo, out->file);
    } else {
        out->memory->pub.init_destination = StartBlock;
        out->memory->pub.empty_output_buffer = EmptyBlock;
        out->memory->pub.term_destination = FinishBlocks;
        cinfo->dest = &out->memory->pub;
    }
    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        (*fillRow)(static_cast<int>(cinfo->next_scanline), row);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(cinfo, rows, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

int WriteJpegRows(const std::string& path, int width, int height, int quality,
                  const std::function<void(int y, uint8_t* rgbRow)>& fillRow, std::string* fatalMessage,
                  std::vector<std::string>* warnings) {
    if (fatalMessage) fatalMessage->clear();
    if (!fillRow || width <= 0 || height <= 0) return 0;
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    platform::AtomicFileWriter file;
    if (!file.open(path)) return 0;
    Compressor compressor;
    Destination destination;
    destination.file = file.stream();
    if (!Compress(&compressor, &destination, width, height, quality, &fillRow, row.data(), warnings)) {
        if (fatalMessage) *fatalMessage = compressor.errors.message;
        return 0;  // the writer's destructor removes the partial file
    }
    return file.commit() ? 1 : 0;
}

int EncodeJpegRows(int width, int height, int quality, const std::function<void(int y, uint8_t* rgbRow)>& fillRow,
                   std::vector<uint8_t>& encoded, std::string* fatalMessage, std::vector<std::string>* warnings) {
    encoded.clear();
    if (fatalMessage) fatalMessage->clear();
    if (!fillRow || width <= 0 || height <= 0) return 0;
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    const auto memory = std::make_unique<MemoryDestination>();
    memory->bytes = &encoded;
    Destination destination;
    destination.memory = memory.get();
    Compressor compressor;
    if (!Compress(&compressor, &destination, width, height, quality, &fillRow, row.data(), warnings)) {
        if (fatalMessage) *fatalMessage = compressor.errors.message;
        encoded.clear();
        return 0;
    }
    return 1;
}

int WriteJpegFile(const std::string& path, const uint8_t* rgb, int width, int height, int quality,
                  std::string* fatalMessage, std::vector<std::string>* warnings) {
    if (fatalMessage) fatalMessage->clear();
    if (!rgb || width <= 0 || height <= 0) return 0;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    return WriteJpegRows(
        path, width, height, quality,
        [&](int y, uint8_t* row) { std::memcpy(row, rgb + static_cast<size_t>(y) * rowBytes, rowBytes); },
        fatalMessage, warnings);
}

}  // namespace codec
