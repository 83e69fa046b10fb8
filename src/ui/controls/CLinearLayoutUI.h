#pragma once
// Stacks children along one axis. Children with a fixed size along the axis
// keep it (within their min/max); the others share what is left equally, the
// last of them taking the rounding remainder. Across the axis a child fills
// the content area unless it has a fixed size. Padding and child padding
// separate them; floating children are placed by their "pos".

#include "ui/controls/CContainerUI.h"

namespace warden {

class CLinearLayoutUI : public CContainerUI {
public:
    explicit CLinearLayoutUI(bool vertical) : m_vertical(vertical) {}
    void SetPos(const Rect& rc, bool needInvalidate = true) override;

private:
    bool m_vertical;
};

class CVerticalLayoutUI : public CLinearLayoutUI {
public:
    CVerticalLayoutUI() : CLinearLayoutUI(true) {}
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

class CHorizontalLayoutUI : public CLinearLayoutUI {
public:
    CHorizontalLayoutUI() : CLinearLayoutUI(false) {}
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

}  // namespace warden
