// The yardstick of the start-up benchmark: the smallest Qt Widgets program
// that shows a window the size of the main window with one label in it.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("VelmoraWin III"));
    label.setFixedSize(703, 424); // the main window's size
    label.show();
    return app.exec();
}
