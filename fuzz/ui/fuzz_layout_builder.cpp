// Arbitrary bytes as a layout: building, laying out and painting must not
// crash, hang or leak, whatever the XML says.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/CDialogBuilder.h"
#include "ui/CPaintManagerUI.h"
#include "ui/testhost/RecordingPainter.h"
#include "ui/testhost/TestHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static warden::TestHost host;
    std::string xml(reinterpret_cast<const char*>(data), size);
    // Only text layouts: a leading '<' keeps the builder off the file system.
    if (xml.empty() || xml.front() != '<') return 0;
    warden::CPaintManagerUI manager;
    warden::CDialogBuilder builder;
    warden::CControlUI* root = builder.Create(xml, nullptr, &manager);
    if (!root) return 0;
    manager.AttachDialog(root);
    warden::RecordingPainter painter;
    manager.Paint(painter, {0, 0, 800, 600});
    return 0;
}
