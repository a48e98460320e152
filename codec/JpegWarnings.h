#pragma once

#include <string>
#include <vector>

struct jpeg_error_mgr;
struct jpeg_common_struct;

namespace codec {

// libjpeg prints its warnings on the standard error stream, where a desktop user never sees
// them. This hands them to the program instead: once installed on an error manager, every
// message libjpeg would print is formatted and appended to `sink` (a null sink drops them).
// The sink travels in the codec's client_data, so install it after the codec is created and
// leave client_data alone meanwhile.
void CollectJpegWarnings(jpeg_common_struct* codec, std::vector<std::string>* sink);

}  // namespace codec
