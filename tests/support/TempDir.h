#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// A fresh folder under $TMPDIR for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "suite-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Path of a file inside the folder, as the string the code under test takes.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Number of entries in a folder: a failed save must not leave temporary files behind.
inline size_t CountEntries(const std::filesystem::path& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `check` with the permissions of an ordinary user and returns its result. Permission
// tests mean nothing to root, who may write anywhere, so under root the check runs in a child
// process that has dropped to the unprivileged "nobody" account; the folders it touches must be
// open to others (see OpenToOthers). Otherwise it runs in place.
template <typename Check>
bool AsOrdinaryUser(Check check) {
    if (::geteuid() != 0) return check();
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Lets the unprivileged account of AsOrdinaryUser reach and change `path`.
inline void OpenToOthers(const std::filesystem::path& path) {
    std::filesystem::permissions(path, std::filesystem::perms::all, std::filesystem::perm_options::add);
}

}  // namespace testsupport
