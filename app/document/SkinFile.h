// SkinFile: skin files as bytes (header, version, record), reading and
// writing them whole, and the path rules of names and folders.
#pragma once

#include "platform/raster/Colors.h"
#include "platform/system/Files.h"
#include "skin/SkinTable.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

// A skin file: the 29-byte header text, a version byte, and the packed
// TSkinRecord (SkinRecordSize bytes, from the field table); multi-byte
// values little-endian.
constexpr std::uint8_t SkinFileVersion = 10;
constexpr int SkinHeaderSize = 29;
constexpr int SkinFileSize = SkinHeaderSize + 1 + SkinRecordSize;
extern const QByteArray SkinFileHeader; // "Tavrin Zlatovir SKIN datoteka"

// The record as stored: field by field, unaligned; the reserved fields
// 0x00FFFFFF, as the editor always writes them, unless they are to be kept
// as the record holds them (kvztool's set keeps a file's own).
QByteArray encodeSkinRecord(const TSkinRecord& record, bool withReserved = false);
// The record from at least SkinRecordSize bytes. The reserved fields are not read
// (they stay white) unless asked for, as a dump of the file does.
TSkinRecord decodeSkinRecord(const QByteArray& bytes, bool withReserved = false);
// The whole file: header, SkinFileVersion, record.
QByteArray encodeSkinFile(const TSkinRecord& record, bool withReserved = false);

// What reading a skin file found. Any 29 header bytes are accepted, and
// every version up to SkinFileVersion is read with the one layout.
struct SkinFileContents
{
    enum Status {
        Loaded,
        Missing,      // no such file: nothing to say, nothing changes
        NewerVersion, // refused with a message
        Truncated,    // shorter than a whole skin: refused with a message
    };
    Status status = Missing;
    std::uint8_t version = 0;
    TSkinRecord record;
    QByteArray recordBytes; // the record's bytes as stored, when loaded
};

// The contents of a file's bytes (only the first SkinFileSize matter).
SkinFileContents parseSkinFile(const QByteArray& bytes);
// Reads the named file. A path that is there but is no regular file, or a
// file that can't be opened, raises EditorError
// "Cannot open file "<full path>". <reason>"; a missing file or a link
// that leads nowhere reads as Missing.
SkinFileContents readSkinFile(const QString& fileName);
// The message a refused file is reported with ("Greska" box), empty for the others.
QString refusalMessage(SkinFileContents::Status status);
extern const QString RefusalCaption; // "Greska"

// Writes the whole file or nothing, only onto a regular file or a new path
// (see writeWholeFile). Failure raises EditorError
// "Cannot create file "<full path>". <reason>". Returns the old file's user
// attributes that could not be carried over.
[[nodiscard]] LostAttributes writeSkinFile(const QString& fileName, const TSkinRecord& record,
                                           bool withReserved = false);
// What the user is told when a file was written without some of the old
// file's attributes (empty when none were lost), and the box's caption.
QString lostAttributesMessage(const QString& fileName, const LostAttributes& lost);
extern const QString WarningCaption; // "Upozorenje"

// Path rules. Only "/" separates path parts on Linux and other Unix
// systems; a Windows build also takes "\" and ":".
// The name with ".kvz" appended unless its extension (from the last "."
// after the last separator) is ".KVZ" in any case of ASCII letters.
QString withSkinExtension(const QString& fileName);
// The file-name part of a path: everything after the last separator.
QString fileNamePart(const QString& path);
// The path made absolute against the working folder, with "." and ".."
// resolved and no doubled or trailing separators.
QString absoluteCleanPath(const QString& path);
// The absolute folder a path lies in: no trailing separator, except for a
// root ("/").
QString directoryPart(const QString& path);

// The file a URL names on this computer: a "file:" URL with no host or
// "localhost", its path's bytes as they were escaped (see pathText);
// nothing for anything else.
std::optional<QString> localFileOf(QUrl url);

// What a loaded record is put into: a page of the skin table takes its
// values as that page's set-page operation puts them into its controls.
class SkinPages
{
public:
    virtual ~SkinPages() = default;
    virtual void setPage(int page, const PageValue& value) = 0;
};

// Gives every page its values from the record, in the table's order (the
// record's), "Ostalo" last; no reserved field is passed, and direction bytes
// go as read.
void applySkinRecord(const TSkinRecord& record, SkinPages& pages);
