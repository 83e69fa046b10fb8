#pragma once
// The share rules of CreateFileW between the opens of one interface path in
// this process: a handle that shares for reading only (exclusive) refuses a
// later open for writing, and an exclusive open is refused while another
// handle writes. Opens with no access (presence checks) always pass.

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/hid/HidBackend.h"

namespace warden {

class HidShareTable : public std::enable_shared_from_this<HidShareTable> {
public:
    // Held by an open handle; releases its claim when destroyed.
    class Lease {
    public:
        Lease(std::shared_ptr<HidShareTable> table, std::string path, HidOpenFlags flags)
            : m_table(std::move(table)), m_path(std::move(path)), m_flags(flags) {}
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

    private:
        std::shared_ptr<HidShareTable> m_table;
        std::string m_path;
        HidOpenFlags m_flags;
    };

    // Claims `path` for an open with `flags`; null when the share rules
    // refuse it.
    std::unique_ptr<Lease> Acquire(const std::string& path, const HidOpenFlags& flags);

private:
    struct Claims {
        int writers = 0;
        int exclusive = 0;
    };
    void Release(const std::string& path, const HidOpenFlags& flags);

    std::mutex m_lock;
    std::map<std::string, Claims> m_claims;
};

}  // namespace warden
