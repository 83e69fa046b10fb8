#pragma once
// A button with a selected state. In a group (attribute "group") selecting
// one deselects the others; without a group a click toggles it. Changes
// raise "selectchanged" unless asked not to.

#include "ui/controls/CButtonUI.h"

namespace warden {

class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    const std::string& GetGroup() const { return m_sGroupName; }
    void SetGroup(std::string_view group);
    bool IsSelected() const { return m_bSelected; }
    // Selects or deselects; `triggerEvent` false changes it silently.
    virtual void Selected(bool selected, bool triggerEvent = true);
    bool Activate() override;

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(Painter& painter) override;
    void PaintText(Painter& painter) override;

protected:
    bool m_bSelected = false;
    std::string m_sGroupName;
    std::string m_sSelectedImage;
    std::string m_sSelectedHotImage;
    Color m_dwSelectedTextColor = 0;
    Color m_dwSelectedBkColor = 0;
};

// An option without a group: a check box. SetCheck is Selected.
class CCheckBoxUI : public COptionUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }
    bool GetCheck() const { return IsSelected(); }
};

}  // namespace warden
