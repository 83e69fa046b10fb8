#include "platform/RegisteredMessages.h"

#include <map>
#include <mutex>
#include <string>

namespace warden {

uint32_t RegisterWindowMessage(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, uint32_t, std::less<>> table;
    std::lock_guard lock(mutex);
    auto it = table.find(name);
    if (it != table.end()) return it->second;
    const auto number = static_cast<uint32_t>(kFirstRegisteredMessage + table.size());
    table.emplace(std::string(name), number);
    return number;
}

}  // namespace warden
