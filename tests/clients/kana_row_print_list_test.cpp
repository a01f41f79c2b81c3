// The list of the print windows with kana-row buttons: the filter over the
// rows read, the buttons together, selection in list order and the drawing.
#include "clients/kana_row_print_list.h"

#include <QImage>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSqlField>
#include <QTableView>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

QSqlRecord client(int cureNo, const QString& kana) {
    QSqlRecord r;
    r.append(QSqlField(QStringLiteral("CureNo"), QMetaType(QMetaType::Int)));
    r.append(QSqlField(QStringLiteral("Kana"), QMetaType(QMetaType::QString)));
    r.setValue(0, cureNo);
    r.setValue(1, kana);
    return r;
}

QVector<int> numbers(const QVector<QSqlRecord>& rows) {
    QVector<int> n;
    for (const QSqlRecord& r : rows) n << r.value(0).toInt();
    return n;
}

class KanaRowPrintListTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        list = new lum::KanaRowPrintList(
            &window,
            {{QStringLiteral("CureNo"), 70, QStringLiteral("番号"),
              [](const QSqlRecord& r) { return QString::asprintf("%8.8d", r.value(0).toInt()); }},
             {QStringLiteral("Kana"), 120, QString(), {}}},
            {QStringLiteral("全て"), true, false, QStringLiteral("Kana")});
        list->DBGrid1->setGeometry(0, 0, 300, 200);
        list->setRows({client(1, QStringLiteral("ｱｵｷ")), client(2, QStringLiteral("ｶﾞﾓｳ")),
                       client(3, QStringLiteral("ｻﾄｳ")), client(4, QStringLiteral("ｷﾑﾗ")),
                       client(5, QStringLiteral("ﾜﾀﾞ")), client(6, QStringLiteral("ｦﾀﾞ")),
                       client(7, QString())});
    }
    QVector<int> shown() const {
        QVector<int> n;
        for (int r = 0; r < list->rowCount(); ++r) n << list->row(r).value(0).toInt();
        return n;
    }
    QWidget window;
    lum::KanaRowPrintList* list = nullptr;
};

TEST_F(KanaRowPrintListTest, KanaRowsNarrowTheRowsReadAndShowAllRestores) {
    EXPECT_EQ(shown(), (QVector<int>{1, 2, 3, 4, 5, 6, 7}));
    struct Case {
        const char* button;
        QVector<int> rows;
    };
    const Case cases[] = {{"KBtn", {2, 4}}, {"ABtn", {1}}, {"WBtn", {5}}, {"HBtn", {}}, {"AllDispBtn", {1, 2, 3, 4, 5, 6, 7}}};
    for (const Case& c : cases) {
        window.findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
        EXPECT_EQ(shown(), c.rows) << c.button;
        // The printout's filter lets through exactly the rows shown.
        int through = 0;
        for (const QSqlRecord& r : {client(1, QStringLiteral("ｱｵｷ")), client(2, QStringLiteral("ｶﾞﾓｳ")),
                                    client(3, QStringLiteral("ｻﾄｳ")), client(4, QStringLiteral("ｷﾑﾗ")),
                                    client(5, QStringLiteral("ﾜﾀﾞ")), client(6, QStringLiteral("ｦﾀﾞ")),
                                    client(7, QString())})
            through += list->rowFilter()(r) ? 1 : 0;
        EXPECT_EQ(through, c.rows.size()) << c.button;
    }
    // A new load keeps the filter in force; clear empties the list.
    list->ApplyKanaFilter(1);
    list->setRows({client(8, QStringLiteral("ｺﾊﾞﾔｼ")), client(9, QStringLiteral("ﾀﾅｶ"))});
    EXPECT_EQ(shown(), (QVector<int>{8}));
    list->clear();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(list->isLoaded());
}

TEST_F(KanaRowPrintListTest, ShowOnlyNarrowsUntilAButtonOrTheNextLoad) {
    list->ApplyKanaFilter(1);
    list->ShowOnly([](const QSqlRecord& r) { return r.value(0).toInt() == 3; });
    EXPECT_EQ(shown(), (QVector<int>{3}));  // in place of the kana filter
    EXPECT_EQ(list->kanaRow(), -1);
    EXPECT_FALSE(list->rowFilter()(client(2, QStringLiteral("ｶﾞﾓｳ"))));
    window.findChild<QPushButton*>(QStringLiteral("AllDispBtn"))->click();
    EXPECT_EQ(shown(), (QVector<int>{1, 2, 3, 4, 5, 6, 7}));
    list->ShowOnly([](const QSqlRecord& r) { return r.value(0).toInt() == 3; });
    window.findChild<QPushButton*>(QStringLiteral("KBtn"))->click();
    EXPECT_EQ(shown(), (QVector<int>{2, 4}));
    list->ShowOnly([](const QSqlRecord& r) { return r.value(0).toInt() == 3; });
    list->setRows({client(8, QStringLiteral("ｺﾊﾞﾔｼ")), client(3, QStringLiteral("ｻﾄｳ"))});
    EXPECT_EQ(shown(), (QVector<int>{8, 3}));
}

// The button of the row in force stays pressed, by the mouse or the keys;
// a second press keeps it, show-all and a narrowing of the window's own
// release it, a new load keeps it.
TEST_F(KanaRowPrintListTest, TheChosenRowsButtonStaysPressed) {
    window.show();
    const auto pressed = [this] {
        QStringList names;
        for (QPushButton* b : list->KanaButtons)
            if (b->isChecked()) names << b->objectName();
        return names;
    };
    EXPECT_EQ(pressed(), QStringList());
    QTest::mouseClick(list->KanaButtons[1], Qt::LeftButton);
    EXPECT_EQ(pressed(), QStringList{QStringLiteral("KBtn")});
    QTest::mouseClick(list->KanaButtons[1], Qt::LeftButton);
    EXPECT_EQ(pressed(), QStringList{QStringLiteral("KBtn")});
    EXPECT_EQ(shown(), (QVector<int>{2, 4}));
    list->KanaButtons[9]->setFocus();
    QTest::keyClick(list->KanaButtons[9], Qt::Key_Space);
    EXPECT_EQ(pressed(), QStringList{QStringLiteral("WBtn")});
    list->setRows({client(8, QStringLiteral("ﾜﾀﾅﾍﾞ")), client(9, QStringLiteral("ﾀﾅｶ"))});
    EXPECT_EQ(pressed(), QStringList{QStringLiteral("WBtn")});
    QTest::mouseClick(list->AllDispBtn, Qt::LeftButton);
    EXPECT_EQ(pressed(), QStringList());
    list->ApplyKanaFilter(3);
    list->ShowOnly([](const QSqlRecord&) { return true; });
    EXPECT_EQ(pressed(), QStringList());
}

TEST_F(KanaRowPrintListTest, ButtonsAreNamedAndSwitchedTogether) {
    const char* names[] = {"ABtn", "KBtn", "SBtn", "TBtn", "NBtn", "HBtn", "MBtn", "YBtn", "RBtn", "WBtn", "AllDispBtn"};
    list->EnableListButtons(false);
    for (const char* name : names) {
        auto* b = window.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_FALSE(b->isEnabled()) << name;
    }
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("AllDispBtn"))->text(), QStringLiteral("全て"));
    list->EnableListButtons(true);
    for (const char* name : names) EXPECT_TRUE(window.findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled());
    // The selection buttons are the window's to switch.
    EXPECT_TRUE(list->AllSelectBtn->isEnabled());
}

TEST_F(KanaRowPrintListTest, SelectionComesBackInListOrder) {
    QItemSelectionModel* selection = list->DBGrid1->selectionModel();
    const auto pick = [&](int row) {
        selection->select(list->DBGrid1->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    pick(4);
    pick(0);
    pick(2);
    EXPECT_EQ(numbers(list->selectedRows()), (QVector<int>{1, 3, 5}));
    list->EraseBtn->click();
    EXPECT_EQ(list->selectedCount(), 0);
    list->KanaButtons[1]->click();
    list->AllSelectBtn->click();
    EXPECT_EQ(numbers(list->selectedRows()), (QVector<int>{2, 4}));
    // A changed list drops the selection.
    list->ShowAll();
    EXPECT_EQ(list->selectedCount(), 0);
}

TEST_F(KanaRowPrintListTest, RowsAreStripedAndTheSelectionPaleGreen) {
    window.show();
    list->DBGrid1->selectionModel()->select(list->DBGrid1->model()->index(2, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QImage image = list->DBGrid1->viewport()->grab().toImage();
    const int x = 60;  // inside the first column, right of its text
    const auto rowColour = [&](int row) { return QColor(image.pixel(x, row * 20 + 17)); };
    EXPECT_EQ(rowColour(0), QColor(Qt::white));
    EXPECT_EQ(rowColour(1), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(rowColour(2), QColor(192, 220, 192));
    EXPECT_EQ(rowColour(3), QColor(0xF0, 0xF0, 0xF0));
}

}  // namespace
