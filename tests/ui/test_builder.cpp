#include "UiFixture.h"
#include "platform/Trace.h"
#include "ui/CControlFactory.h"
#include "ui/CDialogBuilder.h"
#include "ui/controls/CButtonUI.h"
#include "ui/controls/CContainerUI.h"
#include "ui/controls/CLabelUI.h"

namespace warden {
namespace {

class Fancy : public CControlUI {
public:
    std::string_view GetClass() const override { return "Fancy"; }
};

class Registered : public CControlUI {
public:
    std::string_view GetClass() const override { return "Registered"; }
};

using BuilderTest = UiTest;

TEST_F(BuilderTest, WindowTagSetsSizeFontsDefaultsAndStyles) {
    TestWindow& w = Open("main.xml");
    EXPECT_EQ(w.Manager().GetInitSize(), (Size{400, 300}));
    EXPECT_EQ(w.Manager().GetFont(1).size, 16);
    EXPECT_TRUE(w.Manager().GetFont(1).bold);
    auto* close = static_cast<CButtonUI*>(w.Find("closebtn"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetTextColor(), 0xFF112233u);  // <Default> for Button
    EXPECT_EQ(close->GetFixedHeight(), 30);
    EXPECT_EQ(close->GetFixedWidth(), 120);  // the style overrides the node's width
    EXPECT_EQ(close->GetFont(), 1);
}

TEST_F(BuilderTest, IncludeBuildsTheFileInPlace) {
    TestWindow& w = Open("main.xml");
    CControlUI* options = w.Find("options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetParent(), w.Find("root"));
    EXPECT_NE(w.Manager().FindSubControlByName(options, "opt_b"), nullptr);
}

TEST_F(BuilderTest, UnknownClassYieldsNoControlNorChildren) {
    TraceCapture trace;
    TestWindow& w = Open("main.xml");
    EXPECT_EQ(w.Find("ghost"), nullptr);
    EXPECT_EQ(w.Find("ghostchild"), nullptr);
    EXPECT_EQ(w.Find("custom"), nullptr);
    EXPECT_NE(w.Find("filler"), nullptr);
    EXPECT_TRUE(trace.Contains("NoSuchControl"));
}

TEST_F(BuilderTest, CallbackThenFactoryCreateUnknownClasses) {
    CControlFactory::GetInstance()->RegistControl("NoSuchControl", [] { return new Registered; });
    TestWindow& w = Open("main.xml", [](std::string_view name) -> CControlUI* {
        return name == "FancyWidget" ? new Fancy : nullptr;
    });
    CControlFactory::GetInstance()->UnregistControl("NoSuchControl");
    ASSERT_NE(w.Find("custom"), nullptr);
    EXPECT_EQ(w.Find("custom")->GetClass(), "Fancy");
    ASSERT_NE(w.Find("ghost"), nullptr);
    EXPECT_EQ(w.Find("ghost")->GetClass(), "Registered");
    EXPECT_EQ(w.Find("ghostchild"), nullptr);  // a plain control holds no children
}

TEST_F(BuilderTest, BadLayoutsYieldNothingAndATrace) {
    struct Case {
        const char* xml;
        const char* trace;
    } cases[] = {
        {"missing.xml", "not built"},
        {"broken.xml", "not built"},
        {"<Window><Font id='1'/></Window>", "no control"},
        {"<<<", "not built"},
    };
    for (const Case& c : cases) {
        TraceCapture trace;
        CPaintManagerUI manager;
        CDialogBuilder builder;
        EXPECT_EQ(builder.Create(c.xml, nullptr, &manager), nullptr) << c.xml;
        EXPECT_TRUE(trace.Contains(c.trace)) << c.xml;
    }
}

TEST_F(BuilderTest, SelfIncludeStopsAtTheDepthLimit) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI* root = builder.Create("loop.xml", nullptr, &manager);
    ASSERT_NE(root, nullptr);
    int depth = 0;
    root->ForEach([&](CControlUI*) { return ++depth > 100; });
    EXPECT_LE(depth, 10);
    delete root;
}

// Without a parent the builder hands back one tree; whatever else the layout
// names must not be built and dropped.
TEST_F(BuilderTest, WithoutParentOnlyTheReturnedTreeIsBuilt) {
    struct Counted : CControlUI {
        explicit Counted(int& live) : m_live(live) { ++m_live; }
        ~Counted() override { --m_live; }
        int& m_live;
    };
    struct Callback : IDialogBuilderCallback {
        CControlUI* CreateControl(std::string_view name) override {
            return name == "Counted" ? new Counted(live) : nullptr;
        }
        int live = 0;
    };
    const char* layouts[] = {
        "<Include source='&lt;Counted/&gt;' count='3'/>",
        "<Window><Include source='&lt;Counted/&gt;'/><Counted/></Window>",
        "<Window><Counted/><Counted/></Window>",
    };
    for (const char* xml : layouts) {
        Callback callback;
        CPaintManagerUI manager;
        CDialogBuilder builder;
        CControlUI* root = builder.Create(xml, &callback, &manager);
        ASSERT_NE(root, nullptr) << xml;
        EXPECT_EQ(callback.live, 1) << xml;
        delete root;
        EXPECT_EQ(callback.live, 0) << xml;
    }
}

TEST_F(BuilderTest, NestedIncludesStopAtTheBuildBudget) {
    TraceCapture trace;
    CPaintManagerUI manager;
    CContainerUI holder;
    CDialogBuilder builder;
    // A thousand includes of a thousand controls each.
    builder.Create(
        "<Include source=\"&lt;Include source='&amp;lt;Control/&amp;gt;' count='1000'/&gt;\" "
        "count='1000'/>",
        nullptr, &manager, &holder);
    EXPECT_GT(holder.GetCount(), 0);
    EXPECT_LT(holder.GetCount(), 10000);
    EXPECT_TRUE(trace.Contains("more than"));
}

TEST_F(BuilderTest, StylesNamingEachOtherAreAppliedOnce) {
    TraceCapture trace;
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(
        "<Window><Style name='a' value='style=\"b\" width=\"5\"'/>"
        "<Style name='b' value='style=\"a\"'/>"
        "<Label name='l' style='a' height='7'/></Window>",
        nullptr, &manager);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetFixedWidth(), 5);
    EXPECT_EQ(root->GetFixedHeight(), 7);
    EXPECT_TRUE(trace.Contains("nested too deeply"));
    delete root;
}

TEST_F(BuilderTest, MalformedAttributeValuesAreIgnored) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(
        R"(<Label name="l" width="abc" height="12" bkcolor="#XYZ" textcolor="#FF0000FF" pos="1,2,3"/>)",
        nullptr, &manager);
    ASSERT_NE(root, nullptr);
    auto* label = static_cast<CLabelUI*>(root);
    EXPECT_EQ(label->GetFixedWidth(), 0);
    EXPECT_EQ(label->GetFixedHeight(), 12);
    EXPECT_EQ(label->GetBkColor(), 0u);
    EXPECT_EQ(label->GetTextColor(), 0xFF0000FFu);
    EXPECT_FALSE(label->IsFloat());
    delete root;
}

TEST_F(BuilderTest, ResourceListMapsIdsToFiles) {
    ASSERT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
    TestWindow& w = Open("XML_MAIN");
    EXPECT_NE(w.Find("root"), nullptr);
}

}  // namespace
}  // namespace warden
