#pragma once
// Interface paths in the shape the path helpers read:
//   <backend>#vid_xxxx&pid_xxxx[&mi_xx][&colxx]#<node>
// lower-case hexadecimal as Windows writes them; "&colxx" (from 01, in
// descriptor order) only when the interface has several top-level
// collections; <node> names the backend's node (a hidraw node, an emulated
// instance).

#include <cstdint>
#include <string>
#include <string_view>

namespace warden {

struct HidPathIdentity {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = -1;  // negative: no "&mi_"
    int collection = 0;        // 0: no "&col"
};

std::string FormatHidInterfacePath(std::string_view backend, const HidPathIdentity& identity,
                                   std::string_view node);

// The node of a path of `backend`; empty when the path is not of that shape.
std::string_view HidInterfacePathNode(std::string_view path, std::string_view backend);

}  // namespace warden
