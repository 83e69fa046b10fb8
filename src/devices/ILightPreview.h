#pragma once
// The light preview of one zone control of a device picture. A control
// offers it through GetInterface(kLightPreviewInterface), returning
// static_cast<ILightPreview*>(this).

#include <cstdint>
#include <string_view>

namespace warden {

inline constexpr std::string_view kLightPreviewInterface = "LightPreview";

class ILightPreview {
public:
    virtual ~ILightPreview() = default;
    // Colour: red in bits 0-7, green 8-15, blue 16-23. Stores the values
    // for the next paint; does not repaint by itself.
    virtual void SetLightColor(uint32_t colour, uint32_t level, bool lightOn) = 0;
};

}  // namespace warden
