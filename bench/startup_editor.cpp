// The editor's start-up sequence, ending right after the main window's
// first paint. Measured as a whole process against startup_bare.
#include "Startup.h"
#include "Unit1.h"

#include <QEvent>

namespace {
class QuitAfterPaint : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    EditorSession session(app);
    QuitAfterPaint quit;
    session.frmMain()->installEventFilter(&quit);
    session.frmMain()->show();
    return app.exec();
}
