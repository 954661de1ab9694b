// screengrab FILE.png [DELAY_MS]: saves the whole screen of the current display, after an optional delay.
// Used to look at the program on a virtual display (xvfb-run), where no screenshot program is installed.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: screengrab FILE.png [DELAY_MS]\n");
        return 2;
    }
    const int delay = arguments.size() > 2 ? arguments.at(2).toInt() : 0;
    QTimer::singleShot(delay, &app, [&arguments] {
        QScreen* screen = QGuiApplication::primaryScreen();
        const bool isSaved = screen && screen->grabWindow(0).save(arguments.at(1));
        QCoreApplication::exit(isSaved ? 0 : 1);
    });
    return QGuiApplication::exec();
}
