#include "app/CFontFile.h"

#include <QByteArray>
#include <QFontDatabase>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/Trace.h"

namespace warden {
namespace {

// The largest face we ship (a CJK font) is about 20 MB; anything far beyond
// that is not one of ours.
constexpr std::uintmax_t kMaxFontBytes = 64u << 20;

}  // namespace

CFontFile::CFontFile(std::filesystem::path programFolder)
    : m_programFolder(std::move(programFolder)) {}

CFontFile::~CFontFile() {
    Remove();
}

bool CFontFile::Load(std::string_view relativePath) {
    Remove();
    std::string relative(relativePath);
    for (auto& c : relative) {
        if (c == '\\') c = '/';
    }
    m_path = m_programFolder / relative;
    std::error_code error;
    const auto size = std::filesystem::file_size(m_path, error);
    if (error) {
        Trace("font skipped: %s: %s\n", m_path.c_str(), error.message().c_str());
        return false;
    }
    if (size > kMaxFontBytes) {
        Trace("font skipped: %s is %ju bytes\n", m_path.c_str(), size);
        return false;
    }
    std::string data;
    if (!ReadWholeFile(m_path, data)) {
        Trace("font skipped: %s cannot be read\n", m_path.c_str());
        return false;
    }
    m_id = QFontDatabase::addApplicationFontFromData(
        QByteArray(data.data(), static_cast<qsizetype>(data.size())));
    if (m_id < 0) {
        Trace("font skipped: %s is not a usable font\n", m_path.c_str());
        return false;
    }
    return true;
}

void CFontFile::Remove() {
    if (m_id < 0) return;
    if (!QFontDatabase::removeApplicationFont(m_id)) {
        Trace("font removal failed: %s\n", m_path.c_str());
    }
    m_id = -1;
}

}  // namespace warden
