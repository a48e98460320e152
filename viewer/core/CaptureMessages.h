#pragma once

namespace lumora {

// What the camera layer has to tell the user. The camera returns these; the program shows
// them in a message box captioned "Lumora" with an exclamation icon.
enum class CaptureMessage {
    CannotCreateVideoInterface,
    FailedSetFormat,
    RenderStreamFailed,
    FormatTimeout,
    BufferTimeout,
    // Another program streams from the camera; told once, then the opening is retried quietly.
    CameraBusy,
};

constexpr const char* CaptureMessageText(CaptureMessage message) {
    switch (message) {
    case CaptureMessage::CannotCreateVideoInterface: return "Cannot create video interface";
    case CaptureMessage::FailedSetFormat: return "Failed SetFormat";
    case CaptureMessage::RenderStreamFailed: return "RenderStream Failed";
    case CaptureMessage::FormatTimeout: return "VIDEOINFOHEADER Check...Time out 12 sec";
    case CaptureMessage::BufferTimeout: return "GetCurrentBuffer Check...Time out 12 sec";
    case CaptureMessage::CameraBusy:
        return "The camera is in use by another program.\nIt is opened as soon as that program lets it go.";
    }
    return "";
}

// Shown in the picture while no camera can be opened.
inline constexpr const char* kCameraMissingText = "Cannot find camera device";

}  // namespace lumora
