// The splash window's progress labels and the menu tile's click.
#include "app/greet_form.h"
#include "app/menu_tile.h"
#include "app/pictures.h"

#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

TEST(TGreetForm, ShowsItsCaptionsAtTheirPlaces) {
    TGreetForm greet;
    EXPECT_EQ(greet.size(), QSize(641, 453));
    EXPECT_TRUE(greet.GLabel1->text().isEmpty());
    greet.setProgress(2, QStringLiteral("スケジュールの準備ができました。"));
    EXPECT_EQ(greet.GLabel2->text(), QStringLiteral("スケジュールの準備ができました。"));
    EXPECT_TRUE(greet.GLabel1->text().isEmpty());
    greet.setProgress(4, QStringLiteral("x"));  // no such label: nothing happens
    EXPECT_TRUE(greet.GLabel3->text().isEmpty());
    EXPECT_GE(greet.findChildren<QLabel*>().size(), 8);
}

TEST(TGreetForm, KnowsWhenItHasBeenPainted) {
    TGreetForm greet;
    EXPECT_FALSE(greet.painted());
    greet.show();
    greet.repaint();
    EXPECT_TRUE(greet.painted());
    // The picture is drawn into the window: the green band at the top left, white below it.
    const QImage shot = greet.grab().toImage();
    EXPECT_NE(shot.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(5, 448), QColor(Qt::white));
}

// The band's shade, drawn in steps of solid colour, is the linear gradient it
// stands for to within 3 levels a channel at every pixel, edge included.
TEST(SplashPicture, TheSteppedShadeIsTheGradient) {
    const QSize size(TGreetForm::kClientWidth, TGreetForm::kClientHeight);
    QImage stepped(size, QImage::Format_RGB32);
    stepped.fill(Qt::white);
    {
        QPainter p(&stepped);
        lum::drawSplashPicture(p, size);
    }
    const double w = size.width(), h = size.height();
    QImage gradient(size, QImage::Format_RGB32);
    gradient.fill(Qt::white);
    {
        QPainter p(&gradient);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath band;
        band.moveTo(0, 0);
        band.lineTo(w, 0);
        band.lineTo(w, h * 0.62);
        band.cubicTo(w * 0.75, h * 0.38, w * 0.35, h * 0.52, 0, h * 0.36);
        band.closeSubpath();
        QLinearGradient green(0, 0, w, h * 0.6);
        green.setColorAt(0, QColor(0xe3, 0xf4, 0xea));
        green.setColorAt(1, QColor(0xa8, 0xda, 0xc0));
        p.fillPath(band, green);
    }
    // The figure (right of 0.74 w, above 0.45 h) is the same in both; compared
    // is the rest of the window.
    int worst = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (x >= w * 0.72 && y <= h * 0.45) continue;
            const QRgb a = stepped.pixel(x, y), b = gradient.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 3);
    EXPECT_EQ(stepped.pixelColor(5, 448), QColor(Qt::white));
}

TEST(MenuTile, AClickOnThePictureOrTheLabelIsTheTilesClick) {
    QWidget host;
    lum::MenuTile tile(QStringLiteral("PrintBtn"), QStringLiteral("印刷"), lum::TileSymbol::Print, &host);
    tile.setGeometry(0, 0, 262, 168);
    host.show();
    QSignalSpy clicks(&tile, &lum::MenuTile::clicked);
    QTest::mouseClick(&tile, Qt::LeftButton, {}, QPoint(130, 40));   // on the picture
    QTest::mouseClick(&tile, Qt::LeftButton, {}, tile.label()->geometry().center());
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(tile.picture()->objectName(), QStringLiteral("PrintBtnImage"));
    EXPECT_FALSE(tile.picture()->pixmap().isNull());

    tile.setEnabled(false);
    QTest::mouseClick(&tile, Qt::LeftButton, {}, QPoint(130, 40));
    EXPECT_EQ(clicks.count(), 2);
}

}  // namespace
