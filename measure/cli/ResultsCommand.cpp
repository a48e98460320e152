// tessmet-cli results IMAGE --measure KIND X,Y ... [--measure KIND X,Y ...] --csv OUT.csv
// Makes the measurements on IMAGE with its own calibration (as Tessmet sets it up on opening),
// keeps them in a store as the view does and writes the result list's CSV export.

#include "measure/cli/Arguments.h"
#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/CalibrationLoader.h"
#include "measure/core/GraphicStore.h"
#include "measure/core/ImageLoader.h"
#include "measure/core/MeasureResultTable.h"
#include "platform/AtomicFile.h"

#include <cstdio>

namespace tessmet::cli {
namespace {

struct Request {
    const MeasureKindInfo* kind = nullptr;
    std::vector<Point> points;
};

// The store of one image window: the oldest object goes when a 65th arrives.
constexpr int kStoreCapacity = 64;

}  // namespace

int RunResults(const Args& args) {
    std::string image;
    std::string csvPath;
    std::vector<Request> requests;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--measure") {
            requests.push_back({&ParseKind(value()), {}});
        } else if (arg == "--csv") {
            csvPath = value();
        } else if (arg.size() > 1 && arg[0] == '-' && arg.find(',') == std::string::npos) {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (arg.find(',') != std::string::npos && !requests.empty()) {
            requests.back().points.push_back(ParsePoint(arg));
        } else if (image.empty() && requests.empty()) {
            image = arg;
        } else {
            throw UsageError{"unexpected argument '" + arg + "'"};
        }
    }
    if (image.empty()) throw UsageError{"no image given"};
    if (csvPath.empty()) throw UsageError{"no --csv file given"};

    ImageSet images;
    Calibration opened;
    if (const int refused = LoadImage(image, images, opened); refused != 0) return PrintError(refused);
    Calibration calibration;
    InitialiseCalibration(calibration, image, images.width(), images.height());

    CGraphicStore store(kStoreCapacity);
    for (const Request& request : requests) {
        Measurement m;
        if (const std::optional<std::string> refusal =
                MeasureFromClicks(*request.kind, request.points, images.width(), images.height(), calibration.values(), m))
            return Refuse(*refusal);
        store.Add(m.kind, EncodeRecord(m));
    }

    const std::string csv = MeasureResultCsv(store, calibration.values());
    if (!platform::WriteFileAtomically(csvPath, csv)) return Refuse("cannot write " + csvPath);
    int lines = 0;
    for (const char c : csv) lines += c == '\r';
    std::printf("%s\n", JsonObject().add("records", lines).add("bytes", static_cast<int>(csv.size())).str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
