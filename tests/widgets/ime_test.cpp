#include "widgets/ime.h"
#include "common/kana.h"
#include "widgets/qt_ime_service.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

void preedit(QWidget* w, const QString& text) {
    QInputMethodEvent e(text, {});
    QApplication::sendEvent(w, &e);
}

void commit(QWidget* w, const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

QString readingOf(QWidget* w) {
    QString r = QStringLiteral("stale");
    lum::GetImeReading(w, r);
    return r;
}

}  // namespace

TEST(Kana, HalfWidthKatakana) {
    struct Row { const char* in; const char* out; };
    const Row rows[] = {
        {"やまだ", "ﾔﾏﾀﾞ"},         {"ヤマダ", "ﾔﾏﾀﾞ"},       {"ぱんだ", "ﾊﾟﾝﾀﾞ"},
        {"ゔぁいおりん", "ｳﾞｧｲｵﾘﾝ"}, {"ヴ", "ｳﾞ"},             {"きょうこ", "ｷｮｳｺ"},
        {"らーめん", "ﾗｰﾒﾝ"},        {"がっこう", "ｶﾞｯｺｳ"},     {"やまだ　たろう", "ﾔﾏﾀﾞ ﾀﾛｳ"},
        {"ゐゑゎヵヶ", "ｲｴﾜｶｹ"},     {"ﾔﾏﾀﾞ", "ﾔﾏﾀﾞ"},          {"山田A1", "山田A1"},
        {"ポ・パ", "ﾎﾟ･ﾊﾟ"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(lum::toHalfWidthKatakana(QString::fromUtf8(r.in)), QString::fromUtf8(r.out)) << r.in;
    EXPECT_TRUE(lum::isKanaText(QStringLiteral("やまだ ター")));
    EXPECT_TRUE(lum::isKanaText(QStringLiteral("ﾔﾏﾀﾞ")));
    EXPECT_FALSE(lum::isKanaText(QStringLiteral("やまd")));
    EXPECT_FALSE(lum::isKanaText(QStringLiteral("山田")));
    EXPECT_FALSE(lum::isKanaText(QString()));
}

// The reading of a committed conversion is the kana seen before converting.
TEST(QtImeService, ReadingIsTheKanaBeforeConversion) {
    // Nothing has asked for the service yet: it watches from the start of the run.
    QLineEdit name;
    QLineEdit other;
    preedit(&name, QStringLiteral("や"));
    preedit(&name, QStringLiteral("やま"));
    preedit(&name, QStringLiteral("やまd"));  // half-typed romaji is no reading
    preedit(&name, QStringLiteral("やまだ"));
    preedit(&name, QStringLiteral("山田"));   // the conversion
    commit(&name, QStringLiteral("山田"));
    EXPECT_EQ(name.text(), QStringLiteral("山田"));
    EXPECT_EQ(readingOf(&name), QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_EQ(readingOf(&name), QStringLiteral("ﾔﾏﾀﾞ"));  // asked again, the same latest reading
    EXPECT_EQ(readingOf(&other), QString());              // per control

    // Kana committed as they are are their own reading.
    preedit(&name, QStringLiteral("たろう"));
    commit(&name, QStringLiteral("タロウ"));
    EXPECT_EQ(readingOf(&name), QStringLiteral("ﾀﾛｳ"));

    // A commit without any kana before it has no reading.
    commit(&name, QStringLiteral("ABC"));
    EXPECT_EQ(readingOf(&name), QString());
}

// Without an input method nothing is put into the address (the code would
// be saved as part of it); with one, the code goes into the field's
// composition, never into its text.
TEST(QtImeService, APostalCodeGoesOnlyIntoAnInputMethodsComposition) {
    struct Preedits : QObject {
        QStringList seen;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::InputMethod) seen << static_cast<QInputMethodEvent*>(e)->preeditString();
            return false;
        }
    };
    const QByteArray savedModule = qgetenv("QT_IM_MODULE");
    struct Case {
        const char* what;
        const char* module;
        bool composedBefore;
        bool composition;
    };
    const Case cases[] = {
        {"no input method", "", false, false},
        {"only the compose keys", "compose", false, false},
        {"an input method named for Qt", "ibus", false, true},
        {"an input method that has composed text in this run", "", true, true},
    };
    for (const Case& c : cases) {
        qputenv("QT_IM_MODULE", c.module);
        lum::QtImeService service;
        QLineEdit address;
        address.setText(QStringLiteral("東京都"));
        if (c.composedBefore) {
            QLineEdit name;
            QInputMethodEvent composing(QStringLiteral("やまだ"), {});
            service.observe(&name, composing);
        }
        Preedits preedits;
        address.installEventFilter(&preedits);
        EXPECT_FALSE(service.convertText(&address, QStringLiteral("100-0001"))) << c.what;
        EXPECT_EQ(address.text(), QStringLiteral("東京都")) << c.what;
        EXPECT_EQ(preedits.seen, c.composition ? QStringList{QStringLiteral("100-0001")} : QStringList()) << c.what;
    }
    qputenv("QT_IM_MODULE", savedModule);
}

TEST(ImeService, TestsCanStandIn) {
    struct Fake : lum::ImeService {
        QString reading(QWidget*) override { return QStringLiteral("ﾃｽﾄ"); }
        bool convertText(QWidget*, const QString& t) override {
            converted = t;
            return true;
        }
        QString converted;
    } fake;
    lum::setImeService(&fake);
    QLineEdit edit;
    EXPECT_EQ(readingOf(&edit), QStringLiteral("ﾃｽﾄ"));
    EXPECT_TRUE(lum::ImeConvertText(&edit, QStringLiteral("1000001")));
    EXPECT_EQ(fake.converted, QStringLiteral("1000001"));
    lum::setImeService(nullptr);
    EXPECT_EQ(readingOf(&edit), QString());
}
