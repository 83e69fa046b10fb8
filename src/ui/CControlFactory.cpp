#include "ui/CControlFactory.h"

#include "platform/Text.h"
#include "ui/controls/CColorPaletteUI.h"
#include "ui/controls/CComboUI.h"
#include "ui/controls/CEditUI.h"
#include "ui/controls/CLinearLayoutUI.h"
#include "ui/controls/CListElementUI.h"
#include "ui/controls/CListUI.h"
#include "ui/controls/CMenuUI.h"
#include "ui/controls/COptionUI.h"
#include "ui/controls/CSliderUI.h"
#include "ui/controls/CTabLayoutUI.h"

namespace warden {
namespace {

template <typename T>
CControlUI* Make() {
    return new T;
}

}  // namespace

CControlFactory::CControlFactory() {
    const std::pair<const char*, CreateClass> builtin[] = {
        {"control", Make<CControlUI>},
        {"container", Make<CContainerUI>},
        {"verticallayout", Make<CVerticalLayoutUI>},
        {"horizontallayout", Make<CHorizontalLayoutUI>},
        {"tablayout", Make<CTabLayoutUI>},
        {"label", Make<CLabelUI>},
        {"text", Make<CTextUI>},
        {"button", Make<CButtonUI>},
        {"option", Make<COptionUI>},
        {"checkbox", Make<CCheckBoxUI>},
        {"edit", Make<CEditUI>},
        {"richedit", Make<CRichEditUI>},
        {"combo", Make<CComboUI>},
        {"list", Make<CListUI>},
        {"listheader", Make<CListHeaderUI>},
        {"listheaderitem", Make<CListHeaderItemUI>},
        {"listlabelelement", Make<CListLabelElementUI>},
        {"listcontainerelement", Make<CListContainerElementUI>},
        {"progress", Make<CProgressUI>},
        {"slider", Make<CSliderUI>},
        {"colorpalette", Make<CColorPaletteUI>},
        {"menu", Make<CMenuUI>},
        {"menuelement", Make<CMenuElementUI>},
    };
    for (const auto& [name, create] : builtin) m_builtin.emplace(name, create);
}

CControlFactory* CControlFactory::GetInstance() {
    static CControlFactory factory;
    return &factory;
}

CControlUI* CControlFactory::CreateBuiltin(std::string_view className) const {
    auto it = m_builtin.find(ToLowerAscii(className));
    return it == m_builtin.end() ? nullptr : it->second();
}

CControlUI* CControlFactory::CreateControl(std::string_view className) const {
    auto it = m_registered.find(ToLowerAscii(className));
    return it == m_registered.end() || !it->second ? nullptr : it->second();
}

void CControlFactory::RegistControl(std::string_view className, CreateClass create) {
    m_registered[ToLowerAscii(className)] = std::move(create);
}

void CControlFactory::UnregistControl(std::string_view className) {
    m_registered.erase(ToLowerAscii(className));
}

}  // namespace warden
