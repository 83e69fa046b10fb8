#include "profiles/JsonFile.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/Text.h"
#include "platform/Trace.h"

namespace warden {
namespace fs = std::filesystem;
namespace {

// Settings files are a few hundred kilobytes at most; anything far beyond is
// not ours and would only cost memory.
constexpr uintmax_t kMaxJsonFileBytes = 64u * 1024u * 1024u;
// Our files nest five levels deep; the parser recurses per level.
constexpr int kMaxJsonDepth = 256;

std::unique_ptr<Json::CharReader> MakeReader() {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    builder["stackLimit"] = kMaxJsonDepth;
    builder["skipBom"] = true;
    return std::unique_ptr<Json::CharReader>(builder.newCharReader());
}

std::unique_ptr<Json::StreamWriter> MakeWriter() {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["commentStyle"] = "All";
    builder["emitUTF8"] = true;
    return std::unique_ptr<Json::StreamWriter>(builder.newStreamWriter());
}

}  // namespace

std::string readjsonFile(const fs::path& path) {
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    if (!error && size > kMaxJsonFileBytes) {
        Trace("readjsonFile: %s is too large (%ju bytes)\n", path.c_str(), size);
        return {};
    }
    std::string text;
    errno = 0;
    const bool ok = ReadWholeFile(path, text);
    Trace("readjsonFile 错误吗：：%d\n", ok ? 0 : errno);
    if (!ok) return {};
    return text;
}

bool ParseJsonText(const std::string& text, Json::Value& out) {
    out = Json::Value();
    try {
        const auto reader = MakeReader();
        std::string errors;
        Json::Value parsed;
        if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) return false;
        out.swap(parsed);
        return true;
    } catch (const std::exception& e) {
        Trace("JSON text rejected: %s\n", e.what());
        return false;
    }
}

Json::Value ReadJsonValue(const fs::path& path) {
    const std::string text = readjsonFile(path);
    if (text.empty()) {
        Trace("%s\n", path.c_str());
        return Json::Value();
    }
    Json::Value value;
    ParseJsonText(text, value);
    return value;
}

std::string StyledJsonText(const Json::Value& value) {
    std::ostringstream styled;
    try {
        MakeWriter()->write(value, &styled);
    } catch (const std::exception& e) {
        Trace("JSON value not writable: %s\n", e.what());
        return {};
    }
    styled << '\n';
    const std::string lf = std::move(styled).str();
    std::string crlf;
    crlf.reserve(lf.size() + lf.size() / 8);
    for (const char c : lf) {
        if (c == '\n' && (crlf.empty() || crlf.back() != '\r')) crlf.push_back('\r');
        crlf.push_back(c);
    }
    return crlf;
}

bool StoreJsonFile(const fs::path& path, const Json::Value& value) {
    const std::string text = StyledJsonText(value);
    return !text.empty() && WriteFileAtomic(path, text);
}

int WriteJsonFile(const fs::path& path, const Json::Value& value) {
    if (!StoreJsonFile(path, value)) Trace("WriteJsonFile failed: %s\n", path.c_str());
    return 0;
}

std::string MakeTimeStampName() {
    using namespace std::chrono;
    static std::mutex mutex;
    static int64_t lastIssued = 0;
    int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (ms <= lastIssued) ms = lastIssued + 1;
        lastIssued = ms;
    }
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    return Format("%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms % 1000));
}

fs::path KeepCorruptFile(const fs::path& path) {
    fs::path aside = path;
    aside += ".corrupt-" + MakeTimeStampName();
    std::error_code error;
    fs::rename(path, aside, error);
    if (error) {
        Trace("cannot keep %s aside: %s\n", path.c_str(), error.message().c_str());
        return {};
    }
    Trace("unreadable %s kept as %s\n", path.c_str(), aside.c_str());
    return aside;
}

}  // namespace warden
