#pragma once
// A message target that records every message it is given.

#include <cstdint>
#include <mutex>
#include <vector>

#include "ui/MessageTarget.h"

namespace warden {

struct RecordedMessage {
    bool posted;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;

    bool operator==(const RecordedMessage&) const = default;
};

class RecordingTarget : public MessageTarget {
public:
    bool Post(uint32_t message, WParam wParam, LParam lParam) override {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({true, message, wParam, lParam});
        return true;
    }
    LResult Send(uint32_t message, WParam wParam, LParam lParam,
                 Event* /*abort*/ = nullptr) override {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({false, message, wParam, lParam});
        return 1;
    }
    std::vector<RecordedMessage> Take() {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_messages, {});
    }

private:
    std::mutex m_mutex;
    std::vector<RecordedMessage> m_messages;
};

}  // namespace warden
