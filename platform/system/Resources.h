// Resources: the program's embedded resources, opened by name and type.
// A missing one raises the editor's error.
#pragma once

#include <QByteArray>
#include <QString>

// The bytes of the program's resource `name` of resource type `type`
// (embedded as ":/type/name"). A missing resource raises EditorError with
// "Resource <name> not found".
QByteArray loadResource(const QString& name, const QString& type);
