// tessmet-cli calibrate IMAGE --first X1,Y1,X2,Y2 --second X3,Y3,X4,Y4 --lengths L1,L2
//                      --unit mm|um|inch [--write]
// The interactive calibration run without the mouse: the two objects as their four clicks,
// the lengths as typed into "Input Distance", the solution and its 5 % check; --write stores
// an accepted solution in the picture's calibration file as "Calibration Setup" does on OK.

#include "measure/cli/Arguments.h"
#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/CalibrationFile.h"
#include "measure/core/CalibrationLoader.h"
#include "measure/core/CalibrationSolve.h"
#include "measure/core/ImageLoader.h"
#include "measure/core/LineIntersection.h"
#include "measure/workspace/CalibrationLines.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tessmet::cli {

int RunCalibrate(const Args& args) {
    std::string image;
    std::vector<int> first, second;
    std::vector<double> lengths;
    UnitType unit = -1;
    bool write = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--first") {
            first = ParseIntegers(arg, value(), 4);
        } else if (arg == "--second") {
            second = ParseIntegers(arg, value(), 4);
        } else if (arg == "--lengths") {
            lengths = ParseNumbers(arg, value(), 2);
        } else if (arg == "--unit") {
            unit = ParseUnit(value());
            if (unit < Unit::Millimetre || unit > Unit::Inch) throw UsageError{"a calibration runs in mm, um or inch"};
        } else if (arg == "--write") {
            write = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (image.empty()) {
            image = arg;
        } else {
            throw UsageError{"more than one image given"};
        }
    }
    if (image.empty()) throw UsageError{"no image given"};
    if (first.empty() || second.empty()) throw UsageError{"--first and --second are needed"};
    if (lengths.empty()) throw UsageError{"--lengths is needed"};
    if (unit < 0) throw UsageError{"--unit is needed"};

    ImageSet images;
    Calibration opened;
    if (const int refused = LoadImage(image, images, opened); refused != 0) return PrintError(refused);
    Calibration calibration;
    InitialiseCalibration(calibration, image, images.width(), images.height());

    // The clicks as the view takes them: inside the image, none on a point already placed, and
    // the fourth refused when the objects are parallel or meet at too small an angle.
    const std::array<Point, 4> p{Point{first[0], first[1]}, Point{first[2], first[3]}, Point{second[0], second[1]},
                                 Point{second[2], second[3]}};
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i].x < 0 || p[i].y < 0 || p[i].x >= images.width() || p[i].y >= images.height())
            return Refuse("point outside the image");
        if (std::find(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(i), p[i]) != p.begin() + static_cast<std::ptrdiff_t>(i))
            return Refuse("duplicate point");
    }
    if (LinesParallel(p[0], p[1], p[2], p[3])) return Refuse("lines are parallel");
    if (!CalibrationPointAccepted(std::span<const Point>(p).first(3), p[3], AspectRatio(calibration.values())))
        return Refuse("angle too small");
    // "Input Distance" does not close on a zero.
    if (lengths[0] == 0.0 || lengths[1] == 0.0) return Refuse("zero distance");

    const CalibrationOutcome outcome = EvaluateCalibration(p, unit, lengths[0], lengths[1]);
    if (write && outcome.accepted &&
        !WriteCalibrationFile(calibration.infPath, unit, outcome.solution.h, outcome.solution.v)) {
        return Refuse("cannot write " + calibration.infPath);
    }
    JsonObject json;
    json.add("case", outcome.solution.caseNumber)
        .add("hResolution", outcome.solution.h)
        .add("vResolution", outcome.solution.v)
        .addRaw("accepted", outcome.accepted ? "true" : "false");
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
