#include "platform/system/Resources.h"

#include "platform/base/Errors.h"

#include <QFile>

QByteArray loadResource(const QString& name, const QString& type)
{
    QFile file(QStringLiteral(":/%1/%2").arg(type, name));
    if (!file.open(QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Resource %1 not found").arg(name));
    return file.readAll();
}
