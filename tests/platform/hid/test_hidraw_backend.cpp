#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "platform/Trace.h"
#include "platform/hid/FakeHidrawTree.h"
#include "platform/hid/HidTestDescriptors.h"
#include "platform/hid/HidrawBackend.h"

namespace warden {
namespace {

using test::FakeHidrawNode;

class HidrawBackendTest : public testing::Test {
protected:
    std::vector<std::string> Enumerate(HidrawBackend& backend) {
        std::vector<std::string> paths;
        EXPECT_TRUE(backend.EnumerateInterfaces(paths));
        return paths;
    }

    test::FakeHidrawTree m_tree;
};

TEST_F(HidrawBackendTest, EmptyOrMissingClassFolderGivesNoInterfaces) {
    HidrawBackend backend(m_tree.ClassRoot(), m_tree.DevRoot());
    EXPECT_TRUE(Enumerate(backend).empty());
    HidrawBackend missing(m_tree.ClassRoot() + "/absent", m_tree.DevRoot());
    EXPECT_TRUE(Enumerate(missing).empty());
}

TEST_F(HidrawBackendTest, OnePathPerTopLevelCollectionInNodeOrder) {
    m_tree.Add({"hidraw10", 0x320F, 0x220F, 0x0102, 1, test::kMouseInterface1});
    m_tree.Add({"hidraw2", 0x320F, 0x220F, 0x0102, 0, test::kBootMouse});
    m_tree.Add({"hidraw3", 0x1234, 0xABCD, 0, -1, test::kBootKeyboard});
    HidrawBackend backend(m_tree.ClassRoot(), m_tree.DevRoot());
    const std::vector<std::string> expected = {
        "hid#vid_320f&pid_220f&mi_00#hidraw2",        "hid#vid_1234&pid_abcd#hidraw3",
        "hid#vid_320f&pid_220f&mi_01&col01#hidraw10", "hid#vid_320f&pid_220f&mi_01&col02#hidraw10",
        "hid#vid_320f&pid_220f&mi_01&col03#hidraw10", "hid#vid_320f&pid_220f&mi_01&col04#hidraw10",
    };
    EXPECT_EQ(Enumerate(backend), expected);
    // A second pass reuses what it read and gives the same answer.
    EXPECT_EQ(Enumerate(backend), expected);
}

TEST_F(HidrawBackendTest, UnreadableOrGarbageNodesAreSkippedWithATrace) {
    TraceCapture traces;
    FakeHidrawNode noUevent{"hidraw0", 1, 2, 0, 0, test::kBootMouse};
    noUevent.writeUevent = false;
    m_tree.Add(noUevent);
    m_tree.Add({"hidraw1", 1, 2, 0, 0, {0x05, 0x01, 0xA1}});
    m_tree.Add({"hidraw2", 1, 2, 0, 0, {0xC0}});
    m_tree.Add({"hidraw3", 1, 2, 0, 0, test::kBootMouse});
    HidrawBackend backend(m_tree.ClassRoot(), m_tree.DevRoot());
    EXPECT_EQ(Enumerate(backend), std::vector<std::string>{"hid#vid_0001&pid_0002&mi_00#hidraw3"});
    EXPECT_TRUE(traces.Contains("hidraw0 skipped"));
    EXPECT_TRUE(traces.Contains("hidraw1 skipped: report descriptor refused"));
    EXPECT_TRUE(traces.Contains("hidraw2 skipped"));
    // Refused nodes are remembered, not traced again every pass.
    traces.Clear();
    Enumerate(backend);
    EXPECT_FALSE(traces.Contains("skipped"));
}

TEST_F(HidrawBackendTest, ReplacedAndRemovedNodesAreSeen) {
    m_tree.Add({"hidraw0", 0x320F, 0x220F, 0, 1, test::kBootMouse});
    HidrawBackend backend(m_tree.ClassRoot(), m_tree.DevRoot());
    const std::string mouse = "hid#vid_320f&pid_220f&mi_01#hidraw0";
    EXPECT_EQ(Enumerate(backend), std::vector<std::string>{mouse});
    EXPECT_TRUE(backend.IsPresent(mouse));
    // The node number is reused by another device.
    m_tree.Add({"hidraw0", 0x1111, 0x2222, 0, 0, test::kBootKeyboard});
    EXPECT_FALSE(backend.IsPresent(mouse));
    EXPECT_EQ(Enumerate(backend), std::vector<std::string>{"hid#vid_1111&pid_2222&mi_00#hidraw0"});
    m_tree.Remove("hidraw0");
    EXPECT_TRUE(Enumerate(backend).empty());
    EXPECT_EQ(backend.Open("hid#vid_1111&pid_2222&mi_00#hidraw0", {true, true, true, false}),
              nullptr);
}

TEST_F(HidrawBackendTest, OpenRefusesForeignAndMalformedPaths) {
    m_tree.Add({"hidraw0", 0x320F, 0x220F, 0x0100, 1, test::kBootMouse});
    HidrawBackend backend(m_tree.ClassRoot(), m_tree.DevRoot());
    const HidOpenFlags flags{true, false, true, false};
    for (const char* path :
         {"", "hid#vid_320f&pid_220f&mi_01#../hidraw0", "hid#vid_320f&pid_220f&mi_02#hidraw0",
          "emu#vid_320f&pid_220f#1", "hid#vid_320f&pid_220f&mi_01#hidraw0x"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(backend.Open(path, flags), nullptr);
        EXPECT_FALSE(backend.IsPresent(path));
    }
    auto device = backend.Open("hid#vid_320f&pid_220f&mi_01#hidraw0", flags);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->Attributes().vendorId, 0x320F);
    EXPECT_EQ(device->Attributes().versionNumber, 0x0100);
    EXPECT_EQ(device->PreparsedData()->Caps().usage, 0x02);
}

TEST_F(HidrawBackendTest, OpenFlagsReachTheNodeAndShareRulesHold) {
    m_tree.Add({"hidraw0", 0x320F, 0x220F, 0, 1, test::kBootMouse});
    std::map<std::string, int> seenFlags;
    HidrawBackend backend(m_tree.ClassRoot(), m_tree.DevRoot(),
                          [&](const std::string& path, int flags) {
                              seenFlags[path] = flags;
                              return ::open(path.c_str(), flags);
                          });
    const std::string path = "hid#vid_320f&pid_220f&mi_01#hidraw0";
    const std::string node = m_tree.DevRoot() + "/hidraw0";
    auto exclusive = backend.Open(path, {true, false, true, true});
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(seenFlags[node] & O_ACCMODE, O_RDONLY);
    EXPECT_NE(seenFlags[node] & O_NONBLOCK, 0);
    // Shared for reading only: a writer is refused, a reader is not.
    EXPECT_EQ(backend.Open(path, {true, true, true, false}), nullptr);
    EXPECT_NE(backend.Open(path, {true, false, true, false}), nullptr);
    exclusive.reset();
    auto writer = backend.Open(path, {true, true, true, false});
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(seenFlags[node] & O_ACCMODE, O_RDWR);
    EXPECT_EQ(backend.Open(path, {true, false, true, true}), nullptr);
    EXPECT_TRUE(backend.IsPresent(path));  // presence checks ask for no access
}

}  // namespace
}  // namespace warden
