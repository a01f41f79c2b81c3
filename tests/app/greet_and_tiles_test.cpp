// The splash window's progress labels and the menu tile's click.
#include "app/greet_form.h"
#include "app/menu_tile.h"

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
