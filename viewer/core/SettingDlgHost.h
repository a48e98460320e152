#pragma once

#include <string>

namespace lumora {

class CCaptureDevice;

// What the setting dialog asks of the main form.
class SettingDlgHost {
public:
    virtual ~SettingDlgHost() = default;

    // The form's camera; nullptr when there is none (the camera buttons then do nothing).
    virtual CCaptureDevice* Camera() = 0;

    // Empties the gallery list with its thumbnails and fills it again from `folder`.
    virtual void RefreshGallery(const std::string& folder) = 0;

    // Reads CAMERA_PROP (factory values where a key is missing) and gives it to the camera.
    virtual void ApplyCameraProperties() = 0;

    // Has the first pane reload its overlay settings (grid, centre line, scale colours).
    virtual void ApplyPaneSettings() = 0;
};

}  // namespace lumora
