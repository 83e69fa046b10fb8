#pragma once
// The content of a menu window: a list of menu items ("Menu" holding
// "MenuElement" rows with name, text and user data).

#include "ui/controls/CListElementUI.h"
#include "ui/controls/CListUI.h"

namespace warden {

class CMenuUI : public CListUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

class CMenuElementUI : public CListLabelElementUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

}  // namespace warden
