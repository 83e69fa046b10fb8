#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>
#include <filesystem>
#include <fstream>

#include "app/CFontFile.h"
#include "platform/Trace.h"

namespace warden {
namespace {

namespace fs = std::filesystem;

const fs::path kSystemFonts = "/usr/share/fonts/truetype";

TEST(CFontFile, LoadsFromMemoryWithBackslashPathsAndRemoves) {
    if (!fs::exists(kSystemFonts / "dejavu" / "DejaVuSans.ttf")) GTEST_SKIP() << "no DejaVu font";
    const auto before = QFontDatabase::families().size();
    {
        CFontFile font(kSystemFonts);
        EXPECT_TRUE(font.Load("dejavu\\DejaVuSans.ttf"));
        EXPECT_TRUE(font.IsLoaded());
        font.Remove();
        EXPECT_FALSE(font.IsLoaded());
        font.Remove();  // twice is harmless
    }
    EXPECT_EQ(QFontDatabase::families().size(), before);
}

TEST(CFontFile, MissingOrBrokenFilesAreSkipped) {
    const fs::path dir = fs::temp_directory_path() / "warden-font-test";
    fs::create_directories(dir / "Font");
    { std::ofstream(dir / "Font" / "broken.ttf") << "not a font"; }
    TraceCapture traces;
    CFontFile font(dir);
    EXPECT_FALSE(font.Load("Font\\absent.ttf"));
    EXPECT_FALSE(font.Load("Font\\broken.ttf"));
    EXPECT_FALSE(font.IsLoaded());
    EXPECT_EQ(traces.Count("font skipped"), 2u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace warden
