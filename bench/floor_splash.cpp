// The floor for start-up with the splash window's content: the least a Qt Widgets program does to
// show the same picture, the two texts and the progress bar, in the same places, with Qt's own
// defaults and the picture as the one bitmap, whatever the screen's scale.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    window.setFixedSize(360, 373);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, Qt::white);
    window.setPalette(colours);
    window.setAutoFillBackground(true);

    QLabel picture(&window);
    picture.setPixmap(QPixmap(QStringLiteral(":/floor/splash.gif")));
    picture.setScaledContents(true);
    picture.setGeometry(0, 0, 355, 278);

    QLabel title(QStringLiteral("\"Brummo on the run\" wird geladen"), &window);
    QFont titleFont(QStringLiteral("Comic Neue"));
    titleFont.setPixelSize(21);
    title.setFont(titleFont);
    title.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title.setGeometry(0, 280, 353, 41);

    QProgressBar bar(&window);
    bar.setTextVisible(false);
    bar.setGeometry(0, 312, 353, 33);

    QLabel note(QStringLiteral("Neue Versionen und Spiele gibt es auf der Webseite des Autors."), &window);
    QFont noteFont(QStringLiteral("Comic Neue"));
    noteFont.setPixelSize(11);
    note.setFont(noteFont);
    note.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    note.setGeometry(0, 352, 353, 17);

    window.show();
    return application.exec();
}
