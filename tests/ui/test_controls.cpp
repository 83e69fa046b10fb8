#include "UiFixture.h"
#include "ui/Painter.h"
#include "ui/controls/CComboUI.h"
#include "ui/controls/CEditUI.h"
#include "ui/controls/CListUI.h"
#include "ui/controls/COptionUI.h"
#include "ui/controls/CSliderUI.h"
#include "ui/controls/CTabLayoutUI.h"

namespace warden {
namespace {

using ControlsTest = UiTest;

TEST_F(ControlsTest, LookupByNameWholeWindowAndBelowAControl) {
    TestWindow& w = Open("main.xml");
    CPaintManagerUI& pm = w.Manager();
    EXPECT_NE(pm.FindControl("slider"), nullptr);
    EXPECT_EQ(pm.FindControl("nothing"), nullptr);
    CControlUI* titlebar = pm.FindControl("titlebar");
    EXPECT_EQ(pm.FindSubControlByName(titlebar, "minbtn"), pm.FindControl("minbtn"));
    EXPECT_EQ(pm.FindSubControlByName(titlebar, "slider"), nullptr);
    EXPECT_EQ(pm.FindSubControlByName(nullptr, "slider"), nullptr);
}

TEST_F(ControlsTest, OptionGroupKeepsOneSelected) {
    TestWindow& w = Open("main.xml");
    auto* a = static_cast<COptionUI*>(w.Find("opt_a"));
    auto* b = static_cast<COptionUI*>(w.Find("opt_b"));
    auto* c = static_cast<COptionUI*>(w.Find("opt_c"));
    EXPECT_TRUE(a->IsSelected());
    host.Click(w, Center(b));
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    EXPECT_FALSE(c->IsSelected());
    EXPECT_EQ(w.Notes("selectchanged", "opt_b").size(), 1u);
    EXPECT_EQ(w.Notes("selectchanged", "opt_a").size(), 1u);  // the one that lost it
    // Clicking the selected option of a group keeps it selected.
    host.Click(w, Center(b));
    EXPECT_TRUE(b->IsSelected());
    // Silent selection.
    w.notes.clear();
    c->Selected(true, false);
    EXPECT_TRUE(c->IsSelected());
    EXPECT_FALSE(b->IsSelected());
    EXPECT_TRUE(w.notes.empty());
}

TEST_F(ControlsTest, CheckBoxTogglesAndClicks) {
    TestWindow& w = Open("main.xml");
    auto* check = static_cast<CCheckBoxUI*>(w.Find("check"));
    host.Click(w, Center(check));
    EXPECT_TRUE(check->GetCheck());
    host.Click(w, Center(check));
    EXPECT_FALSE(check->GetCheck());
    EXPECT_EQ(w.Notes("click", "check").size(), 2u);
    EXPECT_EQ(w.Notes("selectchanged", "check").size(), 2u);
}

TEST_F(ControlsTest, SliderClampsAndRaisesMoveThenValueChanged) {
    TestWindow& w = Open("main.xml");
    auto* slider = static_cast<CSliderUI*>(w.Find("slider"));
    slider->SetValue(500);
    EXPECT_EQ(slider->GetValue(), 100);
    slider->SetValue(-5);
    EXPECT_EQ(slider->GetValue(), 0);
    slider->SetMaxValue(-10);  // below the minimum: ignored
    EXPECT_EQ(slider->GetMaxValue(), 100);
    EXPECT_TRUE(w.Notes("valuechanged", "slider").empty());  // code changes are silent

    const Rect& rc = slider->GetPos();
    Point thumb = Center(slider);
    thumb.x = slider->GetThumbRect().left + 2;
    host.MouseDown(w, thumb);
    host.MouseMove(w, {rc.left + rc.Width() / 2, thumb.y});
    host.MouseMove(w, {rc.right + 50, thumb.y});
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(w.Notes("movevaluechanged", "slider").size(), 2u);
    EXPECT_TRUE(w.Notes("valuechanged", "slider").empty());
    host.MouseUp(w, {rc.right + 50, thumb.y});
    ASSERT_EQ(w.Notes("valuechanged", "slider").size(), 1u);
    EXPECT_EQ(slider->GetValue(), 100);
}

TEST_F(ControlsTest, ComboSelectionByCodeKeysAndDropDown) {
    TestWindow& w = Open("main.xml");
    auto* combo = static_cast<CComboUI*>(w.Find("combo"));
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(combo->SelectItem(1));
    EXPECT_EQ(combo->GetText(), "two");
    auto notes = w.Notes("itemselect", "combo");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, 1u);
    EXPECT_EQ(notes[0].lParam, -1);
    EXPECT_FALSE(combo->SelectItem(7));
    EXPECT_TRUE(combo->SelectItem(2, false, false));
    EXPECT_EQ(w.Notes("itemselect", "combo").size(), 1u);

    // Open the drop-down and pick the first row in it.
    host.Click(w, Center(combo));
    ASSERT_TRUE(combo->IsDropped());
    ASSERT_EQ(host.Windows().size(), 2u);
    auto& popup = dynamic_cast<CWindowWnd&>(host.Windows()[1]->client);
    RecordingPainter painter;
    host.Paint(popup, painter);
    EXPECT_NE(painter.FindText("one"), nullptr);
    host.Click(popup, Center(combo->GetItemAt(0)));
    EXPECT_FALSE(combo->IsDropped());
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(host.Windows().size(), 1u);
    EXPECT_EQ(w.Notes("itemselect", "combo").back().wParam, 0u);
    EXPECT_EQ(combo->GetItemAt(0)->GetManager(), &w.Manager());
}

TEST_F(ControlsTest, ListSelectsClicksAndMultiSelectsWithCtrl) {
    TestWindow& w = Open("main.xml");
    auto* list = static_cast<CListUI*>(w.Find("list"));
    ASSERT_EQ(list->GetCount(), 3);
    host.Click(w, Center(w.Find("row1")));
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(w.Notes("itemselect", "list").size(), 1u);
    EXPECT_EQ(w.Notes("itemclick", "row1").size(), 1u);

    host.SetKeyDown(VK_CONTROL, true);
    host.Click(w, Center(w.Find("row2")));
    host.SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{1, 2}));

    host.Click(w, Center(w.Find("row0")));
    EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{0}));

    host.DoubleClick(w, Center(w.Find("row0")));
    EXPECT_EQ(w.Notes("itemactivate", "row0").size(), 1u);

    EXPECT_TRUE(list->RemoveAt(0));
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(w.Find("row0"), nullptr);
}

TEST_F(ControlsTest, EditTakesDigitsOnlyAndClampsToItsRange) {
    TestWindow& w = Open("main.xml");
    auto* edit = static_cast<CEditUI*>(w.Find("edit"));
    host.Click(w, Center(edit));
    EXPECT_EQ(w.Manager().GetFocus(), edit);
    host.TypeText(w, "3a07");
    EXPECT_EQ(edit->GetText(), "307");
    EXPECT_EQ(w.Notes("textchanged", "edit").size(), 3u);
    host.KeyDown(w, VK_RETURN);
    EXPECT_EQ(edit->GetText(), "255");
    EXPECT_EQ(w.Notes("return", "edit").size(), 1u);
    host.Click(w, Center(w.Find("filler")));
    EXPECT_EQ(w.Notes("killfocus", "edit").size(), 1u);
}

TEST_F(ControlsTest, TabLayoutShowsOnePage) {
    CPaintManagerUI manager;
    CTabLayoutUI tab;
    tab.SetManager(&manager, nullptr, false);
    auto* p0 = new CControlUI;
    auto* p1 = new CControlUI;
    tab.Add(p0);
    tab.Add(p1);
    EXPECT_EQ(tab.GetCurSel(), 0);
    EXPECT_TRUE(p0->IsVisible());
    EXPECT_FALSE(p1->IsVisible());
    EXPECT_TRUE(tab.SelectItem(1));
    EXPECT_FALSE(p0->IsVisible());
    EXPECT_TRUE(p1->IsVisible());
    EXPECT_FALSE(tab.SelectItem(5));
    EXPECT_EQ(tab.GetCurSel(), 1);
    tab.SetManager(nullptr, nullptr, false);
}

TEST_F(ControlsTest, ButtonClicksOnlyWhenReleasedInside) {
    TestWindow& w = Open("main.xml");
    CControlUI* button = w.Find("minbtn");
    host.MouseDown(w, Center(button));
    host.MouseMove(w, {1, 299});
    host.MouseUp(w, {1, 299});
    EXPECT_TRUE(w.Notes("click", "minbtn").empty());
    button->SetEnabled(false);
    host.Click(w, Center(button));
    EXPECT_TRUE(w.Notes("click", "minbtn").empty());
    button->SetEnabled(true);
    host.Click(w, Center(button));
    EXPECT_EQ(w.Notes("click", "minbtn").size(), 1u);
    EXPECT_TRUE(host.Native(w)->minimized);  // the title-bar button's default
}

TEST(ListInfoAttributes, ListAndComboTakeTheSameItemAttributes) {
    CListUI list;
    CComboUI combo;
    for (IListOwnerUI* owner : std::initializer_list<IListOwnerUI*>{&list, &combo}) {
        auto* control = dynamic_cast<CControlUI*>(owner);
        ASSERT_NE(control, nullptr);
        control->SetAttribute("itemfont", "3");
        control->SetAttribute("itemalign", "right");
        control->SetAttribute("itemtextpadding", "1,2,3,4");
        control->SetAttribute("itemhotbkcolor", "#FF102030");
        control->SetAttribute("itemdisabledtextcolor", "#FF405060");
        control->SetAttribute("itemselectedimage", "sel.png");
        control->SetAttribute("itembkcolor", "not a colour");  // ignored
        const TListInfoUI& info = *owner->GetListInfo();
        EXPECT_EQ(info.nFont, 3);
        EXPECT_EQ(info.uTextStyle & (kDtCenter | kDtRight), kDtRight);
        EXPECT_EQ(info.rcTextPadding, (Rect{1, 2, 3, 4}));
        EXPECT_EQ(info.dwHotBkColor, 0xFF102030u);
        EXPECT_EQ(info.dwDisabledTextColor, 0xFF405060u);
        EXPECT_EQ(info.sSelectedImage, "sel.png");
        EXPECT_EQ(info.dwBkColor, 0u);
    }
}

}  // namespace
}  // namespace warden
