#include "plans/practice_cell_dialogs.h"

#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/lazy_window.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TABCForm* ABCForm = nullptr;
TGoodsForm* GoodsForm = nullptr;
TKaigoForm* KaigoForm = nullptr;
TTimeForm* TimeForm = nullptr;

namespace lum {

TABCForm& abcForm() { return lazyWindow(ABCForm); }
TGoodsForm& goodsForm() { return lazyWindow(GoodsForm); }
TKaigoForm& kaigoForm() { return lazyWindow(KaigoForm); }
TTimeForm& timeForm() { return lazyWindow(TimeForm); }
}  // namespace lum

namespace {

// A dialog with a caption and no title-bar buttons.
constexpr Qt::WindowFlags kNoTitleButtons =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

// ---- TABCForm

TABCForm::TABCForm(QWidget* parent) : QDialog(parent, kNoTitleButtons) {
    setObjectName(QStringLiteral("ABCForm"));
    setWindowTitle(QStringLiteral("ＡＢＣ記入"));
    setFont(lum::uiFont(11));
    ABox = checkBox("ABox", QStringLiteral("Ａ：目標"), this);
    BBox = checkBox("BBox", QStringLiteral("Ｂ：実施状況"), this);
    CBox = checkBox("CBox", QStringLiteral("Ｃ：能力"), this);
    OkButton = lum::dialogButton("OkButton", QStringLiteral("Ok"), this);
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("Cancel"), this);
    ALLSet = lum::dialogButton("ALLSet", QStringLiteral("全て記載"), this);
    ALLCancel = lum::dialogButton("ALLCancel", QStringLiteral("全て消去"), this);
    connect(OkButton, &QPushButton::clicked, this, [this] {
        Letters = CheckedLetters();
        done(lum::mrOk);
    });
    connect(ALLSet, &QPushButton::clicked, this, [this] {
        Letters = CheckedLetters();
        done(lum::mrYesToAll);
    });
    connect(ALLCancel, &QPushButton::clicked, this, [this] { done(lum::mrNoToAll); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(lum::mrCancel); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(18);
    auto* boxes = new QVBoxLayout;
    for (QCheckBox* box : {ABox, BBox, CBox}) boxes->addWidget(box);
    boxes->addStretch();
    auto* buttons = new QGridLayout;
    buttons->addWidget(OkButton, 0, 0);
    buttons->addWidget(CancelButton, 0, 1);
    buttons->addWidget(ALLSet, 1, 0);
    buttons->addWidget(ALLCancel, 1, 1);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    lum::setTabChain({ABox, BBox, CBox, OkButton, CancelButton, ALLSet, ALLCancel});
}

QString TABCForm::CheckedLetters() const {
    QString letters;
    if (ABox->isChecked()) letters += u'A';
    if (BBox->isChecked()) letters += u'B';
    if (CBox->isChecked()) letters += u'C';
    return letters;
}

QString TABCForm::FormatResult(const QString& letters) {
    if (letters.size() < 3) return letters;
    return letters.left(2) + u'\n' + letters[2];
}

void TABCForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
    ABox->setFocus();
}

// ---- TGoodsForm and TKaigoForm

TPhraseLinesForm::TPhraseLinesForm(const QString& caption, const char* boxPrefix, const QString& programName,
                                   bool closeButton, QWidget* parent)
    : QDialog(parent, closeButton ? Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint : kNoTitleButtons),
      ProgramName(programName) {
    setWindowTitle(caption);
    setFont(lum::uiFont(11));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(boxPrefix)).arg(i + 1));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumWidth(380);
        Boxes[size_t(i)] = box;
        layout->addWidget(box);
        lum::onDoubleClick(box, [this] {
            lum::EditCommentsOf({Boxes[0], Boxes[1], Boxes[2]}, ProgramName, CommentCode);
        });
    }
    CancelButton = lum::dialogButton("CancelButton", QStringLiteral("Cancel"), this);
    OkButton = lum::dialogButton("OkButton", QStringLiteral("Ok"), this);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(OkButton);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    lum::setTabChain({Boxes[0], Boxes[1], Boxes[2], CancelButton, OkButton});
}

QStringList TPhraseLinesForm::Lines() const {
    QStringList lines;
    for (const QComboBox* box : Boxes)
        if (!box->currentText().isEmpty()) lines << box->currentText();
    return lines;
}

void TPhraseLinesForm::showEvent(QShowEvent* event) {
    lum::LoadCommentsInto({Boxes[0], Boxes[1], Boxes[2]}, ProgramName, CommentCode);
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
    Boxes[0]->setFocus();
}

TGoodsForm::TGoodsForm(QWidget* parent)
    : TPhraseLinesForm(QStringLiteral("使用用具"), "GoodsBox", QStringLiteral("Goods"), false, parent) {
    setObjectName(QStringLiteral("GoodsForm"));
    GoodsBox1 = Boxes[0];
    GoodsBox2 = Boxes[1];
    GoodsBox3 = Boxes[2];
}

TKaigoForm::TKaigoForm(QWidget* parent)
    : TPhraseLinesForm(QStringLiteral("介護内容"), "KaigoBox", QStringLiteral("Kaigo"), true, parent) {
    setObjectName(QStringLiteral("KaigoForm"));
    KaigoBox1 = Boxes[0];
    KaigoBox2 = Boxes[1];
    KaigoBox3 = Boxes[2];
}

// ---- TTimeForm

TTimeForm::TTimeForm(QWidget* parent) : QDialog(parent, kNoTitleButtons) {
    setObjectName(QStringLiteral("TimeForm"));
    setWindowTitle(QStringLiteral("到達時期"));
    setFont(lum::uiFont(12));
    NumLabel = new QLabel(this);
    NumLabel->setObjectName(QStringLiteral("NumLabel"));
    NumLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NumLabel->setFrameShape(QFrame::Panel);
    NumLabel->setFrameShadow(QFrame::Sunken);
    NumLabel->setMinimumHeight(34);
    NumLabel->setFont(lum::uiFont(16, QFont::Bold));
    NumLabel->setStyleSheet(QStringLiteral("background: white; padding-right: 6px;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addWidget(NumLabel);
    auto* keys = new QGridLayout;
    keys->setSpacing(6);
    const QString fullWidthDigits = QStringLiteral("０１２３４５６７８９");
    for (int d = 0; d < 10; ++d) {
        auto* b = lum::dialogButton(QStringLiteral("NumButton%1").arg(d).toLatin1().constData(),
                                    QString(fullWidthDigits[d]), this);
        b->setMinimumSize(52, 40);
        connect(b, &QPushButton::clicked, this, [this, d] { NumLabel->setText(NumLabel->text() + QChar(u'0' + d)); });
        NumButtons[size_t(d)] = b;
        // 7 8 9 / 4 5 6 / 1 2 3 / 0 クリア
        if (d == 0) keys->addWidget(b, 3, 0);
        else keys->addWidget(b, 2 - (d - 1) / 3, (d - 1) % 3);
    }
    ClearButton = lum::dialogButton("ClearButton", QStringLiteral("クリア"), this);
    ClearButton->setMinimumSize(52, 40);
    connect(ClearButton, &QPushButton::clicked, NumLabel, &QLabel::clear);
    keys->addWidget(ClearButton, 3, 1, 1, 2);
    layout->addLayout(keys);
    MButton = lum::dialogButton("MButton", QStringLiteral("月"), this);
    KButton = lum::dialogButton("KButton", QStringLiteral("カ月"), this);
    connect(MButton, &QPushButton::clicked, this, [this] { done(lum::mrYes); });
    connect(KButton, &QPushButton::clicked, this, [this] { done(lum::mrOk); });
    auto* ends = new QHBoxLayout;
    ends->addWidget(MButton);
    ends->addWidget(KButton);
    layout->addSpacing(4);
    layout->addLayout(ends);
    setFixedSize(sizeHint());
}

QString TTimeForm::CellText(int result, int months) {
    return QStringLiteral(" %1%2").arg(months).arg(result == lum::mrYes ? QStringLiteral("月") : QStringLiteral("ヵ月"));
}

void TTimeForm::done(int result) {
    bool ok = false;
    const int n = NumLabel->text().toInt(&ok);
    Months = ok ? n : 0;
    QDialog::done(result);
}

void TTimeForm::showEvent(QShowEvent* event) {
    NumLabel->clear();
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
}

void TTimeForm::keyPressEvent(QKeyEvent* event) {
    // Digits typed on the keyboard press the keypad's keys.
    const QString text = event->text();
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9') {
        NumButtons[size_t(text[0].unicode() - u'0')]->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
