// Building, laying out and painting a window the size of a keyboard page:
// 126 floating key buttons over a picture plus panels of labels, options,
// sliders, edits, combos and a list, about 600 controls in all.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/Text.h"
#include "ui/CDialogBuilder.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CControlUI.h"
#include "ui/testhost/RecordingPainter.h"
#include "ui/testhost/TestHost.h"

namespace warden {
namespace {

std::string KeyboardPage() {
    std::string xml =
        R"(<Window size="1200,800"><Font id="0" name="Arial" size="12" default="true"/>
<Default name="Button" value="normalimage=&quot;key.png&quot; hotimage=&quot;key_hot.png&quot;"/>
<VerticalLayout name="root" bkcolor="#FF202020" inset="8,8,8,8" childpadding="4">)";
    xml += R"(<Container name="picture" height="360" bkimage="keyboard.png">)";
    for (int key = 0; key < 126; ++key) {
        int x = 10 + (key % 21) * 54, y = 10 + (key / 21) * 56;
        xml += Format(R"(<Button name="key_%d" float="true" pos="%d,%d,%d,%d" text="K%d"/>)", key,
                      x, y, x + 50, y + 50, key);
    }
    xml += "</Container><HorizontalLayout childpadding=\"6\">";
    for (int panel = 0; panel < 6; ++panel) {
        xml += Format(
            R"(<VerticalLayout name="panel_%d" childpadding="2" bordersize="1" bordercolor="#FF555555">)",
            panel);
        for (int row = 0; row < 12; ++row) {
            xml += Format(
                R"(<HorizontalLayout height="26"><Label text="item %d" width="60" textcolor="#FFDDDDDD"/>)",
                row);
            xml += Format(
                R"(<Option group="g%d" width="22" normalimage="opt.png" selectedimage="opt_sel.png"/>)",
                panel);
            xml +=
                R"(<Slider min="0" max="100" value="40" foreimage="fore.png" thumbimage="thumb.png" thumbsize="10,10"/>)";
            xml += R"(<Edit width="40" text="12" numberonly="true"/>)";
            xml += R"(<Control width="10"/></HorizontalLayout>)";
        }
        xml +=
            R"(<Combo height="24"><ListLabelElement text="a"/><ListLabelElement text="b"/></Combo>)";
        xml += "</VerticalLayout>";
    }
    xml += R"(</HorizontalLayout><List height="120" vscrollbar="true">)";
    for (int row = 0; row < 20; ++row)
        xml += Format(R"(<ListLabelElement text="macro %d" height="20"/>)", row);
    xml += "</List></VerticalLayout></Window>";
    return xml;
}

int CountControls(CControlUI* root) {
    int count = 0;
    root->ForEach([&](CControlUI*) {
        ++count;
        return false;
    });
    return count;
}

void BM_BuildLayoutPaint(benchmark::State& state) {
    TestHost host;
    for (const char* image : {"key.png", "key_hot.png", "keyboard.png", "opt.png", "opt_sel.png",
                              "fore.png", "thumb.png"})
        host.AddImage(CPaintManagerUI::ResolvePath(image), {50, 50});
    const std::string xml = KeyboardPage();
    int controls = 0;
    for (auto _ : state) {
        CPaintManagerUI manager;
        CDialogBuilder builder;
        CControlUI* root = builder.Create(xml, nullptr, &manager);
        manager.AttachDialog(root);
        RecordingPainter painter;
        manager.Paint(painter, {0, 0, 1200, 800});
        benchmark::DoNotOptimize(painter.Calls().size());
        controls = CountControls(root);
    }
    state.counters["controls"] = controls;
}
BENCHMARK(BM_BuildLayoutPaint)->Unit(benchmark::kMillisecond);

// Layout plus paint of an already built window (what a resize or a
// language switch costs).
void BM_LayoutPaint(benchmark::State& state) {
    TestHost host;
    for (const char* image : {"key.png", "key_hot.png", "keyboard.png", "opt.png", "opt_sel.png",
                              "fore.png", "thumb.png"})
        host.AddImage(CPaintManagerUI::ResolvePath(image), {50, 50});
    CPaintManagerUI manager;
    CDialogBuilder builder;
    manager.AttachDialog(builder.Create(KeyboardPage(), nullptr, &manager));
    RecordingPainter painter;
    for (auto _ : state) {
        painter.Clear();
        manager.NeedUpdate();
        manager.Paint(painter, {0, 0, 1200, 800});
        benchmark::DoNotOptimize(painter.Calls().size());
    }
    state.counters["draw_calls"] = static_cast<double>(painter.Calls().size());
}
BENCHMARK(BM_LayoutPaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace warden
