#pragma once

#include <string>
#include <vector>

namespace tessmet {

// Every text Tessmet shows by number (message boxes, status texts, list titles) comes from
// this table, keyed by its string id. The English text is the source; a loaded translation
// (Qt translation context "StringTable") replaces it. Unknown ids give an empty text.
std::string LoadString(int id);

// The English source text, whatever translation is loaded.
std::string SourceString(int id);

// Every id of the table in ascending order: the numbered messages 10001..12121, then the
// command prompts keyed by their command id ("status-bar help\ntooltip").
std::vector<int> AllStringIds();

namespace StringId {
constexpr int TooManyImages = 10001;
constexpr int FileNotOpened = 10002;
constexpr int NotSupportedBitmap = 10003;
constexpr int ZoomReset = 10004;
constexpr int SetupReflected = 10005;
constexpr int DoubleClickEnds = 10006;
constexpr int LinesParallel = 10007;
constexpr int AngleTooSmall = 10008;
constexpr int FontChanged = 10009;
constexpr int ConfirmOverwrite = 10010;
constexpr int RoiNotSetup = 10011;
constexpr int Resolution = 10031;
constexpr int Horz = 10032;
constexpr int Vert = 10033;
constexpr int ScalePitch = 10034;
constexpr int ResolutionNotSetup = 10035;
constexpr int StartCalibration = 10051;
constexpr int CalibrationEnded = 10052;
constexpr int CalibrationRunning = 10053;
constexpr int InterruptCalibration = 10054;
constexpr int CalibrationFailed = 10055;
constexpr int CalibrationPerformed = 10056;
constexpr int SetupFirstObject = 10057;
constexpr int SetupSecondObject = 10058;
constexpr int AttachAngle = 10059;
constexpr int ZoomDisplay = 11001;
constexpr int SolidLine = 12001;  // 12001..12005: the five pen styles
constexpr int WidthMakesSolid = 12006;
constexpr int KindNameFirst = 12051;    // 12051..12058: measurement kind names
constexpr int ColumnTitleFirst = 12061; // 12061..12068: value column titles
constexpr int MagLoaded = 12101;
constexpr int MagLoadFailed = 12102;
constexpr int MagMissing = 12103;
constexpr int MagNotFound = 12104;
constexpr int SaveSetupAndEnd = 12105;
constexpr int NonZeroResolution = 12111;
constexpr int ZeroDistance = 12121;
constexpr int Ready = 57345;  // status pane 0 while no command help or read-out is shown
}  // namespace StringId

}  // namespace tessmet
