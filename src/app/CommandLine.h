#pragma once
// The program's command line: one table of options, parsed in one place so
// that new options only add a row and a field.

#include <string>
#include <string_view>
#include <vector>

namespace warden {

struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    // Paint the main window once into this PNG and exit (empty: run normally).
    std::string screenshotFile;
    // Virtual devices to serve instead of real hardware (empty: real HID).
    std::string emulateKinds;
};

struct CommandLineResult {
    bool ok = false;
    CommandLine options;
    // Why parsing failed, ready to print; empty when ok.
    std::string error;
};

// Parses argv[1..]. Unknown options, a missing value or a repeated option
// give ok == false with the reason; nothing is printed here.
CommandLineResult ParseCommandLine(const std::vector<std::string_view>& args);

// The --help text, built from the same table the parser uses.
std::string CommandLineUsage();

}  // namespace warden
