#pragma once

#include <QString>

#include <functional>

// Runs `check` as an unprivileged user, so that permission checks mean the
// same under root (as CI runs) as for anyone: as it is when not root, else
// in a child process that gives `folder` (recursively) to the user "nobody"
// and drops to that user. `check` returns what went wrong, empty when
// nothing did; so does this.
QString asUnprivilegedUser(const QString& folder, const std::function<QString()>& check);
