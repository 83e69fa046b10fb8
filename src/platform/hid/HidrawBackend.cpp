#include "platform/hid/HidrawBackend.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Trace.h"
#include "platform/hid/HidDescriptorParser.h"
#include "platform/hid/HidInterfacePath.h"
#include "platform/hid/HidrawDevice.h"

namespace warden {
namespace {

constexpr std::string_view kBackendName = "hid";
constexpr std::string_view kNodePrefix = "hidraw";

// "hidraw" followed by decimal digits only, so a path can never lead the
// backend outside its roots. Returns the node number, or -1.
long NodeNumber(std::string_view name) {
    if (name.size() <= kNodePrefix.size() || name.size() > kNodePrefix.size() + 9 ||
        name.substr(0, kNodePrefix.size()) != kNodePrefix) {
        return -1;
    }
    long number = 0;
    for (char c : name.substr(kNodePrefix.size())) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

// Reads at most `limit` bytes of a small file. False when it cannot be read.
bool ReadFile(const std::string& path, std::string& out, size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    out.resize(limit);
    size_t got = 0;
    while (got < limit) {
        const ssize_t n = read(fd, out.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    out.resize(got);
    return true;
}

// A sysfs number file holding hexadecimal text ("320f\n").
bool ReadHexFile(const std::string& path, unsigned& value) {
    std::string text;
    if (!ReadFile(path, text, 32)) return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 16);
    if (end == text.c_str() || v > 0xFFFF) return false;
    value = static_cast<unsigned>(v);
    return true;
}

// "HID_ID=0003:0000320F:0000220F" from the uevent file.
bool ParseHidId(const std::string& uevent, HidAttributes& attributes) {
    const size_t at = uevent.find("HID_ID=");
    if (at == std::string::npos) return false;
    unsigned bus = 0, vendor = 0, product = 0;
    if (std::sscanf(uevent.c_str() + at + 7, "%x:%x:%x", &bus, &vendor, &product) != 3) {
        return false;
    }
    attributes.vendorId = static_cast<uint16_t>(vendor);
    attributes.productId = static_cast<uint16_t>(product);
    return true;
}

}  // namespace

struct HidrawBackend::Node {
    std::string link;  // target of the node's device link; empty when unknown
    bool usable = false;
    HidAttributes attributes;
    std::vector<std::string> paths;  // one per top-level collection
    std::vector<std::shared_ptr<const HidPreparsedData>> collections;
};

HidrawBackend::HidrawBackend(std::string sysClassRoot, std::string devRoot, NodeOpener opener)
    : m_sysClassRoot(std::move(sysClassRoot)),
      m_devRoot(std::move(devRoot)),
      m_opener(opener ? std::move(opener) : NodeOpener([](const std::string& path, int flags) {
          return ::open(path.c_str(), flags);
      })),
      m_shares(std::make_shared<HidShareTable>()) {}

HidrawBackend::~HidrawBackend() = default;

std::shared_ptr<const HidrawBackend::Node> HidrawBackend::LoadNode(const std::string& name,
                                                                   const std::string& link) const {
    auto node = std::make_shared<Node>();
    node->link = link;
    const std::string device = m_sysClassRoot + "/" + name + "/device/";
    std::string uevent;
    std::string descriptor;
    if (!ReadFile(device + "uevent", uevent, 4096) || !ParseHidId(uevent, node->attributes)) {
        Trace("hidraw %s skipped: no HID_ID in uevent\n", name.c_str());
        return node;
    }
    if (!ReadFile(device + "report_descriptor", descriptor, kHidMaxDescriptorBytes + 1)) {
        Trace("hidraw %s skipped: report descriptor unreadable\n", name.c_str());
        return node;
    }
    const HidDescriptorParseResult parsed = HidDescriptorParser::Parse(
        std::span(reinterpret_cast<const uint8_t*>(descriptor.data()), descriptor.size()));
    if (!parsed.ok) {
        Trace("hidraw %s skipped: report descriptor refused (%s)\n", name.c_str(),
              parsed.error.c_str());
        return node;
    }
    // USB interfaces and devices lie above the HID device; other buses have
    // neither, and their paths carry no "&mi_".
    HidPathIdentity identity;
    identity.vendorId = node->attributes.vendorId;
    identity.productId = node->attributes.productId;
    unsigned number = 0;
    if (ReadHexFile(device + "../bInterfaceNumber", number))
        identity.interfaceNumber = number & 0xFF;
    unsigned version = 0;
    if (ReadHexFile(device + "../../bcdDevice", version)) {
        node->attributes.versionNumber = static_cast<uint16_t>(version);
    }
    const size_t count = parsed.collections.size();
    for (size_t i = 0; i < count; ++i) {
        identity.collection = count > 1 ? static_cast<int>(i + 1) : 0;
        node->paths.push_back(FormatHidInterfacePath(kBackendName, identity, name));
    }
    node->collections = parsed.collections;
    node->usable = true;
    return node;
}

std::shared_ptr<const HidrawBackend::Node> HidrawBackend::LookupNode(const std::string& name) {
    char target[512];
    const std::string linkPath = m_sysClassRoot + "/" + name + "/device";
    const ssize_t n = readlink(linkPath.c_str(), target, sizeof target - 1);
    const std::string link = n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
    {
        std::lock_guard lock(m_cacheLock);
        auto it = m_cache.find(name);
        if (it != m_cache.end() && !link.empty() && it->second->link == link) return it->second;
    }
    std::shared_ptr<const Node> node = LoadNode(name, link);
    std::lock_guard lock(m_cacheLock);
    m_cache[name] = node;
    return node;
}

bool HidrawBackend::EnumerateInterfaces(std::vector<std::string>& paths) {
    DIR* dir = opendir(m_sysClassRoot.c_str());
    if (dir == nullptr) {
        // Without the hidraw class there is simply no interface.
        if (errno == ENOENT) return true;
        Trace("hidraw class folder %s unreadable (errno %d)\n", m_sysClassRoot.c_str(), errno);
        return false;
    }
    std::vector<std::pair<long, std::string>> names;
    while (const dirent* entry = readdir(dir)) {
        const long number = NodeNumber(entry->d_name);
        if (number >= 0) names.emplace_back(number, entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const auto& [number, name] : names) {
        std::shared_ptr<const Node> node = LookupNode(name);
        if (node->usable) paths.insert(paths.end(), node->paths.begin(), node->paths.end());
    }
    std::lock_guard lock(m_cacheLock);
    std::erase_if(m_cache, [&](const auto& entry) {
        return !std::binary_search(names.begin(), names.end(),
                                   std::make_pair(NodeNumber(entry.first), entry.first));
    });
    return true;
}

std::shared_ptr<const HidrawBackend::Node> HidrawBackend::NodeOfPath(const std::string& path,
                                                                     size_t& collection) {
    const std::string name(HidInterfacePathNode(path, kBackendName));
    if (NodeNumber(name) < 0) return nullptr;
    std::shared_ptr<const Node> node = LookupNode(name);
    if (!node->usable) return nullptr;
    auto it = std::find(node->paths.begin(), node->paths.end(), path);
    if (it == node->paths.end()) return nullptr;
    collection = static_cast<size_t>(it - node->paths.begin());
    return node;
}

std::unique_ptr<HidDevice> HidrawBackend::Open(const std::string& path, const HidOpenFlags& flags) {
    size_t collection = 0;
    std::shared_ptr<const Node> node = NodeOfPath(path, collection);
    if (node == nullptr) return nullptr;
    std::unique_ptr<HidShareTable::Lease> lease = m_shares->Acquire(path, flags);
    if (lease == nullptr) return nullptr;
    int mode = O_PATH;
    if (flags.read && flags.write) {
        mode = O_RDWR;
    } else if (flags.write) {
        mode = O_WRONLY;
    } else if (flags.read) {
        mode = O_RDONLY;
    }
    const std::string devPath =
        m_devRoot + "/" + std::string(HidInterfacePathNode(path, kBackendName));
    const int fd = m_opener(devPath, mode | O_NONBLOCK | O_CLOEXEC);
    // Discovery retries unopenable nodes every pass; the null result says it.
    if (fd < 0) return nullptr;
    return std::make_unique<HidrawDevice>(fd, node->collections[collection], node->attributes,
                                          std::move(lease));
}

bool HidrawBackend::IsPresent(const std::string& path) {
    size_t collection = 0;
    if (NodeOfPath(path, collection) == nullptr) return false;
    const std::string devPath =
        m_devRoot + "/" + std::string(HidInterfacePathNode(path, kBackendName));
    const int fd = m_opener(devPath, O_PATH | O_CLOEXEC);
    if (fd < 0) return false;
    close(fd);
    return true;
}

}  // namespace warden
