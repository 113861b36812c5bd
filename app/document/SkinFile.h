#pragma once

#include "Colors.h"
#include "Files.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

// A skin file: the 29-byte header text, a version byte, and the packed
// 175-byte TSkinRecord; 205 bytes, multi-byte values little-endian.
constexpr std::uint8_t SkinFileVersion = 10;
constexpr int SkinHeaderSize = 29;
constexpr int SkinRecordSize = 175;
constexpr int SkinFileSize = SkinHeaderSize + 1 + SkinRecordSize;
extern const QByteArray SkinFileHeader; // "Tavrin Zlatovir SKIN datoteka"

// Every colour and direction of one skin. Colours are TColor values exactly
// as the colour boxes hold them (a system-colour reference included);
// directions are bytes, 1 for "Desno", 0 for "Dole", passed on as read.
struct TSkinRecord
{
    TColor PitanjeText = 0, PitanjeLinija = 0, PitanjeC1 = 0, PitanjeC2 = 0;
    std::uint8_t PitanjeDesno = 0;
    TColor OdgovorNormalText = 0, OdgovorNormalChar = 0, OdgovorNormalLine = 0, OdgovorNormalC1 = 0,
           OdgovorNormalC2 = 0;
    std::uint8_t OdgovorNormalDesno = 0;
    TColor OdgovorInText = 0, OdgovorInChar = 0, OdgovorInLine = 0, OdgovorInC1 = 0, OdgovorInC2 = 0;
    std::uint8_t OdgovorInDesno = 0;
    TColor OdgovorChechText = 0, OdgovorChechChar = 0, OdgovorChechLine = 0, OdgovorChechC1 = 0,
           OdgovorChechC2 = 0;
    std::uint8_t OdgovorChechDesno = 0;
    TColor OdgovorOKText = 0, OdgovorOKChar = 0, OdgovorOKLine = 0, OdgovorOKC1 = 0, OdgovorOKC2 = 0;
    std::uint8_t OdgovorOKDesno = 0;
    TColor OdgovorYESText = 0, OdgovorYESLine = 0, OdgovorYESC1 = 0, OdgovorYESC2 = 0;
    std::uint8_t OdgovorYESDesno = 0;
    TColor OdgovorNOText = 0, OdgovorNOLine = 0, OdgovorNOC1 = 0, OdgovorNOC2 = 0;
    std::uint8_t OdgovorNODesno = 0;
    TColor TacanOdgovor = 0, NetacanOdgovor = 0, Voditelj = 0, PrijateljHalo = 0, Prijatelj = 0,
           PrijateljSenka = 0;
    // Always written as 0x00FFFFFF, never read.
    TColor Reserved1 = clWhite, Reserved2 = clWhite, Reserved3 = clWhite, Reserved4 = clWhite;
};

// One field of the record, in file order: a 4-byte colour or a 1-byte
// direction.
struct SkinField
{
    const char* name;
    std::variant<TColor TSkinRecord::*, std::uint8_t TSkinRecord::*> member;
    bool reserved;

    bool isColour() const { return std::holds_alternative<TColor TSkinRecord::*>(member); }
    // Bytes in the file: 4 for a colour, 1 for a direction.
    int size() const { return isColour() ? 4 : 1; }
    std::uint32_t get(const TSkinRecord& record) const
    {
        return std::visit([&](auto field) { return std::uint32_t(record.*field); }, member);
    }
    // A direction keeps the low byte of the value.
    void set(TSkinRecord& record, std::uint32_t value) const
    {
        std::visit([&](auto field) { record.*field = decltype(+(record.*field))(value); }, member);
    }
};
const std::vector<SkinField>& skinFields();

// The record as stored: field by field, unaligned; the reserved fields
// 0x00FFFFFF, as the editor always writes them, unless they are to be kept
// as the record holds them (kvztool's set keeps a file's own).
QByteArray encodeSkinRecord(const TSkinRecord& record, bool withReserved = false);
// The record from at least 175 bytes. The reserved fields are not read
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
    QByteArray recordBytes; // the 175 bytes as stored, when loaded
};

// The contents of a file's bytes (only the first 205 matter).
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

// The eight set-page operations a loaded record is put into the pages with.
class SkinPages
{
public:
    virtual ~SkinPages() = default;
    virtual void SetPitanje(TColor Text, TColor Linija, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOdgovorNormal(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOdgovorIn(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOdgovorChech(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOdgovorOK(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOdgovorYES(TColor Text, TColor Line, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOdgovorNO(TColor Text, TColor Line, TColor C1, TColor C2, std::uint8_t Direction) = 0;
    virtual void SetOstalo(TColor TacanOdgovor, TColor NetacanOdgovor, TColor Voditelj, TColor PrijateljHalo,
                           TColor Prijatelj, TColor PrijateljSenka) = 0;
};

// Calls the eight operations in their order with the record's fields; no
// reserved field is passed, and direction bytes go as read.
void applySkinRecord(const TSkinRecord& record, SkinPages& pages);
// The standard skin: the colours the skin images are first painted in, the
// pages' "Standarno" values and a fresh editor's controls, all from here.
constexpr TSkinRecord standardSkinRecord()
{
    constexpr TColor steelBlue = 0x00B38855;  // (85, 136, 179): every outline
    constexpr TColor orange = 0x000099FF;     // (255, 153, 0)
    constexpr TColor palePeach = 0x00ADDEFE;  // (254, 222, 173)
    constexpr TColor redOrange = 0x000033FF;  // (255, 51, 0)
    constexpr TColor salmon = 0x009DB0FE;     // (254, 176, 157)
    constexpr TColor green = 0x0033CC00;      // (0, 204, 51)
    constexpr TColor paleGreen = 0x00B1EC9F;  // (159, 236, 177)
    TSkinRecord r;
    r.PitanjeText = clWhite;
    r.PitanjeLinija = steelBlue;
    r.PitanjeC1 = clBlack;
    r.PitanjeC2 = clBlack;
    r.PitanjeDesno = 1;
    r.OdgovorNormalText = clWhite;
    r.OdgovorNormalChar = clAqua;
    r.OdgovorNormalLine = steelBlue;
    r.OdgovorNormalC1 = clBlack;
    r.OdgovorNormalC2 = clBlack;
    r.OdgovorNormalDesno = 1;
    r.OdgovorInText = clWhite;
    r.OdgovorInChar = clAqua;
    r.OdgovorInLine = steelBlue;
    r.OdgovorInC1 = orange;
    r.OdgovorInC2 = palePeach;
    r.OdgovorInDesno = 1;
    r.OdgovorChechText = clWhite;
    r.OdgovorChechChar = clAqua;
    r.OdgovorChechLine = steelBlue;
    r.OdgovorChechC1 = redOrange;
    r.OdgovorChechC2 = salmon;
    r.OdgovorChechDesno = 1;
    r.OdgovorOKText = clWhite;
    r.OdgovorOKChar = clAqua;
    r.OdgovorOKLine = steelBlue;
    r.OdgovorOKC1 = green;
    r.OdgovorOKC2 = paleGreen;
    r.OdgovorOKDesno = 1;
    r.OdgovorYESText = clWhite;
    r.OdgovorYESLine = steelBlue;
    r.OdgovorYESC1 = orange;
    r.OdgovorYESC2 = palePeach;
    r.OdgovorYESDesno = 1;
    r.OdgovorNOText = clWhite;
    r.OdgovorNOLine = steelBlue;
    r.OdgovorNOC1 = clBlack;
    r.OdgovorNOC2 = clBlack;
    r.OdgovorNODesno = 1;
    r.TacanOdgovor = clYellow;
    r.NetacanOdgovor = clRed;
    r.Voditelj = clYellow;
    r.PrijateljHalo = clAqua;
    r.Prijatelj = clWhite;
    r.PrijateljSenka = clNavy;
    return r;
}
