#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace warden {
namespace {

CommandLineResult Parse(std::vector<std::string_view> args) {
    return ParseCommandLine(args);
}

TEST(CommandLine, EmptyRunsTheProgram) {
    const auto result = Parse({});
    ASSERT_TRUE(result.ok);
    EXPECT_FALSE(result.options.showHelp);
    EXPECT_FALSE(result.options.showVersion);
    EXPECT_TRUE(result.options.screenshotFile.empty());
}

TEST(CommandLine, FlagsAndScreenshotValue) {
    auto result = Parse({"--help", "--screenshot", "out.png"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.options.showHelp);
    EXPECT_EQ(result.options.screenshotFile, "out.png");

    result = Parse({"--screenshot=shot.png", "--version"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.options.showVersion);
    EXPECT_EQ(result.options.screenshotFile, "shot.png");

    result = Parse({"--emulate", "mouse,headset"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.options.emulateKinds, "mouse,headset");
}

TEST(CommandLine, RejectsBadInputWithAReason) {
    const struct {
        std::vector<std::string_view> args;
        const char* reason;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"}, {{"help"}, "unknown option 'help'"},
        {{"--screenshot"}, "needs FILE"},          {{"--screenshot="}, "non-empty FILE"},
        {{"--help=1"}, "takes no value"},          {{"--help", "--help"}, "given twice"},
    };
    for (const auto& c : cases) {
        const auto result = Parse(c.args);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
    }
}

TEST(CommandLine, UsageListsEveryOption) {
    const std::string usage = CommandLineUsage();
    for (const char* option :
         {"--help", "--version", "--screenshot FILE", "--emulate KINDS", "WARDEN_TRACE"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace warden
