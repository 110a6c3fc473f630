// The yardstick of the start-up benchmark: a Qt Widgets window of the main window's size and
// nothing else, built with the same compiler and options as the program.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(772, 566);
    window.show();
    return QApplication::exec();
}
