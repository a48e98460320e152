#include "codec/JpegWarnings.h"

#include <cstdio>

#include <jpeglib.h>

namespace codec {
namespace {

void AppendWarning(j_common_ptr codec) {
    auto* sink = static_cast<std::vector<std::string>*>(codec->client_data);
    if (!sink) return;
    char text[JMSG_LENGTH_MAX];
    (*codec->err->format_message)(codec, text);
    sink->emplace_back(text);
}

}  // namespace

void CollectJpegWarnings(jpeg_common_struct* codec, std::vector<std::string>* sink) {
    codec->client_data = sink;
    codec->err->output_message = AppendWarning;
}

}  // namespace codec
