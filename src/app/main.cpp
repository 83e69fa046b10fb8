#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "Usage: vdl-k42-warden [OPTION]...\n"
    "Configure VDL-K42 WARDEN mice, keyboards, mousepads and headsets.\n"
    "\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Set WARDEN_TRACE=1 to write diagnostic traces to standard error.\n";

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vdl-k42-warden %s\n", WARDEN_VERSION);
            return 0;
        }
        std::fprintf(stderr, "vdl-k42-warden: unknown option '%s'\n%s", argv[i], kUsage);
        return 2;
    }
    std::fputs("vdl-k42-warden: the main window is not built yet\n", stderr);
    return 0;
}
