#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <atomic>
#include <thread>
#include <vector>

#include "ui/CWindowWnd.h"
#include "ui/MessageQueue.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtNativeWindow.h"

namespace warden {
namespace {

struct Message {
    uint32_t message;
    WParam wParam;
    LParam lParam;
};

// A window client that records what the host delivers and paints one colour.
class RecordingClient : public NativeWindowClient {
public:
    LResult OnNativeMessage(uint32_t message, WParam wParam, LParam lParam) override {
        messages.push_back({message, wParam, lParam});
        return message == 0x0084 ? hitTestResult : 0;
    }
    void OnNativePaint(Painter& painter, const Rect& dirty) override {
        painter.FillRect(dirty, 0xFF22D3EEu);
    }
    const Message* Find(uint32_t message) const {
        for (const auto& m : messages) {
            if (m.message == message) return &m;
        }
        return nullptr;
    }
    std::vector<Message> messages;
    LResult hitTestResult = 0;
};

class QtHostTest : public ::testing::Test {
protected:
    void SetUp() override { SetHost(&m_host); }
    void TearDown() override { SetHost(nullptr); }

    std::unique_ptr<QtNativeWindow> MakeWindow(RecordingClient& client) {
        NativeWindowParams params;
        params.title = "test";
        params.rect = {10, 10, 210, 110};
        auto window = m_host.CreateNativeWindow(client, params);
        return std::unique_ptr<QtNativeWindow>(dynamic_cast<QtNativeWindow*>(window.release()));
    }

    QtHost m_host;
};

TEST_F(QtHostTest, TimersRepeatUntilStoppedFromTheirOwnCallback) {
    int fired = 0;
    uint64_t id = 0;
    id = m_host.StartTimer(5, [&] {
        if (++fired == 3) m_host.StopTimer(id);
    });
    ASSERT_NE(id, 0u);
    m_host.RunLoop([&] { return fired >= 3; });
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 3);
    m_host.StopTimer(id);  // stopping twice is harmless
    EXPECT_EQ(m_host.StartTimer(5, nullptr), 0u);
}

TEST_F(QtHostTest, WakeFromAnotherThreadEndsTheWait) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        done = true;
        m_host.WakeLoop();
    });
    EXPECT_TRUE(m_host.RunLoop([&] { return done.load(); }));
    worker.join();
}

TEST_F(QtHostTest, RenderLaysOutAndPaintsTheWholeWindow) {
    RecordingClient client;
    auto window = MakeWindow(client);
    ASSERT_TRUE(window);
    const QImage image = QtHost::RenderWindow(window.get());
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.pixelColor(199, 99), QColor(0x22, 0xD3, 0xEE));
    const Message* size = client.Find(WM_SIZE);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(LParamX(size->lParam), 200);
    EXPECT_EQ(LParamY(size->lParam), 100);
    EXPECT_TRUE(QtHost::RenderWindow(nullptr).isNull());
}

TEST_F(QtHostTest, MouseInputArrivesAsWindowMessagesInClientCoordinates) {
    RecordingClient client;
    auto window = MakeWindow(client);
    const QPointF local(30, 40);
    QMouseEvent press(QEvent::MouseButtonPress, local, window->mapToGlobal(local), Qt::LeftButton,
                      Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(window.get(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, window->mapToGlobal(local),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &release);
    QWheelEvent wheel(local, window->mapToGlobal(local), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.get(), &wheel);

    const Message* down = client.Find(WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(LParamX(down->lParam), 30);
    EXPECT_EQ(LParamY(down->lParam), 40);
    EXPECT_EQ(down->wParam, MK_LBUTTON | MK_CONTROL);
    EXPECT_NE(client.Find(WM_RBUTTONUP), nullptr);
    EXPECT_NE(client.Find(WM_CONTEXTMENU), nullptr);
    const Message* scroll = client.Find(WM_MOUSEWHEEL);
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(static_cast<int16_t>(scroll->wParam >> 16), -120);
}

TEST_F(QtHostTest, ClosingAsksTheLibraryInsteadOfClosing) {
    RecordingClient client;
    auto window = MakeWindow(client);
    window->Show(true, false);
    QCloseEvent close;
    QApplication::sendEvent(window.get(), &close);
    EXPECT_NE(client.Find(WM_CLOSE), nullptr);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(window->IsVisible());
}

TEST_F(QtHostTest, LineEditLiesOverTheFocusedEditAndReportsChanges) {
    RecordingClient client;
    auto window = MakeWindow(client);
    std::string changed;
    ASSERT_TRUE(window->BeginTextInput({5, 6, 105, 30}, "abc", FontInfo{"", 14}, false,
                                       [&](std::string text) { changed = std::move(text); }));
    auto* editor = window->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->geometry(), QRect(5, 6, 100, 24));
    EXPECT_EQ(editor->text(), "abc");
    editor->setText("1600");
    EXPECT_EQ(changed, "1600");
    emit editor->returnPressed();
    const Message* key = client.Find(WM_KEYDOWN);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->wParam, VK_RETURN);
    window->EndTextInput();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChild<QLineEdit*>(), nullptr);
}

}  // namespace
}  // namespace warden
