#pragma once
// A drop-down choice. Its rows (list elements) are children that are not
// shown in place; the control shows the selected row's text. Activating it
// opens the rows in a popup window; choosing one closes it. The wheel and
// the arrow keys step the selection. A change raises "itemselect"
// (wParam new, lParam old).

#include <memory>
#include <vector>

#include "ui/controls/CContainerUI.h"
#include "ui/controls/ListInterfaces.h"

namespace warden {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    std::string GetText() const override;
    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
    bool SelectMultiItem(int index, bool takeFocus = false) override;
    bool UnSelectItem(int index, bool others = false) override;

    bool AddAt(CControlUI* control, int index) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    // Opens the drop-down; false when disabled, empty or no window could open.
    bool Activate() override;
    bool IsDropped() const { return m_pWindow != nullptr; }
    // Closes the drop-down (no selection change).
    void CloseDropDown();
    // Height of the drop-down list (unscaled), "dropboxsize" height.
    int GetDropBoxHeight() const { return m_dropHeight; }

    // The rows are laid out and hit in the drop-down, never in place.
    void SetPos(const Rect& rc, bool needInvalidate = true) override;
    CControlUI* FindControlAt(Point pt) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void DoPaint(Painter& painter, const Rect& rcPaint) override;

private:
    friend class CComboWnd;
    void Renumber(int from);
    void OnDropWindowGone() { m_pWindow = nullptr; }

    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
    CComboWnd* m_pWindow = nullptr;
    int m_dropHeight = 150;
    uint32_t m_uButtonState = 0;
    Rect m_rcTextPadding;
    int m_iFont = -1;
    Color m_dwTextColor = 0;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sPushedImage;
    std::string m_sDisabledImage;
};

}  // namespace warden
