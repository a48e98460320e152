// tessmet-cli binarise | centre | grey | colour: the image-processing commands on one picture,
// inside a region of interest given as in the mouse tools, with the default processing colour
// (the default of "IP-Color", green).

#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/RegionOfInterest.h"
#include "measure/core/TessmetDoc.h"
#include "measure/core/UnitFormat.h"
#include "codec/BmpWriter.h"
#include "measure/processing/Binarisation.h"
#include "measure/processing/CentreDetection.h"
#include "measure/processing/ColourDistribution.h"
#include "measure/processing/GreyImage.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace tessmet::cli {
namespace {

constexpr uint32_t kDefaultProcessingColour = 0x0000FF00;  // green, 0x00BBGGRR
constexpr size_t kMaxPolygonVertices = 31;

int ParseInt(const std::string& text, const std::string& what) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (...) {
        used = 0;
    }
    if (text.empty() || used != text.size()) throw UsageError{"bad " + what + " '" + text + "', expected an integer"};
    return value;
}

struct Options {
    std::string image;
    std::optional<std::string> roi;
    std::optional<std::string> out;
    std::optional<std::string> csv;
    std::optional<int> max, min;
    int type = DetectType::CentreOfGravity;
    std::string channels = "rgb";
};

Options ParseOptions(const Args& args, std::initializer_list<const char*> allowed) {
    Options o;
    const auto isAllowed = [&](const std::string& name) {
        return std::ranges::any_of(allowed, [&](const char* a) { return name == a; });
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            if (!isAllowed(a)) throw UsageError{"unknown option '" + a + "'"};
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            const std::string& v = args[++i];
            if (a == "--roi") o.roi = v;
            else if (a == "--out") o.out = v;
            else if (a == "--csv") o.csv = v;
            else if (a == "--max") o.max = ParseInt(v, "max");
            else if (a == "--min") o.min = ParseInt(v, "min");
            else if (a == "--channels") {
                if (v.find_first_not_of("rgb") != std::string::npos) throw UsageError{"bad channels '" + v + "', expected letters of rgb"};
                o.channels = v;
            } else if (a == "--type") {
                if (v != "0" && v != "1") throw UsageError{"bad type '" + v + "', expected 0 or 1"};
                o.type = v == "1" ? DetectType::CentreOfGravity : DetectType::Centre;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option '" + a + "'"};
        } else if (o.image.empty()) {
            o.image = a;
        } else {
            throw UsageError{"more than one image given"};
        }
    }
    if (o.image.empty()) throw UsageError{"no image given"};
    return o;
}

// SHAPE in image pixels. Points are limited to the image as the mouse's are (a click beyond
// the picture lands on its last column or row); repeated points are dropped as repeated clicks
// are; a rectangle or ellipse needs two different corners, a polygon 3 to 31 vertices.
RegionOfInterest ParseRegion(const std::string& shape, int width, int height) {
    const size_t colon = shape.find(':');
    const std::string kind = shape.substr(0, colon);
    if (colon == std::string::npos || (kind != "rect" && kind != "ellipse" && kind != "polygon"))
        throw UsageError{"bad region '" + shape + "', expected rect:, ellipse: or polygon: with coordinates"};
    std::vector<int> numbers;
    size_t start = colon + 1;
    while (start <= shape.size()) {
        const size_t comma = std::min(shape.find(',', start), shape.size());
        numbers.push_back(ParseInt(shape.substr(start, comma - start), "coordinate"));
        start = comma + 1;
    }
    if (numbers.size() % 2 != 0) throw UsageError{"bad region '" + shape + "': odd number of coordinates"};
    std::vector<Point> points;
    for (size_t i = 0; i < numbers.size(); i += 2) {
        const Point p{std::clamp(numbers[i], 0, width - 1), std::clamp(numbers[i + 1], 0, height - 1)};
        if (std::ranges::find(points, p) == points.end()) points.push_back(p);
    }
    if (kind == "polygon") {
        if (points.size() < 3 || points.size() > kMaxPolygonVertices)
            throw UsageError{"bad region '" + shape + "': a polygon has 3 to 31 different vertices"};
        return RegionOfInterest::Polygon(points);
    }
    if (numbers.size() != 4 || points.size() != 2)
        throw UsageError{"bad region '" + shape + "': expected two different corners X1,Y1,X2,Y2"};
    return kind == "rect" ? RegionOfInterest::Rectangle(points[0], points[1])
                          : RegionOfInterest::Ellipse(points[0], points[1]);
}

struct Loaded {
    CTessmetDoc document;
    ImageSet images;
    RoiSpans roi;
};

// Opens the picture as Tessmet does (with its calibration); nullopt after printing the error.
std::optional<int> Load(const Options& o, std::unique_ptr<Loaded>& loaded) {
    loaded = std::make_unique<Loaded>(Loaded{CTessmetDoc(o.image), {}, {}});
    if (const int refused = loaded->document.LoadImage(loaded->images); refused != 0) return PrintError(refused);
    const int w = loaded->images.width(), h = loaded->images.height();
    loaded->roi = o.roi ? ParseRegion(*o.roi, w, h).spans(w, h) : RoiSpans::WholeImage(w, h);
    return std::nullopt;
}

std::string Ratio(const BinariseCounts& counts) {
    return std::to_string(counts.marked) + "/" + std::to_string(counts.roi);
}

// Writes the processing layer when --out was given: nullopt, or the failure exit after printing
// {"error":-2}.
std::optional<int> WriteLayer(const Options& o, const Loaded& loaded) {
    if (!o.out) return std::nullopt;
    if (WriteBmpFile(*o.out, loaded.images.processing()) != codec::BmpWriteResult::Ok) return PrintError(-2);
    return std::nullopt;
}

void RequireThresholds(const Options& o) {
    if (!o.max || !o.min) throw UsageError{"--max and --min are required"};
}

}  // namespace

int RunBinarise(const Args& args) {
    const Options o = ParseOptions(args, {"--max", "--min", "--roi", "--out"});
    RequireThresholds(o);
    std::unique_ptr<Loaded> l;
    if (const auto failed = Load(o, l)) return *failed;
    const BinariseCounts counts = Binarise(l->images.original(), l->images.processing(), l->roi, *o.max, *o.min,
                                           kDefaultProcessingColour);
    if (const auto failed = WriteLayer(o, *l)) return *failed;
    JsonObject json;
    json.addRaw("marked", std::to_string(counts.marked))
        .addRaw("roi", std::to_string(counts.roi))
        .add("ratio", Ratio(counts))
        .add("area", FormatArea(l->document.calibration().values(), counts.marked, true).text);
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

int RunCentre(const Args& args) {
    const Options o = ParseOptions(args, {"--max", "--min", "--type", "--roi", "--out"});
    RequireThresholds(o);
    std::unique_ptr<Loaded> l;
    if (const auto failed = Load(o, l)) return *failed;
    const CentreResult r = DetectCentre(l->images.original(), l->images.processing(), l->roi, *o.max, *o.min, o.type,
                                        kDefaultProcessingColour);
    if (const auto failed = WriteLayer(o, *l)) return *failed;
    char point[96];
    std::snprintf(point, sizeof point, "(%.2f, %.2f)", r.cx, r.cy);
    JsonObject json;
    json.add("cx", r.cx)
        .add("cy", r.cy)
        .add("point", point)
        .addRaw("marked", std::to_string(r.counts.marked))
        .addRaw("roi", std::to_string(r.counts.roi))
        .add("ratio", Ratio(r.counts))
        .add("area", FormatArea(l->document.calibration().values(), r.counts.marked, true).text);
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

int RunGrey(const Args& args) {
    const Options o = ParseOptions(args, {"--roi", "--out"});
    if (!o.out) throw UsageError{"--out is required"};
    std::unique_ptr<Loaded> l;
    if (const auto failed = Load(o, l)) return *failed;
    GreyImage(l->images.original(), l->images.processing(), l->roi);
    if (const auto failed = WriteLayer(o, *l)) return *failed;
    JsonObject json;
    json.addRaw("roi", std::to_string(l->roi.pixelCount())).add("out", *o.out);
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

int RunColour(const Args& args) {
    const Options o = ParseOptions(args, {"--roi", "--channels", "--csv", "--out"});
    std::unique_ptr<Loaded> l;
    if (const auto failed = Load(o, l)) return *failed;
    const ColourTotals totals = ColourSums(l->images.original(), l->roi);
    const auto has = [&](char c) { return o.channels.find(c) != std::string::npos; };
    ColourDisplay(l->images.original(), l->images.processing(), l->roi, has('r'), has('g'), has('b'));
    if (const auto failed = WriteLayer(o, *l)) return *failed;
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(o.image, ignored).lexically_normal();
    std::string line = ColourDistributionCsvLine(full.string(), totals);
    if (o.csv && AppendColourDistributionLine(*o.csv, line) != 0) return PrintError(-2);
    line.resize(line.size() - 2);  // the CR LF stays in the file
    const ColourDistributionTexts texts = FormatColourDistribution(totals);
    const auto list = [](const std::array<std::string, 3>& items, bool quoted) {
        std::string s = "[";
        for (size_t i = 0; i < 3; ++i) s += (i ? "," : "") + (quoted ? JsonString(items[i]) : items[i]);
        return s + "]";
    };
    JsonObject json;
    json.addRaw("count", std::to_string(totals.count))
        .addRaw("total", list(texts.totals, false))
        .addRaw("average", list(texts.averages, true))
        .addRaw("ratio", list(texts.ratios, true))
        .add("csvLine", line);
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
