#include "plans/text_form.h"

#include "platform/ui/dialogs.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TTextForm* TextForm = nullptr;

namespace lum {
TTextForm& textForm() {
    if (!TextForm) {
        TextForm = new TTextForm;
        QObject::connect(TextForm, &QObject::destroyed, [] { TextForm = nullptr; });
    }
    return *TextForm;
}
}  // namespace lum

namespace {
QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(96, 32);
    return b;
}
}  // namespace

TTextForm::TTextForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TextForm"));
    setWindowTitle(QStringLiteral("記入"));
    setFont(lum::uiFont(11));
    TextBox = new QComboBox(this);
    TextBox->setObjectName(QStringLiteral("TextBox"));
    TextBox->setEditable(true);
    TextBox->setInsertPolicy(QComboBox::NoInsert);
    TextBox->setMinimumWidth(420);
    lum::onDoubleClick(TextBox, [this] { EditList(); });
    DecideButton = button("DecideButton", QStringLiteral("確定"), this);
    CancelButton = button("CancelButton", QStringLiteral("キャンセル"), this);
    DecideButton->setDefault(true);
    connect(DecideButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(TextBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DecideButton);
    buttons->addWidget(CancelButton);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TTextForm::FillTextBox() {
    Comments = lum::LoadComments(ProgramName, CommentCode);
    lum::fillComboBox(TextBox, Comments);
}

void TTextForm::showEvent(QShowEvent* event) {
    FillTextBox();
    QDialog::showEvent(event);
    lum::centreOnOwner(*this);
    TextBox->setFocus();
}

void TTextForm::EditList() {
    TCommentForm& comments = lum::commentForm();
    comments.ProgramName = ProgramName;
    comments.CommentCode = CommentCode;
    lum::runModal(comments);
    const QString shown = TextBox->currentText();
    FillTextBox();
    TextBox->setEditText(shown);
}
