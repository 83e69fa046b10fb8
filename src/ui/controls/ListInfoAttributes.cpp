#include "ui/controls/ListInfoAttributes.h"

#include <utility>

#include "ui/AttributeParse.h"
#include "ui/Painter.h"

namespace warden {

namespace {

constexpr std::pair<std::string_view, Color TListInfoUI::*> kColorAttributes[] = {
    {"itemtextcolor", &TListInfoUI::dwTextColor},
    {"itembkcolor", &TListInfoUI::dwBkColor},
    {"itemselectedtextcolor", &TListInfoUI::dwSelectedTextColor},
    {"itemselectedbkcolor", &TListInfoUI::dwSelectedBkColor},
    {"itemhottextcolor", &TListInfoUI::dwHotTextColor},
    {"itemhotbkcolor", &TListInfoUI::dwHotBkColor},
    {"itemdisabledtextcolor", &TListInfoUI::dwDisabledTextColor},
};

constexpr std::pair<std::string_view, std::string TListInfoUI::*> kImageAttributes[] = {
    {"itembkimage", &TListInfoUI::sBkImage},
    {"itemselectedimage", &TListInfoUI::sSelectedImage},
    {"itemhotimage", &TListInfoUI::sHotImage},
};

}  // namespace

bool SetListInfoAttribute(TListInfoUI& info, std::string_view name, std::string_view value) {
    for (const auto& [attribute, member] : kColorAttributes) {
        if (name != attribute) continue;
        if (auto c = ParseColor(value)) info.*member = *c;
        return true;
    }
    for (const auto& [attribute, member] : kImageAttributes) {
        if (name != attribute) continue;
        info.*member = value;
        return true;
    }
    if (name == "itemfont") {
        if (auto v = ParseInt(value)) info.nFont = *v;
    } else if (name == "itemalign") {
        info.uTextStyle &= ~(kDtLeft | kDtCenter | kDtRight);
        if (value == "center")
            info.uTextStyle |= kDtCenter;
        else if (value == "right")
            info.uTextStyle |= kDtRight;
    } else if (name == "itemtextpadding") {
        if (auto r = ParseRect(value)) info.rcTextPadding = *r;
    } else {
        return false;
    }
    return true;
}

}  // namespace warden
