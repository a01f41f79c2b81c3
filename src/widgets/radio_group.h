#pragma once
// A captioned group of radio buttons with one chosen item, addressed by its
// index as the windows' layouts do (ItemIndex; -1 when none is chosen). The
// buttons are named "<group name>Item<index>" so tests and keyboard users
// reach each one.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace lum {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
               QWidget* parent = nullptr);

    int ItemIndex() const;
    void setItemIndex(int index);  // -1 clears the choice
    QRadioButton* item(int index) const;
    int count() const;

signals:
    // The user or setItemIndex chose another item.
    void itemIndexChanged(int index);

private:
    QButtonGroup* buttons_;
};

}  // namespace lum
