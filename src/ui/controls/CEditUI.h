#pragma once
// A one-line text field. With a native text input (Qt host) the host edits
// the text; headless the control takes WM_CHAR itself. Options: read-only,
// digits only, maximum length, password, and a numeric range that the text
// is clamped to when the edit loses the focus. Raises "textchanged",
// "return", and the focus notifications.

#include <optional>

#include "ui/controls/CLabelUI.h"

namespace warden {

class CEditUI : public CLabelUI {
public:
    CEditUI();
    ~CEditUI() override;
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool readOnly);
    bool IsNumberOnly() const { return m_bNumberOnly; }
    void SetNumberOnly(bool numberOnly) { m_bNumberOnly = numberOnly; }
    void SetMaxChar(int maxChars) { m_iMaxChars = maxChars; }
    int GetMaxChar() const { return m_iMaxChars; }
    void SetPasswordMode(bool password);
    // Numeric range the text is clamped into on kill focus (digits only).
    void SetRange(int minValue, int maxValue);

    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(Painter& painter) override;
    void PaintText(Painter& painter) override;

protected:
    // Applies a user edit: filtered, limited, "textchanged" when it changed.
    void ApplyUserText(std::string text);
    // Closes the host's text input; it must not call back into a gone edit.
    void EndNativeInput();
    void ClampToRange();
    virtual bool AcceptsNewline() const { return false; }

    bool m_bReadOnly = false;
    bool m_bNumberOnly = false;
    bool m_bPasswordMode = false;
    bool m_bNativeInput = false;
    int m_iMaxChars = 255;
    std::optional<int> m_minValue;
    std::optional<int> m_maxValue;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sFocusedImage;
    std::string m_sDisabledImage;
    Color m_dwEditBkColor = 0;
    bool m_bHot = false;
};

// A multi-line text box (DuiLib's RichEdit, as the program uses it).
class CRichEditUI : public CEditUI {
public:
    CRichEditUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

protected:
    bool AcceptsNewline() const override { return m_bWantReturn; }

private:
    bool m_bWantReturn = false;
};

}  // namespace warden
