// Files: what a path names, and the safe whole-file write (bytes kept,
// synced, attributes carried, only onto regular files) and folders made.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Paths reach the system as the bytes they came as: a name is turned into
// bytes once (nativePath) and never made absolute through Qt's Unicode view
// of the working folder, which turns a byte that is not UTF-8 into U+FFFD
// and so into another folder. A relative path stays relative: the system
// resolves it.

// A path's bytes as text and back, exact for every path: UTF-8 where the
// bytes are UTF-8, and each byte that is not held as the lone surrogate
// U+DC80..U+DCFF (which no text from UTF-8 holds), as Python's file names
// do. For text names this is QFile::encodeName and decodeName.
QString pathText(const QByteArray& bytes);
QByteArray nativePath(const QString& text);

// Why a path handed in from outside names no file the system could open,
// before anything is opened: a NUL (the system would end the name there and
// open another file) or more bytes than the system takes. The message names
// the path shortened, so that a huge one never makes a huge message.
// Nothing when it may be tried.
std::optional<QString> unusablePath(const QString& path);

// What a path names, with symbolic links followed: nothing; a regular file;
// a link that leads nowhere (an existing path all the same); something else
// (a folder, a FIFO, a device, a socket); or a path the system will not
// look into (no search permission on a folder, a loop of links, a name too
// long), with the system's reason.
struct PathState
{
    enum Kind { Absent, RegularFile, DanglingLink, NotRegular, Unreachable };
    Kind kind = Absent;
    qint64 size = 0;
    QString reason; // for Unreachable
};
PathState inspectPath(const QString& path);
PathState inspectNativePath(const QByteArray& path); // the path's bytes as the system takes them

// The message part for a path that is there but is no regular file.
extern const QString NotRegularReason; // "Not a regular file"
// The system's reason for a path where nothing is.
extern const QString MissingFileReason; // "No such file or directory"

// Raises the error writeWholeFile would raise for what stands at the path
// (no regular file, a file the user may not write, a path the system will
// not look into), so that a command can refuse before it asks anything;
// else says what is there.
PathState refuseUnwritable(const QString& fileName);

// What a read of a regular file found, and the first bytes of it.
struct FileContents
{
    PathState state; // size: the whole file's; reason: why it could not be read
    QByteArray bytes;
};
// At most `limit` bytes from the start of the regular file a path names (a
// link to one followed), read without ever blocking: the path is opened
// first and judged by what was opened, so that nothing swapped in after a
// check (a FIFO, a device) is ever opened for reading. A file that cannot
// be opened is Unreachable, with the system's reason.
FileContents readRegularFile(const QByteArray& path, qint64 limit);

// Makes a write larger than the file-size limit fail with its reason ("File
// too large") instead of ending the process; called once at start-up.
void keepRunningPastFileSizeLimit();

// The extended attributes of the user namespace that a write could not
// carry over from the old file (the write went on without them); empty
// when everything came along.
using LostAttributes = QStringList;

// Replaces or creates `fileName` with exactly `bytes`, or changes nothing.
// A write goes only onto a regular file (a link to one is followed: the
// link stays, its target gets the bytes) or a new path; anything else is
// refused with NotRegularReason. A file the user may not write (read-only,
// marked so to protect it) is refused with the system's reason, whatever
// its folder allows. The new contents are written into a file
// of their own in the same folder (anonymous where the system allows, so
// that a kill leaves nothing behind), synced, given the old file's
// permissions, owner and group where the process may, and its extended
// attributes (ACLs among them), then renamed over the target, and the
// folder synced: the old file stays whole until the new one is, and the
// new one survives a power cut. An ACL that cannot be carried over refuses
// the write; a user attribute that cannot is returned and the write goes
// on. Where the folder takes no new file but the file itself is writable,
// the file is rewritten in place: its space reserved first (a full disk
// changes nothing), the old bytes overwritten, cut to length, synced.
// Failure raises EditorError "Cannot create file "<absolute path>".
// <the system's reason>".
[[nodiscard]] LostAttributes writeWholeFile(const QString& fileName, const QByteArray& bytes);
[[nodiscard]] LostAttributes writeWholeNativeFile(const QByteArray& fileName, const QByteArray& bytes);

// Writes `bytes` into an empty regular file itself, which keeps its
// identity: whoever made it and holds it open (a thumbnail service, which
// reads it back through its own descriptor) reads the new bytes. Its space
// is reserved first and it is synced; a kill mid-way leaves a short file
// where there was nothing. A file with contents, or a path where nothing
// is, is written whole as writeWholeFile does (the old bytes stay until
// the new ones are), with what it returns; what writeWholeFile refuses is
// refused.
[[nodiscard]] LostAttributes writeIntoFile(const QString& fileName, const QByteArray& bytes);

// Makes the folder and its missing parents. Returns the folders it made,
// outermost first, so that a failed run can take them away again; raises
// EditorError "Cannot create folder "<path>". <reason>".
QStringList makeFolders(const QString& path);
void makeNativeFolders(const QByteArray& path);
// Removes the folders makeFolders made, innermost first, those that are
// empty.
void removeFolders(const QStringList& made);
