// The editor's start-up sequence, ending right after the main window's
// first paint. Measured as a whole process against startup_bare.
#include "app/Startup.h"
#include "app/Unit1.h"
#include "bench/QuitAfterPaint.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    EditorSession session(app);
    QuitAfterPaint quit;
    session.frmMain()->installEventFilter(&quit);
    session.frmMain()->show();
    return app.exec();
}
