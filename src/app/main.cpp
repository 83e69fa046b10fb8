#include <cstdio>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "emulator/Emulation.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = warden::ParseCommandLine(args);
    if (!parsed.ok) {
        std::fprintf(stderr, "vdl-k42-warden: %s\n%s", parsed.error.c_str(),
                     warden::CommandLineUsage().c_str());
        return 2;
    }
    if (parsed.options.showHelp) {
        std::fputs(warden::CommandLineUsage().c_str(), stdout);
        return 0;
    }
    if (parsed.options.showVersion) {
        std::printf("vdl-k42-warden %s\n", WARDEN_VERSION);
        return 0;
    }
    if (!parsed.options.emulateKinds.empty()) {
        std::string error;
        if (!warden::StartEmulation(parsed.options.emulateKinds, &error)) {
            std::fprintf(stderr, "vdl-k42-warden: %s\n", error.c_str());
            return 2;
        }
    }
    // Qt must not see our options: pass only the program name.
    int qtArgc = 1;
    const int exitCode = warden::RunProgram(parsed.options, qtArgc, argv);
    warden::StopEmulation();
    return exitCode;
}
