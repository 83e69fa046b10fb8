#include "platform/hid/HidInterfacePath.h"

#include <cstdio>

namespace warden {

std::string FormatHidInterfacePath(std::string_view backend, const HidPathIdentity& identity,
                                   std::string_view node) {
    char ids[48];
    int n =
        std::snprintf(ids, sizeof ids, "#vid_%04x&pid_%04x", identity.vendorId, identity.productId);
    if (identity.interfaceNumber >= 0) {
        n += std::snprintf(ids + n, sizeof ids - n, "&mi_%02x", identity.interfaceNumber & 0xFF);
    }
    if (identity.collection > 0) {
        std::snprintf(ids + n, sizeof ids - n, "&col%02x", identity.collection & 0xFF);
    }
    std::string path(backend);
    path += ids;
    path += '#';
    path += node;
    return path;
}

std::string_view HidInterfacePathNode(std::string_view path, std::string_view backend) {
    if (path.size() <= backend.size() || path.substr(0, backend.size()) != backend ||
        path[backend.size()] != '#') {
        return {};
    }
    const size_t hash = path.rfind('#');
    if (hash == backend.size()) return {};
    return path.substr(hash + 1);
}

}  // namespace warden
