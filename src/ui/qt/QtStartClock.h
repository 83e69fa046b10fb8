#pragma once
// Time since the process started, for the start-up figures in the traces.

namespace warden {

// Milliseconds since the kernel started this process (10 ms resolution),
// or -1 when /proc cannot tell.
long long MillisecondsSinceProcessStart();

}  // namespace warden
