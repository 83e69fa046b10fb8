#include <gtest/gtest.h>

#include "emulator/CVirtualDevice.h"
#include "emulator/Emulation.h"
#include "platform/Text.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "transport/CCommandChannel.h"
#include "transport/CHidConnection.h"

namespace warden {
namespace {

class VirtualDevice : public ::testing::Test {
protected:
    std::shared_ptr<EmulatedHidBackend> m_backend = std::make_shared<EmulatedHidBackend>();
    ScopedHidBackend m_scoped{m_backend};
    CHidConnection m_connection;
};

struct ShapeCase {
    EmulatedKind kind;
    uint16_t vendorId;
    uint16_t productId;
    uint16_t interfaceNumber;
};

std::string CaseName(const ShapeCase& c) {
    return std::string(EmulatedKindName(c.kind));
}
void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << CaseName(c);
}

class VirtualDeviceShape : public VirtualDevice, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(VirtualDeviceShape, InterfaceOneCarriesNotificationsAndCommands) {
    const ShapeCase& c = GetParam();
    auto device = CVirtualDevice::Plug(*m_backend, c.kind);
    ASSERT_NE(device, nullptr);
    const std::vector<std::string> paths = device->Paths();
    ASSERT_EQ(paths.size(), 4u);
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(ParseCollectionNumber(paths[i]), i + 1);
        EXPECT_EQ(ParseInterfaceNumber(paths[i]), c.interfaceNumber);
        EXPECT_EQ(ParseVendorId(paths[i]), c.vendorId);
        EXPECT_EQ(ParseProductId(paths[i]), c.productId);
    }
    ASSERT_EQ(m_connection.Open(device->NotificationPath(), 1, 0, 1, 0), 1);
    EXPECT_EQ(m_connection.Caps().usagePage, 0x000C);
    EXPECT_EQ(m_connection.Caps().usage, 0x0001);
    ASSERT_EQ(m_connection.Open(device->CommandPath(), 1, 1, 1, 0), 1);
    EXPECT_EQ(m_connection.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(m_connection.Caps().usage, 0x0092);
    EXPECT_EQ(m_connection.Caps().inputReportByteLength, 64);
    EXPECT_EQ(m_connection.Caps().outputReportByteLength, 64);
    EXPECT_EQ(m_connection.Attributes().vendorId, c.vendorId);
}

INSTANTIATE_TEST_SUITE_P(Kinds, VirtualDeviceShape,
                         ::testing::Values(ShapeCase{EmulatedKind::Mouse, 0x320F, 0x220F, 1},
                                           ShapeCase{EmulatedKind::Keyboard, 0, 0, 1},
                                           ShapeCase{EmulatedKind::MousePad, 0, 0, 1}),
                         [](const ::testing::TestParamInfo<ShapeCase>& p) {
                             return CaseName(p.param);
                         });

TEST_F(VirtualDevice, HeadsetHasOneCollectionAndTakesLightingReports) {
    auto headset = CVirtualDevice::Plug(*m_backend, EmulatedKind::Headset);
    ASSERT_NE(headset, nullptr);
    ASSERT_EQ(headset->Paths().size(), 1u);
    const std::string path = headset->CommandPath();
    EXPECT_FALSE(ContainsNoCase(path, "&col"));
    EXPECT_EQ(ParseInterfaceNumber(path), 3);
    ASSERT_EQ(m_connection.Open(path, 1, 1, 1, 0), 1);
    EXPECT_EQ(m_connection.Caps().usagePage, 0x000C);
    EXPECT_EQ(m_connection.Caps().usage, 0x0001);
    EXPECT_EQ(m_connection.Caps().outputReportByteLength, 64);

    uint8_t light[17] = {0xFF, 0x22, 0xAA, 0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_TRUE(m_connection.SetOutputReport(light, sizeof light));
    light[2] = 0xB0;
    EXPECT_FALSE(m_connection.SetOutputReport(light, sizeof light));
    ASSERT_EQ(headset->Firmware().LightReports().size(), 1u);
    EXPECT_EQ(headset->Firmware().LightReports()[0][4], 1);
    EXPECT_EQ(headset->Firmware().RejectedReportCount(), 1u);
    EXPECT_EQ(headset->Notify(kSyncRequestCode), 0u) << "the headset has no notifications";
}

TEST_F(VirtualDevice, NotificationCodesDecodeAsTheFirstUsage) {
    auto keyboard = CVirtualDevice::Plug(*m_backend, EmulatedKind::Keyboard);
    ASSERT_EQ(m_connection.Open(keyboard->NotificationPath(), 1, 1, 1, 0), 1);
    const uint32_t length = m_connection.Caps().inputReportByteLength;
    for (uint16_t code : {kSyncRequestCode, kNotification404Code, uint16_t(0x5 << 8 | 17),
                          uint16_t(0x6 << 8 | 17)}) {
        if (code >= kKeyUpCodeBase) {
            EXPECT_EQ(keyboard->NotifyKey(17, 2), 1u);
        } else if (code >= kKeyDownCodeBase) {
            EXPECT_EQ(keyboard->NotifyKey(17, 1), 1u);
        } else {
            EXPECT_EQ(keyboard->Notify(code), 1u);
        }
        uint8_t* buffer = m_connection.ReportBuffer(HidReportType::Input);
        uint32_t read = 0;
        ASSERT_EQ(m_connection.ReadReport(buffer, length, 1000, &read), 1);
        HidReportItem* items = m_connection.Items(HidReportType::Input);
        ASSERT_TRUE(CHidConnection::DecodeReport(buffer, length, HidReportType::Input, items,
                                                 m_connection.ItemCount(HidReportType::Input),
                                                 m_connection.ParserData()));
        ASSERT_GT(items[0].usageListLength, 0u);
        EXPECT_EQ(items[0].usageList[0], code);
    }
}

TEST(Emulation, StartInstallsTheDevicesAndRefusesUnknownKinds) {
    std::string error;
    EXPECT_FALSE(StartEmulation("mouse,joystick", &error));
    EXPECT_NE(error.find("joystick"), std::string::npos);

    ASSERT_TRUE(StartEmulation("all", &error)) << error;
    std::vector<std::string> paths;
    ASSERT_TRUE(CurrentHidBackend()->EnumerateInterfaces(paths));
    EXPECT_EQ(paths.size(), 13u);  // three interfaces of four collections, the headset's one
    CCommandChannel mouse;
    for (const std::string& path : paths) {
        if (ParseVendorId(path) == 0x320F && ParseCollectionNumber(path) == 4) mouse.Connect(path);
    }
    DeviceInfoBlock info;
    EXPECT_EQ(mouse.ReadInfo(info), 1);
    EXPECT_EQ(info.DpiStep(), 100);
    mouse.Disconnect();
    StopEmulation();
    StopEmulation();
}

}  // namespace
}  // namespace warden
