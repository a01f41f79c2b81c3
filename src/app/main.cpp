// The application's main routine.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Lumorind"),
                             QStringLiteral("起動処理はまだ組み込まれていません。"));
    return 0;
}
