#pragma once

#include "measure/processing/Dib.h"
#include "measure/processing/RoiSpans.h"

#include <array>
#include <string>

namespace tessmet {

// The channel sums of the original picture over the region of interest. 64-bit: a 32-bit sum
// of one channel overflows beyond 8,421,504 white pixels, and the total of the three beyond
// 2,807,168, both well within one camera picture.
struct ColourTotals {
    long long count = 0;
    long long red = 0;
    long long green = 0;
    long long blue = 0;

    long long sum() const { return red + green + blue; }
    bool operator==(const ColourTotals&) const = default;
};

ColourTotals ColourSums(const Dib& original, const RoiSpans& roi);

// Copies the chosen channels of every region pixel into the processing layer (the others as 0);
// the rest of the layer becomes 0, and with no channel chosen all of it.
void ColourDisplay(const Dib& original, Dib& layer, const RoiSpans& roi, bool red, bool green, bool blue);

// What the colour distribution window shows, red, green, blue in that order: totals as
// integers, averages and ratios (percent of the three totals' sum) with two decimals, and the
// region's pixel count. An empty region shows averages of "0.00", an all-black one ratios of
// "0.00": the quotients are undefined there, and a number is what a reader expects.
struct ColourDistributionTexts {
    std::array<std::string, 3> totals;
    std::array<std::string, 3> averages;
    std::array<std::string, 3> ratios;
    std::string area;
};
ColourDistributionTexts FormatColourDistribution(const ColourTotals& totals);

// The line "Save" appends, CR LF included: the picture's path, the three averages with two
// decimals and the three shares (fractions of the sum) with four, each followed by a comma.
// Undefined quotients are written as 0.
std::string ColourDistributionCsvLine(const std::string& picturePath, const ColourTotals& totals);

// Appends one line to the file (created when missing): 0, or -1 when it cannot be opened or
// written.
int AppendColourDistributionLine(const std::string& csvPath, const std::string& line);

// The file's name in the program folder.
inline constexpr const char* kColourDistributionCsvName = "_ColorDistDlg.csv";

}  // namespace tessmet
