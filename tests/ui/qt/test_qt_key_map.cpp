#include <gtest/gtest.h>

#include <Qt>

#include "ui/qt/QtKeyMap.h"

namespace warden {
namespace {

TEST(QtKeyMap, TranslatesToVirtualKeys) {
    const struct {
        int qt;
        uint32_t vk;
    } cases[] = {
        {Qt::Key_A, 'A'},           {Qt::Key_7, '7'},
        {Qt::Key_F1, 0x70},         {Qt::Key_F12, 0x7B},
        {Qt::Key_Return, 0x0D},     {Qt::Key_Enter, 0x0D},
        {Qt::Key_Escape, 0x1B},     {Qt::Key_Left, 0x25},
        {Qt::Key_Delete, 0x2E},     {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_unknown, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(VirtualKeyFromQt(c.qt), c.vk) << c.qt;
}

}  // namespace
}  // namespace warden
