#include "ui/controls/CLinearLayoutUI.h"

#include <algorithm>

namespace warden {
namespace {

// Axis-neutral access so one algorithm serves both directions.
struct Axis {
    bool vertical;
    int Main(Size s) const { return vertical ? s.cy : s.cx; }
    int Cross(Size s) const { return vertical ? s.cx : s.cy; }
    int MainLead(const Rect& r) const { return vertical ? r.top : r.left; }
    int MainTrail(const Rect& r) const { return vertical ? r.bottom : r.right; }
    int CrossLead(const Rect& r) const { return vertical ? r.left : r.top; }
    int CrossTrail(const Rect& r) const { return vertical ? r.right : r.bottom; }
    int MinMain(const CControlUI* c) const {
        return vertical ? c->GetMinHeight() : c->GetMinWidth();
    }
    int MaxMain(const CControlUI* c) const {
        return vertical ? c->GetMaxHeight() : c->GetMaxWidth();
    }
    int MinCross(const CControlUI* c) const {
        return vertical ? c->GetMinWidth() : c->GetMinHeight();
    }
    int MaxCross(const CControlUI* c) const {
        return vertical ? c->GetMaxWidth() : c->GetMaxHeight();
    }
    Rect Make(int mainLead, int mainTrail, int crossLead, int crossTrail) const {
        return vertical ? Rect{crossLead, mainLead, crossTrail, mainTrail}
                        : Rect{mainLead, crossLead, mainTrail, crossTrail};
    }
};

}  // namespace

void CLinearLayoutUI::SetPos(const Rect& rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Axis axis{m_vertical};
    Rect area = ContentRect();
    const Size available{area.Width(), area.Height()};
    const int childPadding = GetChildPadding();

    // First pass: what the fixed children take and how many stretch.
    int adjustables = 0;
    int fixedTotal = 0;
    int estimated = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || item->IsFloat()) continue;
        Rect pad = item->GetPadding();
        int main = axis.Main(item->EstimateSize(available));
        if (main == 0) {
            ++adjustables;
        } else {
            main = std::clamp(main, axis.MinMain(item),
                              std::max(axis.MinMain(item), axis.MaxMain(item)));
            fixedTotal += main;
        }
        fixedTotal += axis.MainLead(pad) + axis.MainTrail(pad);
        if (estimated++ > 0) fixedTotal += childPadding;
    }
    const int mainSpace = axis.Main(available);
    int expand = adjustables > 0 ? std::max(0, mainSpace - fixedTotal) / adjustables : 0;
    int remainder =
        adjustables > 0 ? std::max(0, mainSpace - fixedTotal) - expand * adjustables : 0;

    // Second pass: place them.
    int cursor = axis.MainLead(area) - (m_vertical ? m_scrollPos : 0);
    int seenAdjustables = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            SetFloatPos(item);
            continue;
        }
        Rect pad = item->GetPadding();
        Size want = item->EstimateSize(available);
        int main = axis.Main(want);
        if (main == 0) {
            main = expand;
            if (++seenAdjustables == adjustables) main += remainder;
        }
        main =
            std::clamp(main, axis.MinMain(item), std::max(axis.MinMain(item), axis.MaxMain(item)));
        int crossLead = axis.CrossLead(area) + axis.CrossLead(pad);
        int crossSpace = axis.Cross(available) - axis.CrossLead(pad) - axis.CrossTrail(pad);
        int cross = axis.Cross(want) == 0 ? crossSpace : axis.Cross(want);
        cross = std::clamp(cross, axis.MinCross(item),
                           std::max(axis.MinCross(item), axis.MaxCross(item)));
        cursor += axis.MainLead(pad);
        item->SetPos(axis.Make(cursor, cursor + main, crossLead, crossLead + cross), false);
        cursor += main + axis.MainTrail(pad) + childPadding;
    }
    int content = cursor - childPadding - (axis.MainLead(area) - (m_vertical ? m_scrollPos : 0));
    if (m_vertical) ProcessScrollBar(area, std::max(0, content));
}

std::string_view CVerticalLayoutUI::GetClass() const {
    return "VerticalLayout";
}
void* CVerticalLayoutUI::GetInterface(std::string_view name) {
    return name == "VerticalLayout" ? this : CContainerUI::GetInterface(name);
}
std::string_view CHorizontalLayoutUI::GetClass() const {
    return "HorizontalLayout";
}
void* CHorizontalLayoutUI::GetInterface(std::string_view name) {
    return name == "HorizontalLayout" ? this : CContainerUI::GetInterface(name);
}

}  // namespace warden
