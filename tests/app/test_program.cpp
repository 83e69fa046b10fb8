// End-to-end runs of the built program: offscreen screenshot, start-up
// without fonts, and the second start waking the first.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kProgram = WARDEN_PROGRAM;

// A child process of the program with its own environment and stderr file.
class Program {
public:
    Program(const std::vector<std::string>& args, const std::vector<std::string>& env,
            const fs::path& stderrFile) {
        m_pid = ::fork();
        if (m_pid != 0) return;
        for (const auto& entry : env) ::putenv(const_cast<char*>(entry.c_str()));
        const int fd = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) ::dup2(fd, 2);
        std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(kProgram.c_str(), argv.data());
        ::_exit(127);
    }
    ~Program() {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    // Exit code, or -1 when it did not end within `seconds` or died by a signal.
    int Wait(int seconds) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    void Terminate() { ::kill(m_pid, SIGTERM); }

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WaitUntil(const std::function<bool()>& condition, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/warden-program-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        fs::create_directories(m_dir / "runtime");
        m_env = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + (m_dir / "runtime").string(),
                 "XDG_CONFIG_HOME=" + (m_dir / "config").string(),
                 "XDG_DATA_HOME=" + (m_dir / "data").string(), "WARDEN_TRACE=1"};
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    std::vector<std::string> m_env;
};

bool Near(QColor actual, QColor expected, int tolerance = 24) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

TEST_F(ProgramTest, ScreenshotShowsTitleBarAndNoDeviceOverlay) {
    const fs::path shot = m_dir / "shot.png";
    Program program({"--screenshot", shot.string()}, m_env, m_dir / "stderr.txt");
    ASSERT_EQ(program.Wait(30), 0) << ReadFile(m_dir / "stderr.txt");
    QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1000, 640));
    // Title bar: dark band with its separator line under it.
    EXPECT_TRUE(Near(image.pixelColor(600, 26), QColor(0x12, 0x15, 0x1B)));
    EXPECT_TRUE(Near(image.pixelColor(600, 51), QColor(0x1F, 0x24, 0x2D), 8));
    // The centre of the close button's cross: the last button of the title bar.
    EXPECT_TRUE(Near(image.pixelColor(972, 26), QColor(0x8A, 0x93, 0xA3), 40));
    // The overlay, centred in the page area right of the device list: the
    // accent scroll wheel of the mouse in its picture.
    EXPECT_TRUE(Near(image.pixelColor(694, 266), QColor(0x22, 0xD3, 0xEE), 40));
}

TEST_F(ProgramTest, StartsWithoutFontFolder) {
    // A data folder with the skin but no Font folder.
    const fs::path data = m_dir / "share";
    fs::create_directories(data);
    fs::create_directory_symlink(fs::path(WARDEN_SOURCE_DIR) / "data" / "skin", data / "skin");
    auto env = m_env;
    env.push_back("WARDEN_DATA_DIR=" + data.string());
    const fs::path shot = m_dir / "nofont.png";
    Program program({"--screenshot", shot.string()}, env, m_dir / "stderr.txt");
    ASSERT_EQ(program.Wait(30), 0) << ReadFile(m_dir / "stderr.txt");
    EXPECT_EQ(QImage(QString::fromStdString(shot.string())).size(), QSize(1000, 640));
    EXPECT_NE(ReadFile(m_dir / "stderr.txt").find("font skipped"), std::string::npos);
}

TEST_F(ProgramTest, EmulateServesVirtualDevicesAndRefusesUnknownKinds) {
    const fs::path shot = m_dir / "emulated.png";
    Program emulated({"--emulate", "all", "--screenshot", shot.string()}, m_env,
                     m_dir / "emulated.txt");
    ASSERT_EQ(emulated.Wait(30), 0) << ReadFile(m_dir / "emulated.txt");
    const std::string trace = ReadFile(m_dir / "emulated.txt");
    for (const char* kind : {"mouse", "keyboard", "mousepad", "headset"}) {
        EXPECT_NE(trace.find(std::string("emulator: ") + kind + " plugged in"), std::string::npos)
            << kind;
    }

    Program refused({"--emulate", "mouse,toaster"}, m_env, m_dir / "refused.txt");
    EXPECT_EQ(refused.Wait(30), 2);
    EXPECT_NE(ReadFile(m_dir / "refused.txt").find("toaster"), std::string::npos);
}

TEST_F(ProgramTest, SecondStartWakesTheFirstAndEndsWithZero) {
    Program first({}, m_env, m_dir / "first.txt");
    const fs::path socket = m_dir / "runtime" / "VDL-K42 WARDEN" / "VDL-K42 WARDEN.sock";
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(socket); }, 30)) << ReadFile(m_dir / "first.txt");
    ASSERT_TRUE(WaitUntil(
        [&] { return ReadFile(m_dir / "first.txt").find("InitWindow") != std::string::npos; }, 30));

    Program second({}, m_env, m_dir / "second.txt");
    EXPECT_EQ(second.Wait(30), 0) << ReadFile(m_dir / "second.txt");
    // The first traces the product-named message with wParam 0 and lParam 1.
    EXPECT_TRUE(WaitUntil(
        [&] { return ReadFile(m_dir / "first.txt").find("，0d1d") != std::string::npos; }, 10))
        << ReadFile(m_dir / "first.txt");
    EXPECT_EQ(ReadFile(m_dir / "second.txt").find("InitWindow"), std::string::npos);
    first.Terminate();
    first.Wait(10);
}

}  // namespace
