// The floor of the start-up benchmark: the least a Qt Widgets program does
// before a user can type, one window with a Japanese label and a line edit.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("startup floor"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("ログイン名を入力してください。"), &window));
    layout->addWidget(new QLineEdit(&window));
    window.show();
    return QApplication::exec();
}
