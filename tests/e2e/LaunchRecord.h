#pragma once

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// How the viewer starts the measurement program on a picture: the program, the folder it starts
// in and its arguments. The viewer's stage writes it where its "Send to Tessmet" would start the
// process; the measurement stage starts from it. One `key=value` line each, arguments in order.
struct LaunchRecord {
    std::string program;
    std::string workingDirectory;
    std::vector<std::string> arguments;
};

inline bool WriteLaunchRecord(const std::string& path, const LaunchRecord& record) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "program=" << record.program << '\n' << "directory=" << record.workingDirectory << '\n';
    for (const std::string& a : record.arguments) out << "argument=" << a << '\n';
    return static_cast<bool>(out.flush());
}

inline std::optional<LaunchRecord> ReadLaunchRecord(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    LaunchRecord record;
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return std::nullopt;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "program") record.program = value;
        else if (key == "directory") record.workingDirectory = value;
        else if (key == "argument") record.arguments.push_back(value);
        else return std::nullopt;
    }
    return record;
}

// The file both stages share, in the suite's scratch folder.
inline std::string LaunchRecordPath(const std::string& scratch) { return scratch + "/send-to-tessmet.txt"; }

}  // namespace e2e
