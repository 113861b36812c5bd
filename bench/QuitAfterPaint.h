// QuitAfterPaint: ends a benchmark program once its window has painted its
// first frame, so that start-up is timed to the first paint.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

// Ends the event loop right after the watched window's first paint.
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
