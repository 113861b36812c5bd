#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// What a path names, with symbolic links followed: nothing; a regular file;
// a link that leads nowhere (an existing path all the same); something else
// (a folder, a FIFO, a device, a socket); or a path the system will not
// look into (no search permission on a folder, a loop of links), with the
// system's reason.
struct PathState
{
    enum Kind { Absent, RegularFile, DanglingLink, NotRegular, Unreachable };
    Kind kind = Absent;
    qint64 size = 0;
    QString reason; // for Unreachable
};
PathState inspectPath(const QString& path);

// The message part for a path that is there but is no regular file.
extern const QString NotRegularReason; // "Not a regular file"

// Replaces or creates `fileName` with exactly `bytes`, or changes nothing.
// A write goes only onto a regular file (a link to one is followed: the
// link stays, its target gets the bytes) or a new path; anything else is
// refused with NotRegularReason. The new contents are written beside the
// target under a short temporary name and renamed over it, so the old file
// stays whole until the new one is complete, even for names at the file
// system's length limit; the old file's permissions, and where the process
// may, its owner and group, carry over (a hard link keeps the old bytes).
// Where the folder takes no new file but the file itself is writable, the
// file is rewritten in place. Failure raises EditorError
// "Cannot create file "<absolute path>". <reason>".
void writeWholeFile(const QString& fileName, const QByteArray& bytes);

// A picture encoded whole in memory as `format` ("PNG", "JPEG", "BMP"), the
// encoder's result checked; raises EditorError naming `fileName` when it
// fails. PNG takes zlib's fastest level: the same pixels, a little larger.
QByteArray encodePicture(const QImage& image, const QString& fileName, const char* format);
