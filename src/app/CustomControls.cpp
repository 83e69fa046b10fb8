#include "app/CustomControls.h"

#include <array>
#include <new>

#include "ui/CControlFactory.h"

namespace warden {
namespace {

struct CustomControlRow {
    const char* className;
    CControlUI* (*create)();
};

// Null when the allocation fails, as every creator of the table.
template <typename T>
CControlUI* Create() {
    return new (std::nothrow) T;
}

// In registration order. No program control class exists yet; each one adds
// its row here, e.g. {"CDeviceOptionUI", &Create<CDeviceOptionUI>}.
constexpr std::array<CustomControlRow, 0> kCustomControls{};

}  // namespace

void RegisterCustomControls() {
    for (const auto& row : kCustomControls) {
        CControlFactory::GetInstance()->RegistControl(row.className, row.create);
    }
}

}  // namespace warden
