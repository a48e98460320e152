#include "platform/AtomicFile.h"

#include "platform/AtomicFileWriter.h"

namespace platform {

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    if (!writer.open(path)) return false;
    if (!writer.write(bytes)) return false;
    return writer.commit();
}

}  // namespace platform
