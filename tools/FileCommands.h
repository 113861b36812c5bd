// FileCommands: kvztool's commands on skin files alone (new, dump, check,
// diff, set, fields) and what its picture commands share with them.
#pragma once

// kvztool's commands on skin files alone (new, dump, check, set) and what
// its other commands share with them. They use the document library only:
// no window, no widgets.
#include "app/document/SkinFile.h"

#include <QString>
#include <QStringList>

#include <optional>

enum KvzExit { Ok = 0, BadFile = 1, BadUsage = 2 };

// A result line on standard output.
void say(const QString& text);
// A message on standard error, "kvztool: " first; returns the exit code.
int fail(KvzExit code, const QString& text);
// A written file's lost attributes, said on standard error (the write stands).
void warnAboutLost(const QString& fileName, const LostAttributes& lost);
// At most `limit` bytes of standard input; the rest is left unread.
QByteArray readStandardInput(qsizetype limit);
constexpr qsizetype MaxJsonSize = 64 * 1024;
// "-" names standard input where a skin is read and standard output where
// one file is written.
SkinFileContents readSkinArgument(const QString& name);
// `text` as a JSON string, quotes and escapes included.
QString jsonString(const QString& text);
// Writes all the bytes to standard output, or raises EditorError.
void writeStandardOutput(const QByteArray& bytes);
// Nothing when the editor would open the file without a message, else the
// reason it would not (a missing file, a file that can't be opened
// included), as "NAME: reason": a file is named so wherever it is refused,
// alone or among others.
std::optional<QString> refusal(const QString& fileName, SkinFileContents* out = nullptr);

// Every command that writes refuses to replace what exists without --force
// (a link that leads nowhere is an existing path too), and a name the
// system will not look at, with its reason: the message for the first of
// `names` so refused, if any.
std::optional<QString> refusedOverwrite(const QStringList& names, bool force);

// Where each skin of a batch writes, as names inside the out folder:
// "dir/plavi.kvz" (".kvz" in any case, or none) gives "plavi.png", or the
// folder "plavi" for images. Decided for every skin before anything is
// written; a skin whose name would not be a plain name inside the folder,
// or two skins that would write the same output, are refused by name.
struct BatchPlan
{
    QStringList outputs;  // one per skin, in order
    QStringList refusals; // empty when the batch may run
};
BatchPlan planBatchOutputs(const QStringList& skins, bool images);

int commandNew(const QStringList& args, bool force);
// One block per file ("file NAME" first when there are several), or with
// `json` one JSON object per file and line: name, version, every field by
// its name with its stored value, and for a colour what it shows.
int commandDump(const QStringList& args, bool json);
int commandCheck(const QStringList& args);
// The fields whose values differ between two skins, one "NAME A B" a line
// as dump shows values (with `json` one object: both names and each such
// field's two values as dump --json gives them); 0 when the skins are
// equal, 1 when they differ, 2 when either is not a skin, as cmp does.
int commandDiff(const QStringList& args, bool json);
// `json`: a file ("-": standard input) holding an object of dump --json,
// whose fields are set first; assignments on the command line follow.
int commandSet(const QStringList& args, const QString& json);
// Every field a skin file stores, in file order, with its kind and its
// standard value: "NAME boja 0xAABBGGRR" or "NAME smer N". Given a field's
// name: the values it takes by name, one a line (the colour names, written
// without blanks as set takes them, or the two directions), for completion.
int commandFields(const QString& field);
