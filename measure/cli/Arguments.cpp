#include "measure/cli/Arguments.h"

#include "measure/cli/Json.h"

#include <cstdio>

namespace tessmet::cli {
namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(',', from);
        parts.push_back(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (comma == std::string::npos) return parts;
        from = comma + 1;
    }
}

}  // namespace

const MeasureKindInfo& ParseKind(const std::string& text) {
    const MeasureKindInfo* info = FindMeasureKindByName(text);
    if (!info) {
        try {
            size_t used = 0;
            const int code = std::stoi(text, &used);
            if (used == text.size()) info = FindMeasureKind(code);
        } catch (...) {
        }
    }
    if (!info) throw UsageError{"unknown measurement kind '" + text + "'"};
    return *info;
}

Point ParsePoint(const std::string& text) {
    const size_t comma = text.find(',');
    Point p;
    try {
        if (comma == std::string::npos) throw 0;
        size_t used = 0;
        p.x = std::stoi(text.substr(0, comma), &used);
        if (used != comma) throw 0;
        p.y = std::stoi(text.substr(comma + 1), &used);
        if (used != text.size() - comma - 1) throw 0;
    } catch (...) {
        throw UsageError{"bad point '" + text + "', expected X,Y"};
    }
    return p;
}

double ParseNumber(const std::string& option, const std::string& text) {
    try {
        size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size()) return value;
    } catch (...) {
    }
    throw UsageError{"bad value '" + text + "' for " + option};
}

UnitType ParseUnit(const std::string& text) {
    if (text == "pixel") return Unit::Pixel;
    if (text == "mm") return Unit::Millimetre;
    if (text == "um") return Unit::Micrometre;
    if (text == "inch") return Unit::Inch;
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size()) return value;
    } catch (...) {
    }
    throw UsageError{"bad unit '" + text + "', expected 0..3, pixel, mm, um or inch"};
}

int Refuse(const std::string& reason) {
    std::printf("%s\n", JsonObject().add("error", reason).str().c_str());
    return kExitFailure;
}

std::vector<int> ParseIntegers(const std::string& option, const std::string& text, size_t count) {
    const std::vector<std::string> parts = SplitCommas(text);
    std::vector<int> values;
    for (const std::string& part : parts) {
        try {
            size_t used = 0;
            const int value = std::stoi(part, &used);
            if (used != part.size()) throw 0;
            values.push_back(value);
        } catch (...) {
            throw UsageError{"bad value '" + text + "' for " + option};
        }
    }
    if (values.size() != count) throw UsageError{option + " needs " + std::to_string(count) + " values"};
    return values;
}

std::vector<double> ParseNumbers(const std::string& option, const std::string& text, size_t count) {
    std::vector<double> values;
    for (const std::string& part : SplitCommas(text)) values.push_back(ParseNumber(option, part));
    if (values.size() != count) throw UsageError{option + " needs " + std::to_string(count) + " values"};
    return values;
}

}  // namespace tessmet::cli
