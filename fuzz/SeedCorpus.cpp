// fuzz_seeds DIR: writes a small seed corpus per fuzz target into DIR/<target>/.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

const std::vector<std::string> kProfiles = {
    "[DATA]\r\nUnitType=1\r\nHResolution=4444\r\nVResolution=4444\r\n",
    "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n[CAL]\r\nUnit=mm\r\nOnePixelLen=0.001776\r\n",
    "; comment\n[PEN]\nIP-Color=65280\nIP-Type=0\n\n[OTHER]\nJpegQuality=5\nGridDistance=-12abc\n",
    "[GALLERY]\nPATH=\"/home/user/Gallery\"\n[CALIBRATION]\nONE_PIXEL=0.001000\n",
    "",
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    int n = 0;
    for (const std::string& text : kProfiles) {
        const std::string name = "seed" + std::to_string(n++);
        Write(root / "fuzz_profile_file", name, text);
        Write(root / "fuzz_calibration_file", name, text);
        Write(root / "fuzz_magnification_file", name, text);
    }
    return 0;
}
