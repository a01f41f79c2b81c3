// The splash window's progress labels and the menu tile's click.
#include "app/greet_form.h"
#include "app/menu_tile.h"

#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

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
