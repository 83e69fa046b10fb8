#include "emulator/Emulation.h"

#include <memory>
#include <mutex>
#include <vector>

#include "emulator/CVirtualDevice.h"
#include "emulator/EmulatedKinds.h"
#include "platform/Trace.h"

namespace warden {

namespace {

// The virtual devices of the demo mode live as long as the process runs
// with the emulated backend.
struct EmulationSession {
    std::mutex lock;
    std::shared_ptr<EmulatedHidBackend> backend;
    std::vector<std::unique_ptr<CVirtualDevice>> devices;
};

EmulationSession& Session() {
    static EmulationSession session;
    return session;
}

}  // namespace

bool StartEmulation(std::string_view kinds, std::string* error) {
    const auto parsed = ParseEmulatedKinds(kinds, error);
    if (!parsed) return false;
    auto backend = std::make_shared<EmulatedHidBackend>();
    std::vector<std::unique_ptr<CVirtualDevice>> devices;
    for (EmulatedKind kind : *parsed) {
        std::unique_ptr<CVirtualDevice> device = CVirtualDevice::Plug(*backend, kind);
        if (!device) {
            if (error)
                *error = "--emulate: the emulated " + std::string(EmulatedKindName(kind)) +
                         " could not be plugged in";
            return false;
        }
        Trace("emulator: %s plugged in\n", EmulatedKindName(kind).data());
        devices.push_back(std::move(device));
    }
    StopEmulation();
    EmulationSession& session = Session();
    std::lock_guard lock(session.lock);
    session.backend = backend;
    session.devices = std::move(devices);
    SetHidBackend(backend);
    return true;
}

void StopEmulation() {
    EmulationSession& session = Session();
    std::lock_guard lock(session.lock);
    if (!session.backend) return;
    SetHidBackend(nullptr);
    session.devices.clear();
    session.backend.reset();
}

}  // namespace warden
