#include "ui/controls/CMenuUI.h"

namespace warden {

std::string_view CMenuUI::GetClass() const {
    return "Menu";
}

void* CMenuUI::GetInterface(std::string_view name) {
    return name == "Menu" ? this : CListUI::GetInterface(name);
}

std::string_view CMenuElementUI::GetClass() const {
    return "MenuElement";
}

void* CMenuElementUI::GetInterface(std::string_view name) {
    return name == "MenuElement" ? this : CListLabelElementUI::GetInterface(name);
}

}  // namespace warden
