#include <gtest/gtest.h>

#include "ui/CDialogBuilder.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CLinearLayoutUI.h"
#include "ui/testhost/TestHost.h"

namespace warden {
namespace {

// Builds `xml` into a window-less manager of the given size and lays it out.
struct Laid {
    TestHost host;
    CPaintManagerUI manager;
    CControlUI* Build(const char* xml, int dpi = 96) {
        manager.SetDPI(dpi);
        CDialogBuilder builder;
        CControlUI* root = builder.Create(xml, nullptr, &manager);
        if (root) manager.AttachDialog(root);
        manager.UpdateLayout();
        return root;
    }
    Rect Pos(const char* name) { return manager.FindControl(name)->GetPos(); }
};

TEST(Layout, VerticalSharesTheRestAmongStretchedChildren) {
    Laid ui;
    ASSERT_TRUE(
        ui.Build(R"(<Window size="100,200"><VerticalLayout inset="5,10,5,10" childpadding="4">
        <Control name="a" height="30"/>
        <Control name="b"/>
        <Control name="c" height="20" padding="0,6,0,0"/>
        <Control name="d"/>
        <Control name="hidden" height="50" visible="false"/>
      </VerticalLayout></Window>)"));
    // Space 180, fixed 30 + 20 + 6, three gaps of 4: 112 left for two.
    EXPECT_EQ(ui.Pos("a"), (Rect{5, 10, 95, 40}));
    EXPECT_EQ(ui.Pos("b"), (Rect{5, 44, 95, 100}));
    EXPECT_EQ(ui.Pos("c"), (Rect{5, 110, 95, 130}));
    EXPECT_EQ(ui.Pos("d"), (Rect{5, 134, 95, 190}));
}

TEST(Layout, HorizontalHonoursFixedWidthAndRemainder) {
    Laid ui;
    ASSERT_TRUE(ui.Build(R"(<Window size="101,20"><HorizontalLayout>
        <Control name="a"/><Control name="b" width="40" height="10"/><Control name="c"/>
      </HorizontalLayout></Window>)"));
    EXPECT_EQ(ui.Pos("a"), (Rect{0, 0, 30, 20}));
    EXPECT_EQ(ui.Pos("b"), (Rect{30, 0, 70, 10}));
    EXPECT_EQ(ui.Pos("c"), (Rect{70, 0, 101, 20}));  // the last one takes the rounding
}

TEST(Layout, FloatChildIsPlacedByPosRelativeToParent) {
    Laid ui;
    ASSERT_TRUE(ui.Build(R"(<Window size="200,200"><VerticalLayout inset="10,10,10,10">
        <Control name="flow"/>
        <Control name="f" float="true" pos="20,30,70,50"/>
      </VerticalLayout></Window>)"));
    EXPECT_EQ(ui.Pos("f"), (Rect{20, 30, 70, 50}));
    EXPECT_EQ(ui.Pos("flow"), (Rect{10, 10, 190, 190}));
}

TEST(Layout, MinAndMaxBoundStretchedSizes) {
    Laid ui;
    ASSERT_TRUE(ui.Build(R"(<Window size="100,100"><VerticalLayout>
        <Control name="a" maxheight="20"/><Control name="b" minheight="70"/>
      </VerticalLayout></Window>)"));
    EXPECT_EQ(ui.Pos("a").Height(), 20);
    EXPECT_EQ(ui.Pos("b").Height(), 70);
}

TEST(Layout, DpiScalesFixedSizesInsetAndPositions) {
    const char* xml = R"(<Window size="200,100"><HorizontalLayout inset="4,4,4,4" childpadding="2">
        <Control name="a" width="40"/><Control name="b"/>
        <Control name="f" float="true" pos="10,10,30,20"/>
      </HorizontalLayout></Window>)";
    Laid at96;
    ASSERT_TRUE(at96.Build(xml));
    EXPECT_EQ(at96.Pos("a"), (Rect{4, 4, 44, 96}));
    EXPECT_EQ(at96.Pos("f"), (Rect{10, 10, 30, 20}));

    Laid at144;
    ASSERT_TRUE(at144.Build(xml, 144));
    EXPECT_EQ(at144.manager.GetInitSize(), (Size{300, 150}));
    EXPECT_EQ(at144.Pos("a"), (Rect{6, 6, 66, 144}));
    EXPECT_EQ(at144.Pos("b"), (Rect{69, 6, 294, 144}));
    EXPECT_EQ(at144.Pos("f"), (Rect{15, 15, 45, 30}));
    EXPECT_EQ(at144.manager.GetFont(-1).size, 18);  // the default 12 px font
}

TEST(Layout, HugeSizesAreBoundedNotWrapped) {
    Laid ui;
    ASSERT_TRUE(ui.Build(R"(<Window size="100,100"><HorizontalLayout>
        <Control name="a" width="2000000000" height="-5"/><Control name="b" width="2000000000"/>
      </HorizontalLayout></Window>)",
                         144));
    const CControlUI* a = ui.manager.FindControl("a");
    EXPECT_EQ(a->GetFixedWidth(), CPaintManagerUI::kMaxScaled);
    EXPECT_GE(ui.Pos("a").left, 0);
    EXPECT_GE(ui.Pos("b").left, ui.Pos("a").left);
}

TEST(Layout, HidingAChildGivesItsSpaceToTheOthers) {
    Laid ui;
    ASSERT_TRUE(ui.Build(R"(<Window size="100,100"><VerticalLayout>
        <Control name="a" height="40"/><Control name="b"/>
      </VerticalLayout></Window>)"));
    ui.manager.FindControl("a")->SetVisible(false);
    ui.manager.UpdateLayout();
    EXPECT_EQ(ui.Pos("b"), (Rect{0, 0, 100, 100}));
}

TEST(Layout, VerticalScrollMovesContentAndClampsToRange) {
    Laid ui;
    ASSERT_TRUE(ui.Build(R"(<Window size="100,50"><VerticalLayout name="v" vscrollbar="true">
        <Control name="a" height="40"/><Control name="b" height="40"/>
      </VerticalLayout></Window>)"));
    auto* v = static_cast<CContainerUI*>(ui.manager.FindControl("v"));
    EXPECT_EQ(v->GetScrollRange(), 30);
    v->SetScrollPos(100);
    ui.manager.UpdateLayout();
    EXPECT_EQ(v->GetScrollPos(), 30);
    EXPECT_EQ(ui.Pos("b").top, 10);
}

}  // namespace
}  // namespace warden
