#include "app/document/SkinFile.h"

#include "platform/base/Errors.h"
#include "platform/system/Files.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>

const QByteArray SkinFileHeader = QByteArrayLiteral("Tavrin Zlatovir SKIN datoteka");
const QString RefusalCaption = QStringLiteral("Greska");


QByteArray encodeSkinRecord(const TSkinRecord& record, bool withReserved)
{
    QByteArray out;
    out.reserve(SkinRecordSize);
    for (const SkinField& field : skinFields()) {
        char bytes[4];
        qToLittleEndian<quint32>(field.reserved && !withReserved ? clWhite : field.get(record), bytes);
        out.append(bytes, field.size());
    }
    return out;
}

TSkinRecord decodeSkinRecord(const QByteArray& bytes, bool withReserved)
{
    TSkinRecord record;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype pos = 0;
    for (const SkinField& field : skinFields()) {
        if (withReserved || !field.reserved)
            field.set(record, field.isColour() ? qFromLittleEndian<quint32>(data + pos) : data[pos]);
        pos += field.size();
    }
    return record;
}

QByteArray encodeSkinFile(const TSkinRecord& record, bool withReserved)
{
    return SkinFileHeader + QByteArray(1, char(SkinFileVersion)) + encodeSkinRecord(record, withReserved);
}

SkinFileContents parseSkinFile(const QByteArray& bytes)
{
    SkinFileContents contents;
    if (bytes.size() <= SkinHeaderSize) {
        contents.status = SkinFileContents::Truncated;
        return contents;
    }
    contents.version = std::uint8_t(bytes[SkinHeaderSize]);
    if (contents.version > SkinFileVersion) {
        contents.status = SkinFileContents::NewerVersion;
        return contents;
    }
    if (bytes.size() < SkinFileSize) {
        contents.status = SkinFileContents::Truncated;
        return contents;
    }
    contents.recordBytes = bytes.mid(SkinHeaderSize + 1, SkinRecordSize);
    contents.record = decodeSkinRecord(contents.recordBytes);
    contents.status = SkinFileContents::Loaded;
    return contents;
}

// Only a regular file is read, and never by a path checked before it was
// opened: a FIFO would block the reader, and a folder or a device is no
// skin. A dangling link has nothing to read.
SkinFileContents readSkinFile(const QString& fileName)
{
    const FileContents file = readRegularFile(nativePath(fileName), SkinFileSize);
    auto cannotOpen = [&](const QString& reason) {
        return EditorError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(QFileInfo(fileName).absoluteFilePath(), reason));
    };
    switch (file.state.kind) {
    case PathState::Absent:
    case PathState::DanglingLink:
        return {};
    case PathState::NotRegular:
        throw cannotOpen(NotRegularReason);
    case PathState::Unreachable:
        throw cannotOpen(file.state.reason);
    case PathState::RegularFile:
        break;
    }
    return parseSkinFile(file.bytes);
}

QString refusalMessage(SkinFileContents::Status status)
{
    switch (status) {
    case SkinFileContents::NewerVersion:
        return QStringLiteral("Datoteka je kreirana u novijoj verziji VEDU Dozezi-a.");
    case SkinFileContents::Truncated:
        return QStringLiteral("Datoteka nije ispravna SKIN datoteka.");
    case SkinFileContents::Loaded:
    case SkinFileContents::Missing:
        break;
    }
    return {};
}

LostAttributes writeSkinFile(const QString& fileName, const TSkinRecord& record, bool withReserved)
{
    return writeWholeFile(fileName, encodeSkinFile(record, withReserved));
}

const QString WarningCaption = QStringLiteral("Upozorenje");

QString lostAttributesMessage(const QString& fileName, const LostAttributes& lost)
{
    if (lost.isEmpty())
        return {};
    return QStringLiteral("Datoteka \"%1\" je sačuvana, ali bez ovih atributa stare datoteke: %2")
        .arg(fileNamePart(fileName), lost.join(QStringLiteral(", ")));
}

QString withSkinExtension(const QString& fileName)
{
    return withExtension(fileName, QStringLiteral(".kvz"));
}
