#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "ui/qt/QtNativeImage.h"
#include "ui/qt/QtPainter.h"

namespace warden {
namespace {

const std::string kCells = std::string(WARDEN_SOURCE_DIR) + "/tests/ui/qt/data/cells.svg";

class QtPainterTest : public ::testing::Test {
protected:
    QtPainterTest() : m_image(40, 40, QImage::Format_ARGB32_Premultiplied) {
        m_image.fill(Qt::black);
    }
    template <typename Draw>
    void Paint(Draw draw) {
        QPainter qpainter(&m_image);
        QtPainter painter(qpainter);
        draw(painter);
    }
    QColor At(int x, int y) const { return m_image.pixelColor(x, y); }

    QImage m_image;
};

TEST_F(QtPainterTest, FillsAndOutlinesWithArgbColours) {
    Paint([](Painter& p) {
        p.FillRect({0, 0, 10, 10}, 0xFF112233u);
        p.FillRect({10, 0, 20, 10}, 0x00FFFFFFu);  // fully transparent: nothing
        p.DrawRect({20, 20, 40, 40}, 2, 0xFFFF0000u);
    });
    EXPECT_EQ(At(5, 5), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(At(15, 5), QColor(Qt::black));
    EXPECT_EQ(At(21, 30), QColor(Qt::red));
    EXPECT_EQ(At(30, 30), QColor(Qt::black));  // inside the outline
}

TEST_F(QtPainterTest, DrawsTheSourceCellOfAnSvgSprite) {
    const auto image = QtNativeImage::Load(kCells);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetSize(), (Size{30, 10}));
    Paint([&](Painter& p) {
        ImageDrawParams params;
        params.dest = {0, 0, 20, 20};  // the green cell, scaled up twice
        params.source = {10, 0, 20, 10};
        p.DrawImage(*image, params);
    });
    EXPECT_EQ(At(2, 2), QColor(Qt::green));
    EXPECT_EQ(At(18, 18), QColor(Qt::green));
    EXPECT_EQ(At(25, 25), QColor(Qt::black));
}

TEST_F(QtPainterTest, FadeAndNineGridCorners) {
    const auto image = QtNativeImage::Load(kCells);
    ASSERT_TRUE(image);
    Paint([&](Painter& p) {
        ImageDrawParams faded;
        faded.dest = {0, 0, 10, 10};
        faded.source = {0, 0, 10, 10};
        faded.fade = 128;
        p.DrawImage(*image, faded);
        // Corners of 10 keep the red and blue ends; the green middle stretches.
        ImageDrawParams grid;
        grid.dest = {0, 20, 40, 30};
        grid.corner = {10, 0, 10, 0};
        p.DrawImage(*image, grid);
    });
    EXPECT_NEAR(At(5, 5).red(), 128, 3);
    EXPECT_EQ(At(5, 25), QColor(Qt::red));
    EXPECT_EQ(At(20, 25), QColor(Qt::green));
    EXPECT_EQ(At(35, 25), QColor(Qt::blue));
}

TEST_F(QtPainterTest, NineGridWithoutSourceMiddleLeavesNoGap) {
    const auto image = QtNativeImage::Load(kCells);
    ASSERT_TRUE(image);
    Paint([&](Painter& p) {
        ImageDrawParams grid;
        grid.dest = {0, 0, 40, 10};
        grid.corner = {10, 0, 20, 0};  // the corners take the whole source width
        p.DrawImage(*image, grid);
    });
    EXPECT_EQ(At(5, 5), QColor(Qt::red));
    EXPECT_NE(At(15, 5), QColor(Qt::black));
    EXPECT_EQ(At(35, 5), QColor(Qt::blue));
}

TEST_F(QtPainterTest, ClipStackLimitsDrawing) {
    Paint([](Painter& p) {
        p.PushClip({0, 0, 20, 20});
        p.PushClip({10, 10, 40, 40});
        p.FillRect({0, 0, 40, 40}, 0xFFFFFFFFu);
        p.PopClip();
        p.PopClip();
        p.PopClip();  // one too many is ignored
        p.FillRect({30, 0, 40, 10}, 0xFF0000FFu);
    });
    EXPECT_EQ(At(15, 15), QColor(Qt::white));
    EXPECT_EQ(At(5, 5), QColor(Qt::black));
    EXPECT_EQ(At(25, 25), QColor(Qt::black));
    EXPECT_EQ(At(35, 5), QColor(Qt::blue));
}

TEST(QtNativeImage, MissingPngFallsBackToSvgAndGarbageIsRefused) {
    const auto dir = std::filesystem::temp_directory_path() / "warden-qt-image";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(kCells, dir / "cells.svg",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(QtNativeImage::Load((dir / "cells.png").string()));
    { std::ofstream(dir / "garbage.png") << "not a picture"; }
    { std::ofstream(dir / "garbage.svg") << "<svg"; }
    EXPECT_FALSE(QtNativeImage::Load((dir / "garbage.png").string()));
    EXPECT_FALSE(QtNativeImage::Load((dir / "garbage.svg").string()));
    EXPECT_FALSE(QtNativeImage::Load((dir / "absent.bmp").string()));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace warden
