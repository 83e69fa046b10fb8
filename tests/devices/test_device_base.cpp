#include <gtest/gtest.h>

#include <memory>

#include "devices/COrmandelUSBDevice.h"
#include "devices/DeviceFiles.h"
#include "devices/DeviceTestSupport.h"
#include "support/TempDir.h"
#include "ui/CDialogBuilder.h"
#include "ui/controls/CTabLayoutUI.h"

namespace warden {
namespace {

using test::DeviceLayoutCallback;
using test::TestKeyButton;

// The page of tests/data/devices/device_page.xml, built as the main window
// builds a device page.
class DevicePage : public ::testing::Test {
protected:
    void SetUp() override {
        DeviceLayoutCallback callback([] { return new COrmandelUSBDevice; });
        CDialogBuilder builder;
        CControlUI* root =
            builder.Create(WARDEN_TESTDATA_DIR "/devices/device_page.xml", &callback);
        ASSERT_NE(root, nullptr);
        m_device.reset(static_cast<COrmandelUSBDevice*>(root->GetInterface("OrmandelUSBDevice")));
        ASSERT_NE(m_device, nullptr);
    }

    TestKeyButton* Button(std::string_view name) {
        TestKeyButton* found = nullptr;
        m_device->ForEach([&](CControlUI* control) {
            if (control->GetName() != name || control->GetClass() != "DeviceKeyButton") {
                return false;
            }
            found = static_cast<TestKeyButton*>(control);
            return true;
        });
        return found;
    }

    CTabLayoutUI* Tab(std::string_view name) {
        CTabLayoutUI* found = nullptr;
        m_device->ForEach([&](CControlUI* control) {
            if (control->GetName() != name) return false;
            found = static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout"));
            return true;
        });
        return found;
    }

    std::unique_ptr<COrmandelUSBDevice> m_device;
};

TEST(DeviceBase, StartsDisconnectedWithTheDocumentedState) {
    COrmandelUSBDevice device;
    EXPECT_EQ(device.GetClass(), "OrmandelUSBDevice");
    EXPECT_FALSE(device.CommandChannel().IsOpen());
    EXPECT_FALSE(device.NotificationChannel().IsOpen());
    EXPECT_FALSE(device.IsLightingThreadRunning());
    EXPECT_FALSE(device.IsSyncThreadRunning());
    EXPECT_EQ(device.GetPageTab(), 1);
    EXPECT_EQ(device.GetPageType(), 0);
    EXPECT_EQ(device.GetSelectedKey(), -1);
    EXPECT_EQ(device.GetDeviceKind(), 0);
    EXPECT_TRUE(device.IsLightOutputEnabled());
    EXPECT_TRUE(device.IsPreviewRefresh());
    EXPECT_EQ(device.GetLightSettings(), LightInfoRecord{});
    EXPECT_EQ(device.ReloadLighting(), 0);
    EXPECT_EQ(device.LoadCurrentProfile(), 0);
    EXPECT_EQ(device.SendKeys(0), 0);
    EXPECT_EQ(device.WriteMacros(), 0);
    EXPECT_EQ(device.Send(0, 0, 1, 1920, 1080), 0);
    EXPECT_EQ(device.GetProfileFile(), "");
}

TEST(DeviceBase, CatalogueEntryGivesKindAndRole) {
    COrmandelUSBDevice device;
    DeviceCatalogueEntry entry = DeviceCatalogueEntry::FromRow(kDeviceCatalogue[3]);
    entry.devicePath = "emulated/mouse";
    device.SetCatalogueEntry(entry);
    EXPECT_EQ(device.GetDeviceKind(), kKindMouse);
    EXPECT_EQ(device.GetInterfaceRole(), kRoleNotification);
    EXPECT_EQ(device.GetCatalogueEntry().devicePath, "emulated/mouse");
}

TEST(DeviceBase, ZoneCountZeroesTheFrameAndZoneAccessIgnoresOutsiders) {
    COrmandelUSBDevice device;
    device.SetZoneCount(3);
    device.SetZoneColour(2, 0x11223344u);
    device.SetZoneColour(3, 0xFFFFFFFFu);
    device.SetZoneColour(-1, 0xFFFFFFFFu);
    EXPECT_EQ(device.GetZoneColour(2), 0x11223344u);
    EXPECT_EQ(device.GetZoneColour(3), 0u);
    EXPECT_EQ(device.GetZoneColour(-1), 0u);
    device.SetZoneCount(3);
    EXPECT_EQ(device.GetZoneColour(2), 0u);
    device.SetZoneCount(-4);
    EXPECT_EQ(device.GetZoneControls().size(), 0u);
    EXPECT_EQ(device.Engine().ZoneCount(), 0u);
}

TEST(DeviceBase, PrimitivesAndReactiveStateReachTheEngine) {
    COrmandelUSBDevice device;
    device.SetZoneCount(2);
    // Word 1: SelectItem, Light, Speed, Fx; word 2: MultiColor, Red, Green, Blue.
    device.SetLightInfo(0x00000000u, 0x30201000u, 0);
    EXPECT_EQ(device.GetLightSettings().red, 0x10);
    device.StepStatic();
    EXPECT_EQ(device.GetZoneColour(1), 0x1E302010u) << "brightness 0 is level 30";
    device.StepOff();
    EXPECT_EQ(device.GetZoneColour(1), 0u);

    device.Engine().KeyIntensities()[5] = 255;
    device.FadeKey(5, 1);
    device.FadeKey(-1, 1);
    device.FadeKey(126, 1);
    EXPECT_EQ(device.Engine().KeyIntensities()[5], 215);
    device.Engine().Ripple()[0] = 1;
    device.ShiftRipple(1);
    EXPECT_EQ(device.Engine().Ripple()[1], 1);
    device.LightPressedKeys();
    EXPECT_EQ(device.Engine().KeyIntensities()[1], 255);
    device.ClearReactive();
    EXPECT_EQ(device.Engine().KeyIntensities()[1], 0);
    EXPECT_EQ(device.Engine().Ripple()[1], 0);
}

TEST(DeviceBase, SettersPassThePowerModeToThePanel) {
    COrmandelUSBDevice device;
    test::RecordingPowerPanel panel;
    device.SetPowerPanelMode(2);
    device.AttachPowerPanel(&panel);
    EXPECT_EQ(panel.mode, 2);
    device.SetPowerPanelMode(0);
    EXPECT_EQ(panel.mode, 0);
    device.SetKeyCount(7);
    EXPECT_EQ(device.GetKeyButtons().size(), 7u);
    device.SelectKey(4);
    EXPECT_EQ(device.GetSelectedKey(), 4);
    device.SetPageType(3);
    EXPECT_EQ(device.GetPageType(), 3);
}

TEST_F(DevicePage, BindLayoutTakesNumberedButtonsOfTheFirstSelectPanel) {
    m_device->SetKeyCount(3);
    m_device->SetZoneCount(3);
    m_device->BindLayout();

    const auto& keys = m_device->GetKeyButtons();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0], Button("key_0"));
    EXPECT_EQ(keys[1], nullptr) << "a plain button and the second panel's key are not bound";
    EXPECT_EQ(keys[2], Button("KEY_2")) << "prefixes compare without regard to case";

    const auto& zones = m_device->GetZoneControls();
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0], Button("light_0")) << "buttons nested in the panel count";
    EXPECT_EQ(zones[1], Button("light_1"));
    EXPECT_EQ(zones[2], Button("Light_2"));
    for (std::string_view skipped : {"key_3", "light_9", "light_x", "light_", "lightless", "logo_1",
                                     "key_99999999999999999999999"}) {
        const CControlUI* button = Button(skipped);
        ASSERT_NE(button, nullptr) << skipped;
        EXPECT_EQ(std::count(keys.begin(), keys.end(), button), 0) << skipped;
        EXPECT_EQ(std::count(zones.begin(), zones.end(), button), 0) << skipped;
    }
}

TEST_F(DevicePage, ShowLightingPaintsVisibleZonesInRedGreenBlueOrder) {
    m_device->SetZoneCount(3);
    m_device->BindLayout();
    Button("Light_2")->SetVisible(false);
    // Bytes: red 0x10, green 0x20, blue 0x30, level 0x40.
    m_device->SetZoneColour(0, 0x40302010u);
    m_device->SetZoneColour(2, 0x40302010u);
    m_device->ShowLighting();

    TestKeyButton* zone0 = Button("light_0");
    EXPECT_EQ(zone0->colour, 0x302010u);
    EXPECT_EQ(zone0->level, 0x40u);
    EXPECT_TRUE(zone0->lightOn);
    EXPECT_EQ(Button("light_1")->colour, 0u);
    EXPECT_EQ(Button("Light_2")->updates, 0) << "hidden zones keep their colour";

    m_device->SetLightOutputEnabled(false);
    m_device->SetZoneColour(0, 0xFF0000FFu);
    m_device->ShowLighting();
    EXPECT_EQ(zone0->colour, 0x302010u);
    EXPECT_EQ(zone0->updates, 1);
}

struct PageTabCase {
    int kind;
    int tab;
    int functionPage;
    int keyPage;
};

std::string CaseName(const PageTabCase& c) {
    return test::DeviceKindName(c.kind) + "Tab" + std::to_string(c.tab);
}
void PrintTo(const PageTabCase& c, std::ostream* os) {
    *os << CaseName(c);
}

class DevicePageTab : public DevicePage, public ::testing::WithParamInterface<PageTabCase> {};

// Both tabs start on a page no case selects, so an untouched tab shows.
constexpr int kUntouchedFunctionPage = 4;
constexpr int kUntouchedKeyPage = 3;

TEST_P(DevicePageTab, SelectsTheFunctionAndKeyPages) {
    const PageTabCase& c = GetParam();
    DeviceCatalogueEntry entry;
    entry.deviceKind = static_cast<uint16_t>(c.kind);
    m_device->SetCatalogueEntry(entry);
    Tab("device_function_switch")->SelectItem(kUntouchedFunctionPage);
    Tab("device_key_function_switch")->SelectItem(kUntouchedKeyPage);

    m_device->SetPageTab(c.tab);
    EXPECT_EQ(m_device->GetPageTab(), c.tab);
    EXPECT_EQ(m_device->GetFunctionTab(), Tab("device_function_switch"));
    EXPECT_EQ(Tab("device_function_switch")->GetCurSel(), c.functionPage);
    EXPECT_EQ(Tab("device_key_function_switch")->GetCurSel(), c.keyPage);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, DevicePageTab,
    ::testing::Values(PageTabCase{kKindHeadset, 4, 0, 2}, PageTabCase{kKindMousePad, 4, 0, 2},
                      PageTabCase{kKindKeyboard, 4, 3, kUntouchedKeyPage},
                      PageTabCase{kKindMouse, 4, 3, kUntouchedKeyPage},
                      PageTabCase{kKindWirelessMouse, 4, 3, kUntouchedKeyPage},
                      PageTabCase{kKindMouse, 3, 1, kUntouchedKeyPage},
                      PageTabCase{kKindHeadset, 8, 1, kUntouchedKeyPage},
                      PageTabCase{kKindMouse, 5, 2, kUntouchedKeyPage},
                      PageTabCase{kKindMouse, 1, 0, 0}, PageTabCase{kKindMouse, 2, 0, 1},
                      PageTabCase{kKindKeyboard, 6, 0, 1}, PageTabCase{kKindMouse, 7, 0, 2},
                      PageTabCase{kKindMouse, 0, 0, 0}, PageTabCase{kKindMouse, 9, 0, 0}),
    [](const ::testing::TestParamInfo<PageTabCase>& p) { return CaseName(p.param); });

TEST(DeviceBase, PageTabWithoutTabLayoutsOnlyStoresTheTab) {
    COrmandelUSBDevice device;
    device.SetPageTab(5);
    EXPECT_EQ(device.GetPageTab(), 5);
    EXPECT_EQ(device.GetFunctionTab(), nullptr);
    EXPECT_EQ(device.GetKeyFunctionTab(), nullptr);
}

TEST(DeviceFiles, LiveInTheUserAndDataFolders) {
    test::TempDir data;
    test::TempDir program;
    test::ScopedEnv dataHome("XDG_DATA_HOME", data.Path().string());
    test::ScopedEnv dataDir("WARDEN_DATA_DIR", program.Path().string());
    COrmandelUSBDevice device;
    device.SetDeviceFolderName("keyboard");
    device.SetProfileBaseName("20260101120000");
    device.SetLightConfigBaseName("tavix_light");

    const std::filesystem::path user = data.Path() / "VDL-K42 WARDEN" / "keyboard";
    EXPECT_EQ(device.UserFolder(), user);
    EXPECT_TRUE(std::filesystem::is_directory(user));
    EXPECT_EQ(device.ProfilePath(), user / "20260101120000.Json");
    EXPECT_EQ(device.LightConfigPath(), user / "tavix_light.config");
    EXPECT_EQ(device.DefaultFolder(), program.Path() / "DefaultData");
    EXPECT_EQ(device.DefaultProfilePath(), program.Path() / "DefaultData" / "keyboard.Json");

    std::filesystem::remove_all(user);
    EXPECT_EQ(device.ProfilePath(), user / "20260101120000.Json");
    EXPECT_TRUE(std::filesystem::is_directory(user)) << "created again when missing";
}

TEST(DeviceFiles, RefuseFolderNamesThatLeaveTheUserFolder) {
    test::TempDir data;
    test::ScopedEnv dataHome("XDG_DATA_HOME", data.Path().string());
    for (std::string_view name : {"", ".", "..", "../escape", "a/b"}) {
        EXPECT_TRUE(devicefiles::UserFolder(name).empty()) << name;
        EXPECT_TRUE(devicefiles::ProfilePath(name, "p").empty()) << name;
        EXPECT_TRUE(devicefiles::LightConfigPath(name, "tavix_light").empty()) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(data.Path() / "escape"));
}

}  // namespace
}  // namespace warden
