#include "results/copy_mode_form.h"

#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCopyModeForm* CopyModeForm = nullptr;

namespace lum {
TCopyModeForm& copyModeForm() {
    if (!CopyModeForm) {
        CopyModeForm = new TCopyModeForm;
        QObject::connect(CopyModeForm, &QObject::destroyed, [] { CopyModeForm = nullptr; });
    }
    return *CopyModeForm;
}
}  // namespace lum

TCopyModeForm::TCopyModeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CopyModeForm"));
    setWindowTitle(QStringLiteral("書き込みモード"));
    setFont(lum::uiFont(11));
    // A dialog border without border icons: it cannot be closed but by 設定.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    OverWrite = new QCheckBox(QStringLiteral("上書き"), this);
    OverWrite->setObjectName(QStringLiteral("OverWrite"));
    SkipWrite = new QCheckBox(QStringLiteral("スキップ"), this);
    SkipWrite->setObjectName(QStringLiteral("SkipWrite"));
    SetButton = new QPushButton(QStringLiteral("設定"), this);
    SetButton->setObjectName(QStringLiteral("SetButton"));
    SetButton->setDefault(true);

    auto explain = [this](std::initializer_list<const char16_t*> lines) {
        auto* box = new QVBoxLayout;
        box->setContentsMargins(28, 0, 0, 6);
        box->setSpacing(2);
        for (const char16_t* line : lines) box->addWidget(new QLabel(QString::fromUtf16(line), this));
        return box;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 14);
    layout->setSpacing(4);
    layout->addWidget(OverWrite);
    layout->addLayout(explain({u"既に存在している結果に上書きします。", u"結果が存在していない場合は、新しい結果として追加します。"}));
    layout->addSpacing(8);
    layout->addWidget(SkipWrite);
    layout->addLayout(explain({u"既に存在している結果は、スキップします。", u"データ変更は行いません。",
                               u"結果が存在していない場合は、新しい結果として追加します。"}));
    layout->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SetButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(OverWrite, &QCheckBox::clicked, this, [this](bool on) { SkipWrite->setChecked(!on); });
    connect(SkipWrite, &QCheckBox::clicked, this, [this](bool on) { OverWrite->setChecked(!on); });
    connect(SetButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TCopyModeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OverWrite->setChecked(true);
    SkipWrite->setChecked(false);
    SetButton->setFocus();
    lum::centreOnOwner(*this);
}

void TCopyModeForm::reject() { accept(); }
