#pragma once
// A command channel connected to an emulated device on its own emulated
// backend, for the transport tests.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "emulator/CVirtualDevice.h"
#include "platform/Clock.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "transport/CCommandChannel.h"

namespace warden {

class ChannelFixture : public ::testing::Test {
protected:
    explicit ChannelFixture(EmulatedKind kind = EmulatedKind::Keyboard)
        : m_device(CVirtualDevice::Plug(*m_backend, kind)) {}

    void SetUp() override {
        ASSERT_NE(m_device, nullptr);
        ASSERT_EQ(m_channel.Connect(m_device->CommandPath()), 1);
    }

    CEmulatedFirmware& Firmware() { return m_device->Firmware(); }

    // Frames the device received with command `command`, in order.
    std::vector<Frame> FramesOf(uint8_t command) {
        std::vector<Frame> frames;
        for (const Frame& frame : Firmware().ReceivedFrames()) {
            if (frame[kFrameCommandByte] == command) frames.push_back(frame);
        }
        return frames;
    }

    ManualClock m_clock;
    ScopedClock m_scopedClock{m_clock};
    std::shared_ptr<EmulatedHidBackend> m_backend = std::make_shared<EmulatedHidBackend>();
    ScopedHidBackend m_scopedBackend{m_backend};
    std::unique_ptr<CVirtualDevice> m_device;
    CCommandChannel m_channel;
};

}  // namespace warden
