// The settings store's reader against QSettings itself: for any file, each
// of the three values reads as QSettings reads it, or the store declines
// it. Where the store would rewrite the file, the values it writes read
// back through QSettings as written, and every other value as before.
//
// Input: the bytes of a settings file.
#include "platform/system/IniText.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const keys[] = {"Putanja", "OpenDir", "SaveDir"};

[[noreturn]] void disagree(const char* what, const QString& key, const QByteArray& bytes)
{
    std::fprintf(stderr, "%s: %s in %s\n", what, qPrintable(key), bytes.toHex(' ').constData());
    std::abort();
}

// A text as QSettings reads it from a file. QSettings keeps what it read of
// a file by name, so every text gets a name of its own, gone once read.
struct QtReading
{
    explicit QtReading(const QByteArray& bytes) : settings(write(bytes), QSettings::IniFormat)
    {
        settings.allKeys(); // read now
        QFile::remove(settings.fileName());
    }
    static QString write(const QByteArray& bytes)
    {
        static QTemporaryDir dir;
        static int count = 0;
        const QString name = dir.filePath(QStringLiteral("%1.conf").arg(++count));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        return name;
    }
    QSettings settings;
};

void agree(const IniText& ours, const QByteArray& bytes, const QSettings& qt)
{
    for (const char* name : keys) {
        const QString key = QLatin1String(name);
        const IniValue value = ours.value(key);
        const QVariant theirs = qt.value(key);
        if (value.kind == IniValue::Absent && qt.contains(key))
            disagree("absent here, present for QSettings", key, bytes);
        if (value.kind == IniValue::String
            && (theirs.typeId() != QMetaType::QString || theirs.toString() != value.text))
            disagree("another string", key, bytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const IniText ours(bytes);
    const QtReading reading(bytes);
    const QSettings& qt = reading.settings;
    agree(ours, bytes, qt);
    if (!ours.rewritable())
        return 0;

    // Values with what needs escaping and quoting, from the input itself.
    IniText edited = ours;
    const QString written[] = {QStringLiteral("/usr/bin/editor"), QString::fromUtf8(bytes.left(40)),
                               QStringLiteral(" a, \"b\"; c=\\ ")};
    for (int i = 0; i < 3; ++i)
        edited.setString(QLatin1String(keys[i]), written[i]);
    edited.remove(QStringLiteral("PregledDir"));
    const std::optional<QByteArray> rewritten = edited.rewritten();
    if (!rewritten)
        return 0; // the store would leave the file as it is
    const QByteArray& after = *rewritten;
    const QtReading rereading(after);
    const QSettings& reread = rereading.settings;
    agree(IniText(after), after, reread);
    for (int i = 0; i < 3; ++i)
        if (reread.value(QLatin1String(keys[i])).toString() != written[i])
            disagree("not read back as written", QLatin1String(keys[i]), after);
    for (const QString& key : qt.allKeys()) {
        if (key == QLatin1String("Putanja") || key == QLatin1String("OpenDir") || key == QLatin1String("SaveDir")
            || key == QLatin1String("PregledDir"))
            continue;
        // A key read as "/x" is looked up as "x": not a value of its own.
        if (key.startsWith(QLatin1Char('/')) || key.endsWith(QLatin1Char('/')) || key.contains(QLatin1String("//")))
            continue;
        if (reread.value(key) != qt.value(key))
            disagree("another value changed", key, after);
    }
    return 0;
}
