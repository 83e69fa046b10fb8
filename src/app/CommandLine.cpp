#include "app/CommandLine.h"

#include <array>

namespace warden {
namespace {

struct OptionRow {
    std::string_view name;
    std::string_view valueName;  // empty: a flag without value
    std::string_view help;
    // Stores the option; `value` is empty for flags.
    void (*apply)(CommandLine& options, std::string_view value);
};

constexpr std::array kOptions = {
    OptionRow{"--help", "", "show this help and exit",
              [](CommandLine& o, std::string_view) { o.showHelp = true; }},
    OptionRow{"--version", "", "show the version and exit",
              [](CommandLine& o, std::string_view) { o.showVersion = true; }},
    OptionRow{"--screenshot", "FILE", "paint the main window into the PNG FILE and exit",
              [](CommandLine& o, std::string_view v) { o.screenshotFile = std::string(v); }},
    OptionRow{"--emulate", "KINDS",
              "serve virtual devices instead of real ones: mouse, keyboard, mousepad, "
              "headset (comma-separated) or all",
              [](CommandLine& o, std::string_view v) { o.emulateKinds = std::string(v); }},
};

const OptionRow* FindOption(std::string_view name) {
    for (const auto& row : kOptions) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string_view>& args) {
    CommandLineResult result;
    std::vector<std::string_view> seen;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::string_view value;
        bool inlineValue = false;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            inlineValue = true;
        }
        const OptionRow* row = FindOption(arg);
        if (row == nullptr) {
            result.error = "unknown option '" + std::string(args[i]) + "'";
            return result;
        }
        for (auto name : seen) {
            if (name == row->name) {
                result.error = "option '" + std::string(row->name) + "' given twice";
                return result;
            }
        }
        seen.push_back(row->name);
        if (row->valueName.empty()) {
            if (inlineValue) {
                result.error = "option '" + std::string(row->name) + "' takes no value";
                return result;
            }
        } else if (!inlineValue) {
            if (i + 1 >= args.size()) {
                result.error =
                    "option '" + std::string(row->name) + "' needs " + std::string(row->valueName);
                return result;
            }
            value = args[++i];
        }
        if (!row->valueName.empty() && value.empty()) {
            result.error = "option '" + std::string(row->name) + "' needs a non-empty " +
                           std::string(row->valueName);
            return result;
        }
        row->apply(result.options, value);
    }
    result.ok = true;
    return result;
}

std::string CommandLineUsage() {
    std::string usage =
        "Usage: vdl-k42-warden [OPTION]...\n"
        "Configure VDL-K42 WARDEN mice, keyboards, mousepads and headsets.\n\n";
    for (const auto& row : kOptions) {
        std::string left = "  " + std::string(row.name);
        if (!row.valueName.empty()) left += " " + std::string(row.valueName);
        if (left.size() < 22)
            left.resize(22, ' ');
        else
            left += "  ";
        usage += left + std::string(row.help) + "\n";
    }
    usage += "\nSet WARDEN_TRACE=1 to write diagnostic traces to standard error.\n";
    return usage;
}

}  // namespace warden
