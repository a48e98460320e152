#include "codec/JpegReader.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace codec {
namespace {

constexpr uint64_t kMaxPixelsPerFileByte = 1024;
constexpr long kDecoderMemoryLimit = 512L << 20;
constexpr int kMaxScans = 500;
// Files up to this size are read whole for a scaled decode.
constexpr uint64_t kWholeFileLimit = 64u << 20;

// libjpeg reports to the error manager it was given; ours sits first in this record, so the
// callbacks find the jump point and the flags from the pointer libjpeg hands them.
struct ReaderErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool multiScan;     // the picture comes in several scans (progressive, or one per component)
    bool endOfFile;     // the data ran out; libjpeg carries on as if the end marker had come
    bool rowsComplete;  // every row has been decoded; only the end marker is still to come
};

ReaderErrors* ErrorsOf(j_common_ptr cinfo) { return reinterpret_cast<ReaderErrors*>(cinfo->err); }

[[noreturn]] void OnFatalError(j_common_ptr cinfo) { std::longjmp(ErrorsOf(cinfo)->jump, 1); }

// Warnings are dropped, so a slightly damaged file still opens, except those of a file that
// ends before its picture does: libjpeg would fill the missing part with grey. The end of the
// file alone is no proof of that: a single-scan decoder reads ahead and meets the end of a file
// that lacks only its end marker. Missing data show as a further warning (the decoder hitting
// the end while it still needs bits); in a file of several scans, any early end loses a scan.
void OnMessage(j_common_ptr cinfo, int level) {
    ReaderErrors* errors = ErrorsOf(cinfo);
    if (level >= 0 || errors->rowsComplete) return;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) {
        errors->endOfFile = true;
        if (errors->multiScan) std::longjmp(errors->jump, 1);
    } else if (errors->endOfFile) {
        std::longjmp(errors->jump, 1);
    }
}

// A progressive file can repeat scans without end and make each one walk the whole picture.
void OnProgress(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        std::longjmp(ErrorsOf(cinfo)->jump, 1);
}

struct CoverSize {
    int width;
    int height;
    PictureSize* fullSize;  // receives the size in the file when the decode succeeds; may be null
};

struct JpegInput {
    std::FILE* file = nullptr;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// Owns libjpeg's state; destroying a never-created or half-created object is safe.
struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ReaderErrors errors{};
    jpeg_progress_mgr progress{};

    Decompressor() {
        cinfo.err = jpeg_std_error(&errors.pub);
        errors.pub.error_exit = OnFatalError;
        errors.pub.emit_message = OnMessage;
        progress.progress_monitor = OnProgress;
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

// The two steps that run inside libjpeg each set their own jump point and hold no C++ objects,
// so a jump back from libjpeg skips no destructor. The bitmap is allocated between them.
bool ReadHeader(Decompressor* d, const JpegInput* input, const CoverSize* cover, bool* cmyk) {
    j_decompress_ptr cinfo = &d->cinfo;
    if (setjmp(d->errors.jump)) return false;
    jpeg_create_decompress(cinfo);
    cinfo->progress = &d->progress;
    cinfo->mem->max_memory_to_use = kDecoderMemoryLimit;
    if (input->file) {
        jpeg_stdio_src(cinfo, input->file);
    } else {
        jpeg_mem_src(cinfo, input->data, static_cast<unsigned long>(input->size));
    }
    jpeg_read_header(cinfo, TRUE);
    d->errors.multiScan = jpeg_has_multiple_scans(cinfo);
    // libjpeg turns YCCK into CMYK but has no conversion from CMYK to colour; that is ours.
    *cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = *cmyk ? JCS_CMYK : JCS_EXT_BGR;
    if (cover) {
        cinfo->scale_num = static_cast<unsigned>(
            JpegScaleEighths(cinfo->image_width, cinfo->image_height, cover->width, cover->height));
        cinfo->scale_denom = 8;
    }
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

uint8_t Product(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// Files with an Adobe marker store CMYK inverted (0 is full ink), the others as plain ink.
void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, unsigned width, bool inverted) {
    for (unsigned x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned c = inverted ? cmyk[0] : 255u - cmyk[0];
        const unsigned m = inverted ? cmyk[1] : 255u - cmyk[1];
        const unsigned y = inverted ? cmyk[2] : 255u - cmyk[2];
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        bgr[0] = Product(y, k);
        bgr[1] = Product(m, k);
        bgr[2] = Product(c, k);
    }
}

bool DecodeRows(Decompressor* d, Dib* picture, uint8_t* cmykRow) {
    j_decompress_ptr cinfo = &d->cinfo;
    if (setjmp(d->errors.jump)) return false;
    jpeg_start_decompress(cinfo);
    const int components = cmykRow ? 4 : 3;
    if (cinfo->output_components != components || cinfo->output_width != static_cast<JDIMENSION>(picture->width()) ||
        cinfo->output_height != static_cast<JDIMENSION>(picture->height()))
        return false;
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* target = picture->row(static_cast<int>(cinfo->output_scanline));
        JSAMPROW row = cmykRow ? cmykRow : target;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
        if (cmykRow) CmykRowToBgr(cmykRow, target, cinfo->output_width, cinfo->saw_Adobe_marker);
    }
    d->errors.rowsComplete = true;
    jpeg_finish_decompress(cinfo);
    return true;
}

ReadStatus FailureStatus(const Decompressor& d) {
    const int code = d.errors.pub.msg_code;
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE || code == JERR_IMAGE_TOO_BIG)
        return ReadStatus::TooLarge;
    return ReadStatus::Corrupt;
}

ReadStatus Decode(const JpegInput& input, uint64_t inputSize, const CoverSize* cover, Dib& picture) {
    Decompressor d;
    bool cmyk = false;
    if (!ReadHeader(&d, &input, cover, &cmyk)) return FailureStatus(d);

    // The plausibility of the size is judged on the size the file claims, whatever the scale.
    const uint64_t claimed = uint64_t{d.cinfo.image_width} * uint64_t{d.cinfo.image_height};
    const uint64_t width = d.cinfo.output_width;
    const uint64_t height = d.cinfo.output_height;
    if (width == 0 || height == 0) return ReadStatus::Corrupt;
    if (width > INT_MAX || height > INT_MAX) return ReadStatus::TooLarge;
    if (claimed > inputSize * kMaxPixelsPerFileByte) return ReadStatus::TooLarge;
    const int stride = Dib::StrideFor(static_cast<int>(width), 24);
    if (stride <= 0 || static_cast<uint64_t>(stride) * height > Dib::kMaxBytes) return ReadStatus::TooLarge;

    Dib result;
    std::vector<uint8_t> cmykRow;
    try {
        result = Dib(static_cast<int>(width), static_cast<int>(height), 24);
        if (cmyk) cmykRow.resize(static_cast<size_t>(width) * 4);
    } catch (const std::bad_alloc&) {
        return ReadStatus::TooLarge;
    }
    if (result.isNull()) return ReadStatus::TooLarge;

    if (!DecodeRows(&d, &result, cmyk ? cmykRow.data() : nullptr)) return FailureStatus(d);
    picture = std::move(result);
    if (cover && cover->fullSize)
        *cover->fullSize = PictureSize{static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
    return ReadStatus::Ok;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

ReadStatus DecodeMemory(const uint8_t* data, size_t size, const CoverSize* cover, Dib& picture) {
    if (!data || size == 0) return ReadStatus::UnknownFormat;
    JpegInput input;
    input.data = data;
    input.size = size;
    return Decode(input, size, cover, picture);
}

ReadStatus DecodeFile(const std::string& path, const CoverSize* cover, Dib& picture) {
    if (path.empty()) return ReadStatus::CannotOpen;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return ReadStatus::CannotOpen;
    struct stat st{};
    if (::fstat(::fileno(file.get()), &st) != 0 || !S_ISREG(st.st_mode)) return ReadStatus::CannotOpen;
    if (st.st_size == 0) return ReadStatus::UnknownFormat;
    const auto size = static_cast<uint64_t>(st.st_size);
    // A thumbnail's file is read in one go: libjpeg's quicker Huffman path only runs while a
    // few kilobytes of data wait in its buffer, which the stdio source's 4 KB rarely holds, so
    // the whole file in memory decodes about an eighth faster. Full decodes keep the stdio
    // source, which needs no copy of a large file.
    if (cover && size <= kWholeFileLimit) {
        std::vector<uint8_t> bytes;
        try {
            bytes.resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            return ReadStatus::TooLarge;
        }
        if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return ReadStatus::Corrupt;
        JpegInput input;
        input.data = bytes.data();
        input.size = bytes.size();
        return Decode(input, size, cover, picture);
    }
    JpegInput input;
    input.file = file.get();
    return Decode(input, size, cover, picture);
}

}  // namespace

int JpegScaleEighths(uint64_t width, uint64_t height, int coverWidth, int coverHeight) {
    const auto covers = [](uint64_t size, int eighths, int wanted) {
        return wanted <= 0 || (size * static_cast<uint64_t>(eighths) + 7) / 8 >= static_cast<uint64_t>(wanted);
    };
    for (int eighths = 1; eighths < 8; ++eighths)
        if (covers(width, eighths, coverWidth) && covers(height, eighths, coverHeight)) return eighths;
    return 8;
}

ReadStatus DecodeJpeg(const uint8_t* data, size_t size, Dib& picture) {
    return DecodeMemory(data, size, nullptr, picture);
}

ReadStatus ReadJpegFile(const std::string& path, Dib& picture) { return DecodeFile(path, nullptr, picture); }

ReadStatus DecodeJpegCovering(const uint8_t* data, size_t size, int coverWidth, int coverHeight, Dib& picture) {
    const CoverSize cover{coverWidth, coverHeight, nullptr};
    return DecodeMemory(data, size, &cover, picture);
}

ReadStatus ReadJpegFileCovering(const std::string& path, int coverWidth, int coverHeight, Dib& picture,
                                PictureSize* fullSize) {
    const CoverSize cover{coverWidth, coverHeight, fullSize};
    return DecodeFile(path, &cover, picture);
}

}  // namespace codec
