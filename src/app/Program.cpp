#include "app/Program.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/CFontFile.h"
#include "app/CustomControls.h"
#include "app/FontFiles.h"
#include "app/SingleInstanceGuard.h"
#include "mainwnd/CMainWnd.h"
#include "mainwnd/MainWndMessages.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CResourceManager.h"
#include "ui/MessageQueue.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtStartClock.h"

namespace warden {
namespace {

using namespace mainwnd;

// Main window style: popup, visible, clip siblings and children, caption,
// system menu, minimise box.
constexpr uint32_t kMainWindowStyle = 0x96CA0000u;
constexpr int kMainWindowWidth = 800;
constexpr int kMainWindowHeight = 572;

void SetupSkinResources(const std::filesystem::path& dataFolder) {
    CPaintManagerUI::SetResourcePath((dataFolder / "skin").string() + "/");
    if (!CResourceManager::GetInstance().LoadResource("res.xml")) {
        Trace("skin resource list res.xml not loaded\n");
    }
    RegisterCustomControls();
}

// Paints the main window into the PNG `file`; false (reported) when it
// cannot be painted or written.
bool WriteScreenshot(CMainWnd& window, const std::string& file) {
    const QImage image = QtHost::RenderWindow(window.GetNative());
    Trace("screenshot painted %lld ms after process start\n", MillisecondsSinceProcessStart());
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG") ||
        !WriteFileAtomic(file,
                         std::string_view(png.constData(), static_cast<size_t>(png.size())))) {
        std::fprintf(stderr, "vdl-k42-warden: cannot write the screenshot to '%s'\n", file.c_str());
        return false;
    }
    return true;
}

// Creates the main window and runs it (or paints it once for a screenshot).
// Returns the exit code.
int RunMainWindow(const CommandLine& options, SingleInstanceGuard& guard) {
    const bool screenshot = !options.screenshotFile.empty();
    // A screenshot paints the window without ever putting it on screen.
    const uint32_t style = screenshot ? kMainWindowStyle & ~WS_VISIBLE : kMainWindowStyle;
    auto window = std::make_unique<CMainWnd>();
    if (window->Create(0, folders::kProductName, style, 0, 0, 0, kMainWindowWidth,
                       kMainWindowHeight) == 0) {
        Trace("main window not created\n");
        return 0;
    }
    window->CenterWindow();
    if (screenshot) {
        const bool written = WriteScreenshot(*window, options.screenshotFile);
        window->DestroyWindow();
        return written ? 0 : 1;
    }
    const WindowHandle handle = window->GetHWND();
    guard.Listen({kProductMessage, kSettingsRelayMessage, kLightingRequestMessage},
                 [handle](uint32_t message, WParam wParam, LParam lParam) {
                     PostMessage(handle, message, wParam, lParam);
                 });
    CPaintManagerUI::MessageLoop();
    guard.StopListening();
    return 0;
}

}  // namespace

int RunProgram(const CommandLine& options, int& argc, char** argv) {
    // The UI library scales by the window's DPI itself (96 or 144); Qt's own
    // scaling on top of it would scale twice.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(folders::kProductName);
    QApplication::setDesktopFileName("vdl-k42-warden");

    const std::filesystem::path dataFolder = folders::DataFolder();
    std::vector<std::unique_ptr<CFontFile>> fonts;
    for (const char* file : kFontFiles) {
        fonts.push_back(std::make_unique<CFontFile>(dataFolder));
        fonts.back()->Load(file);
    }

    const uint32_t productMessage = RegisterWindowMessage(kProductMessage);
    Trace("软件标示：%d\n", productMessage);

    // A screenshot is a one-off picture, not a running instance: it neither
    // claims the lock nor wakes a running program.
    auto guard =
        std::make_unique<SingleInstanceGuard>(folders::RuntimeFolder(), folders::kProductName);
    const auto claim =
        options.screenshotFile.empty() ? guard->TryClaim() : SingleInstanceGuard::Claim::Failed;
    int exitCode = 0;
    if (claim == SingleInstanceGuard::Claim::Second) {
        guard->SendToFirst(kProductMessage, 0, 1);
    } else {
        QtHost host;
        SetHost(&host);
        SetupSkinResources(dataFolder);
        for (const char* name :
             {kSettingsRelayMessage, kLightingBroadcastMessage, kLightingRequestMessage}) {
            RegisterWindowMessage(name);
        }
        exitCode = RunMainWindow(options, *guard);
        CResourceManager::GetInstance().Reset();
        SetHost(nullptr);
    }
    guard.reset();
    // Fonts go in the reverse order of loading.
    while (!fonts.empty()) fonts.pop_back();
    return exitCode;
}

}  // namespace warden
