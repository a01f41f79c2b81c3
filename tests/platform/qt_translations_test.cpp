// Qt's own dialogs speak Japanese once its catalogue is installed: a file
// dialog's buttons, the standard buttons and a text field's context menu.
#include "platform/ui/qt_translations.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Installed for one test only: the other tests see Qt's texts as they were.
class QtTranslationsTest : public ::testing::Test {
protected:
    void SetUp() override { translator_ = lum::installQtTranslations(*qApp); }
    void TearDown() override {
        if (translator_) QCoreApplication::removeTranslator(translator_);
        delete translator_;
    }
    QTranslator* translator_ = nullptr;
};

TEST_F(QtTranslationsTest, AFileDialogsButtonsReadInJapanese) {
    ASSERT_TRUE(translator_) << "Qt's Japanese catalogue (qtbase_ja.qm) is not installed";
    QFileDialog dialog(nullptr, QStringLiteral("開く"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    ASSERT_TRUE(open && cancel);
    EXPECT_TRUE(open->text().startsWith(QStringLiteral("開く"))) << open->text().toStdString();
    EXPECT_TRUE(cancel->text().startsWith(QStringLiteral("キャンセル"))) << cancel->text().toStdString();
}

TEST_F(QtTranslationsTest, ATextFieldsContextMenuReadsInJapanese) {
    ASSERT_TRUE(translator_);
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator()) texts << action->text().section(u'\t', 0, 0);  // without its shortcut
    EXPECT_TRUE(texts.contains(QStringLiteral("コピー(&C)"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("貼り付け(&P)"))) << texts.join(u'|').toStdString();
}

}  // namespace
