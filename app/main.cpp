#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bastara"));
    window.resize(320, 354);
    window.show();
    return QApplication::exec();
}
