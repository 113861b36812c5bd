#include "tests/Unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

QString asUnprivilegedUser(const QString& folder, const std::function<QString()>& check)
{
    if (geteuid() != 0)
        return check();
    constexpr uid_t nobody = 65534;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    if (::chown(QFile::encodeName(folder).constData(), nobody, nobody) != 0)
        return QStringLiteral("cannot give %1 away").arg(folder);
    while (it.hasNext())
        if (::lchown(QFile::encodeName(it.next()).constData(), nobody, nobody) != 0)
            return QStringLiteral("cannot give %1 away").arg(it.filePath());
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        QByteArray report = "cannot drop to an unprivileged user";
        if (setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0)
            report = check().toUtf8();
        const bool written = ::write(pipeFds[1], report.constData(), size_t(report.size())) == report.size();
        _exit(written ? 0 : 1);
    }
    ::close(pipeFds[1]);
    QByteArray report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the unprivileged check did not finish");
    return QString::fromUtf8(report);
}
