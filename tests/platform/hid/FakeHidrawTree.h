#pragma once
// A temporary sysfs and /dev tree shaped like the kernel's: a USB device
// folder with its interface folder, the HID device inside it, and the
// hidraw class entry whose "device" link points at the HID device.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace warden::test {

struct FakeHidrawNode {
    std::string name;  // "hidraw3"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0x0100;
    int interfaceNumber = 0;  // negative: not a USB interface
    std::vector<uint8_t> descriptor;
    bool writeUevent = true;
};

class FakeHidrawTree {
public:
    FakeHidrawTree() {
        std::filesystem::create_directories(ClassRoot());
        std::filesystem::create_directories(DevRoot());
    }

    std::string ClassRoot() const { return (m_dir.Path() / "sys/class/hidraw").string(); }
    std::string DevRoot() const { return (m_dir.Path() / "dev").string(); }

    // Adds (or replaces) a node; each call makes a new HID device folder,
    // as the kernel numbers every bound device anew.
    void Add(const FakeHidrawNode& node) {
        namespace fs = std::filesystem;
        const fs::path usb =
            m_dir.Path() / "sys/devices/usb1" / ("1-" + std::to_string(++m_serial));
        const fs::path parent =
            node.interfaceNumber >= 0
                ? usb / ("1-1:1." + std::to_string(node.interfaceNumber))
                : m_dir.Path() / "sys/devices/virtual" / std::to_string(m_serial);
        char hidName[32];
        std::snprintf(hidName, sizeof hidName, "0003:%04X:%04X.%04X", node.vendorId, node.productId,
                      m_serial);
        const fs::path hid = parent / hidName;
        fs::create_directories(hid);
        if (node.interfaceNumber >= 0) {
            Write(usb / "idVendor", Hex(node.vendorId, 4));
            Write(usb / "idProduct", Hex(node.productId, 4));
            Write(usb / "bcdDevice", Hex(node.version, 4));
            Write(parent / "bInterfaceNumber", Hex(static_cast<uint16_t>(node.interfaceNumber), 2));
        }
        if (node.writeUevent) {
            char uevent[128];
            std::snprintf(uevent, sizeof uevent,
                          "DRIVER=hid-generic\nHID_ID=0003:%08X:%08X\nHID_NAME=Test\n",
                          node.vendorId, node.productId);
            Write(hid / "uevent", uevent);
        }
        Write(hid / "report_descriptor",
              std::string(node.descriptor.begin(), node.descriptor.end()));
        const fs::path entry = fs::path(ClassRoot()) / node.name;
        fs::create_directories(entry);
        fs::remove(entry / "device");
        fs::create_directory_symlink(hid, entry / "device");
        Write(fs::path(DevRoot()) / node.name, "");
    }

    void Remove(const std::string& name) {
        std::filesystem::remove_all(std::filesystem::path(ClassRoot()) / name);
        std::filesystem::remove(std::filesystem::path(DevRoot()) / name);
    }

private:
    static std::string Hex(uint16_t value, int digits) {
        char text[8];
        std::snprintf(text, sizeof text, "%0*x\n", digits, value);
        return text;
    }
    static void Write(const std::filesystem::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    TempDir m_dir;
    int m_serial = 0;
};

}  // namespace warden::test
