// Start-up only: everything else lives in the libraries.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Storyloom 1.0.2"));
    window.setWindowTitle(QStringLiteral("Storyloom 1.0.2"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
