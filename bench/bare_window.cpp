// The yardstick of the start-up benchmark: the least a Qt Widgets program shows, one label in a
// window.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("A bare Qt window"));
    label.resize(400, 200);
    label.show();
    return QApplication::exec();
}
