#include "viewer/cli/Commands.h"

#include "viewer/core/DirectSettings.h"
#include "viewer/core/ViewerPaths.h"

namespace lumora::cli {

CommonOptions ParseOptions(const Args& args, bool allowDevice, bool allowSet) {
    CommonOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--simulate-camera") {
            options.simulate = true;
        } else if (a == "--device" && allowDevice) {
            options.device = value();
            options.deviceGiven = true;
        } else if (a == "--set" && allowSet) {
            options.sets.push_back(value());
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option '" + a + "'"};
        } else {
            options.positional.push_back(a);
        }
    }
    return options;
}

std::string DeviceToOpen(const CommonOptions& options) {
    return options.deviceGiven ? options.device : ReadCameraDevice(StartFolder());
}

}  // namespace lumora::cli
