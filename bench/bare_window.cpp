// A bare Qt window for comparison with the program's start-up: one
// application and one titled, empty widget, nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Qt window");
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
