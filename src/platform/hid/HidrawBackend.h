#pragma once
// The Linux backend: hidraw nodes found under the sysfs class folder, their
// ids, interface number and report descriptor read from sysfs, one path per
// top-level collection, I/O on the /dev node. Both roots are configurable so
// that tests can point them at a temporary tree.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidShareTable.h"

namespace warden {

inline constexpr const char* kHidrawSysClassRoot = "/sys/class/hidraw";
inline constexpr const char* kHidrawDevRoot = "/dev";

class HidrawBackend : public HidBackend {
public:
    // Opens a node file (`path`, open(2) flags); returns a descriptor or -1
    // with errno set. Tests replace it to stand in for a node.
    using NodeOpener = std::function<int(const std::string& path, int flags)>;

    explicit HidrawBackend(std::string sysClassRoot = kHidrawSysClassRoot,
                           std::string devRoot = kHidrawDevRoot, NodeOpener opener = {});
    ~HidrawBackend() override;

    bool EnumerateInterfaces(std::vector<std::string>& paths) override;
    std::unique_ptr<HidDevice> Open(const std::string& path, const HidOpenFlags& flags) override;
    bool IsPresent(const std::string& path) override;

private:
    struct Node;
    std::shared_ptr<const Node> LookupNode(const std::string& name);
    std::shared_ptr<const Node> LoadNode(const std::string& name, const std::string& link) const;
    // The node behind `path` and the collection it names, or null.
    std::shared_ptr<const Node> NodeOfPath(const std::string& path, size_t& collection);

    const std::string m_sysClassRoot;
    const std::string m_devRoot;
    const NodeOpener m_opener;
    const std::shared_ptr<HidShareTable> m_shares;
    // Nodes keyed by name; reused while the node's device link is unchanged,
    // so a pass over unchanged nodes reads no files.
    std::mutex m_cacheLock;
    std::map<std::string, std::shared_ptr<const Node>> m_cache;
};

}  // namespace warden
