#include "UiFixture.h"
#include "platform/Trace.h"
#include "ui/controls/CContainerUI.h"
#include "ui/controls/CLabelUI.h"

namespace warden {
namespace {

using PaintManagerTest = UiTest;

TEST_F(PaintManagerTest, FirstLayoutRaisesWindowInitOnce) {
    TestWindow& w = Open("main.xml");
    RecordingPainter painter;
    host.Paint(w, painter);
    EXPECT_EQ(w.Notes("windowinit", "root").size(), 1u);
}

TEST_F(PaintManagerTest, ControlTimersFireByTheManualClock) {
    TestWindow& w = Open("main.xml");
    CControlUI* filler = w.Find("filler");
    ASSERT_TRUE(w.Manager().SetTimer(filler, 7, 100));
    host.AdvanceTime(99);
    EXPECT_TRUE(w.Notes("timer", "filler").empty());
    host.AdvanceTime(1);
    ASSERT_EQ(w.Notes("timer", "filler").size(), 1u);
    EXPECT_EQ(w.Notes("timer", "filler")[0].wParam, 7u);
    host.AdvanceTime(250);
    EXPECT_EQ(w.Notes("timer", "filler").size(), 3u);
    EXPECT_TRUE(w.Manager().KillTimer(filler, 7));
    host.AdvanceTime(1000);
    EXPECT_EQ(w.Notes("timer", "filler").size(), 3u);
    EXPECT_FALSE(w.Manager().KillTimer(filler, 7));
}

TEST_F(PaintManagerTest, TimerOfARemovedControlStops) {
    TestWindow& w = Open("main.xml");
    auto* root = static_cast<CContainerUI*>(w.Find("root"));
    CControlUI* filler = w.Find("filler");
    w.Manager().SetTimer(filler, 1, 10);
    EXPECT_EQ(host.ActiveTimers(), 1u);
    root->Remove(filler);
    EXPECT_EQ(host.ActiveTimers(), 0u);
    EXPECT_EQ(w.Find("filler"), nullptr);
    host.AdvanceTime(100);
}

TEST_F(PaintManagerTest, WindowTimerDeliversWmTimer) {
    TestWindow& w = Open("main.xml");
    ASSERT_TRUE(w.SetTimer(1011, 50));
    ASSERT_TRUE(w.SetTimer(1032, 10));
    host.AdvanceTime(50);
    std::vector<WParam> ids;
    for (auto& [message, wParam, lParam] : w.messages)
        if (message == WM_TIMER) ids.push_back(wParam);
    // At 50 ms both fall due; the older timer fires first.
    EXPECT_EQ(ids, (std::vector<WParam>{1032, 1032, 1032, 1032, 1011, 1032}));
    w.KillTimer(1032);
    w.KillTimer(1011);
    EXPECT_EQ(host.ActiveTimers(), 0u);
}

TEST_F(PaintManagerTest, LanguageSwitchRetextsResourceTextControls) {
    auto& resources = CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage("lang_en.xml"));
    TestWindow& w = Open("main.xml");
    EXPECT_EQ(w.Find("title")->GetText(), "Hello");
    RecordingPainter painter;
    host.Paint(w, painter);
    EXPECT_NE(painter.FindText("Hello"), nullptr);

    resources.SetLanguage("Deutsch");
    ASSERT_TRUE(resources.LoadLanguage("lang_de.xml"));
    resources.ReloadText();
    EXPECT_FALSE(host.Native(w)->invalid.IsEmpty());
    painter.Clear();
    host.Paint(w, painter);
    EXPECT_NE(painter.FindText("Hallo"), nullptr);
    EXPECT_EQ(painter.FindText("Hello"), nullptr);

    CControlUI* title = w.Find("title");
    title->SetToolTip("title_key");
    EXPECT_EQ(title->GetToolTip(), "Hallo");
    // A broken language file keeps the texts.
    EXPECT_FALSE(resources.LoadLanguage("broken.xml"));
    EXPECT_EQ(w.Find("title")->GetText(), "Hallo");
    // A key without text shows the key.
    EXPECT_EQ(resources.GetText("no_such_key"), "no_such_key");
}

TEST_F(PaintManagerTest, AsyncNotificationArrivesAfterTheCurrentMessage) {
    TestWindow& w = Open("main.xml");
    w.Manager().SendNotify(w.Find("filler"), "custom", 1, 2, true);
    EXPECT_TRUE(w.Notes("custom", "filler").empty());
    host.Pump();
    ASSERT_EQ(w.Notes("custom", "filler").size(), 1u);
    EXPECT_EQ(w.Notes("custom", "filler")[0].lParam, 2);
}

TEST_F(PaintManagerTest, FocusMovesWithNotifications) {
    TestWindow& w = Open("main.xml");
    CControlUI* edit = w.Find("edit");
    CControlUI* filler = w.Find("filler");
    w.Manager().SetFocus(edit);
    w.Manager().SetFocus(filler);
    EXPECT_EQ(w.Notes("setfocus", "edit").size(), 1u);
    EXPECT_EQ(w.Notes("killfocus", "edit").size(), 1u);
    EXPECT_EQ(w.Manager().GetFocus(), filler);
    filler->SetVisible(false);
    EXPECT_EQ(w.Manager().GetFocus(), nullptr);
}

TEST_F(PaintManagerTest, HotTrackingRaisesEnterAndLeave) {
    TestWindow& w = Open("main.xml");
    CControlUI* minbtn = w.Find("minbtn");
    host.MouseMove(w, Center(minbtn));
    EXPECT_EQ(w.Manager().GetHotControl(), minbtn);
    host.MouseMove(w, Center(w.Find("filler")));
    EXPECT_EQ(w.Manager().GetHotControl(), w.Find("filler"));
}

TEST_F(PaintManagerTest, ImagesThatCannotLoadAreNotDrawn) {
    host.AddImage(WARDEN_TESTDATA_DIR "/ui/ok.png", {20, 10});
    TestWindow& w = Open("main.xml");
    CControlUI* filler = w.Find("filler");
    filler->SetBkImage("file='ok.png' source='0,0,10,10' fade='128'");
    RecordingPainter painter;
    host.Paint(w, painter);
    ASSERT_EQ(painter.Count(RecordingPainter::Op::DrawImage), 1u);
    const auto* call = &painter.Calls()[0];
    for (const auto& c : painter.Calls())
        if (c.op == RecordingPainter::Op::DrawImage) call = &c;
    EXPECT_EQ(call->rect, filler->GetPos());
    EXPECT_EQ(call->image_params.source, (Rect{0, 0, 10, 10}));
    EXPECT_EQ(call->image_params.fade, 128);
    EXPECT_EQ(painter.ClipDepth(), 0);

    TraceCapture trace;
    filler->SetBkImage("file='missing.png'");
    painter.Clear();
    host.Paint(w, painter);
    EXPECT_EQ(painter.Count(RecordingPainter::Op::DrawImage), 0u);
    EXPECT_TRUE(trace.Contains("missing.png"));
}

}  // namespace
}  // namespace warden
