#include "ui/qt/QtStartClock.h"

#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace warden {

long long MillisecondsSinceProcessStart() {
    std::ifstream file("/proc/self/stat");
    std::string stat;
    if (!std::getline(file, stat)) return -1;
    // Field 22 (start time in clock ticks since boot) counts from after the
    // command name, which may itself hold spaces.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (field.empty() || ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
    const long long startMs = std::stoll(field) * 1000 / ticks;
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000 - startMs;
}

}  // namespace warden
