// A bare Qt Widgets window of the editor's size, ending right after its
// first paint: the baseline of the start-up benchmark.
#include "bench/QuitAfterPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 455);
    QuitAfterPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
