#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vorna-Paginor 2002"));
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
