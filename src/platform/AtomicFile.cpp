#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Trace.h"

namespace warden {
namespace fs = std::filesystem;

bool WriteFileAtomic(const fs::path& target, const std::function<bool(std::FILE*)>& produce) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hidden(".");
    hidden.append(target.filename().string()).append(".XXXXXX");
    std::string pattern = (folder / hidden).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        Trace("cannot create a temporary file for %s: %s\n", target.c_str(), std::strerror(errno));
        return false;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(pattern.c_str());
        return false;
    }
    bool ok = produce(file);
    ok = (std::fflush(file) == 0) && ok;
    ok = (fsync(fd) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
    if (ok) {
        // Keep the permissions the user gave the old file; new files get 0644.
        struct stat old {};
        const mode_t mode = (stat(target.c_str(), &old) == 0) ? (old.st_mode & 07777) : 0644;
        chmod(pattern.c_str(), mode);
        ok = std::rename(pattern.c_str(), target.c_str()) == 0;
    }
    if (!ok) {
        Trace("writing %s failed: %s\n", target.c_str(), std::strerror(errno));
        unlink(pattern.c_str());
    }
    return ok;
}

bool WriteFileAtomic(const fs::path& target, std::string_view data) {
    return WriteFileAtomic(target, [data](std::FILE* file) {
        return std::fwrite(data.data(), 1, data.size(), file) == data.size();
    });
}

bool ReadWholeFile(const fs::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    out = std::move(buffer).str();
    return true;
}

}  // namespace warden
