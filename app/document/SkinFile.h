// SkinFile: skin files as bytes (header, version, record), reading and
// writing them whole, and the name a skin file is saved under.
#pragma once

#include "platform/system/Files.h"
#include "platform/system/Paths.h"
#include "skin/SkinTable.h"

#include <QByteArray>
#include <QString>

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

// The name with ".kvz" appended unless its extension (from the last "."
// after the last separator) is ".KVZ" in any case of ASCII letters.
QString withSkinExtension(const QString& fileName);

