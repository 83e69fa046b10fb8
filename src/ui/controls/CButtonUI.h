#pragma once
// A clickable label with an image per state. A press and release inside
// raises "click" through Activate.

#include "ui/controls/CLabelUI.h"

namespace warden {

// Button state bits.
inline constexpr uint32_t UISTATE_FOCUSED = 0x01;
inline constexpr uint32_t UISTATE_SELECTED = 0x02;
inline constexpr uint32_t UISTATE_DISABLED = 0x04;
inline constexpr uint32_t UISTATE_HOT = 0x08;
inline constexpr uint32_t UISTATE_PUSHED = 0x10;
inline constexpr uint32_t UISTATE_CAPTURED = 0x40;

class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // Raises "click"; false when hidden or disabled.
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    uint32_t GetButtonState() const { return m_uButtonState; }

    const std::string& GetNormalImage() const { return m_sNormalImage; }
    void SetNormalImage(std::string_view image);
    void SetHotImage(std::string_view image);
    void SetPushedImage(std::string_view image);
    void SetDisabledImage(std::string_view image);

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintText(Painter& painter) override;
    void PaintStatusImage(Painter& painter) override;

protected:
    uint32_t m_uButtonState = 0;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sPushedImage;
    std::string m_sFocusedImage;
    std::string m_sDisabledImage;
    std::string m_sForeImage;
    Color m_dwHotTextColor = 0;
    Color m_dwPushedTextColor = 0;
    Color m_dwHotBkColor = 0;
};

}  // namespace warden
