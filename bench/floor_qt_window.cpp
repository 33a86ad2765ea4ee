// The floor for start-up, memory and idle figures: the least a Qt Widgets program does to show
// one window. Same size as the splash window, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(360, 373);
    window.show();
    return application.exec();
}
