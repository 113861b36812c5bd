#include "FileCommands.h"

#include "Errors.h"
#include "Files.h"
#include "SkinFile.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <map>

void say(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
}

int fail(KvzExit code, const QString& text)
{
    std::fprintf(stderr, "kvztool: %s\n", text.toUtf8().constData());
    return code;
}

void warnAboutLost(const QString& fileName, const LostAttributes& lost)
{
    if (!lost.isEmpty())
        std::fprintf(stderr, "kvztool: %s\n", lostAttributesMessage(fileName, lost).toUtf8().constData());
}

SkinFileContents readSkinArgument(const QString& name)
{
    if (name != QLatin1String("-"))
        return readSkinFile(name);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open file \"-\". %1").arg(in.errorString()));
    return parseSkinFile(in.readAll());
}

void writeStandardOutput(const QByteArray& bytes)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
        throw EditorError(QStringLiteral("standardni izlaz se ne može pisati"));
}

std::optional<QString> refusal(const QString& fileName, SkinFileContents* out)
{
    const SkinFileContents contents = readSkinArgument(fileName);
    if (out)
        *out = contents;
    if (contents.status == SkinFileContents::Missing)
        return QStringLiteral("nema datoteke \"%1\"").arg(fileName);
    if (contents.status != SkinFileContents::Loaded)
        return refusalMessage(contents.status);
    return std::nullopt;
}

namespace {

std::optional<TColor> parseColour(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^0[xX]([0-9A-Fa-f]{1,8})$"));
    static const QRegularExpression web(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    if (const auto m = hex.match(text); m.hasMatch())
        return TColor(m.captured(1).toUInt(nullptr, 16));
    if (const auto m = web.match(text); m.hasMatch()) {
        const uint rgb = m.captured(1).toUInt(nullptr, 16);
        return rgbColor(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
    }
    return colorBoxColor(text);
}

const SkinField* fieldNamed(const QString& name)
{
    for (const SkinField& f : skinFields())
        if (!f.reserved && name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

// A colour as 0xAABBGGRR, eight hexadecimal digits.
QString formatColour(std::uint32_t colour)
{
    return QStringLiteral("0x") + QString::number(colour, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

} // namespace

std::optional<QString> refusedOverwrite(const QStringList& names, bool force)
{
    for (const QString& name : names) {
        if (name == QLatin1String("-"))
            continue;
        const PathState state = inspectPath(name);
        if (state.kind == PathState::Unreachable)
            return QStringLiteral("\"%1\": %2").arg(name, state.reason);
        if (state.kind != PathState::Absent && !force)
            return QStringLiteral("datoteka \"%1\" već postoji (upotrebite --force)").arg(name);
    }
    return std::nullopt;
}

BatchPlan planBatchOutputs(const QStringList& skins, bool images)
{
    BatchPlan plan;
    std::map<QString, QString> taken; // output -> the skin that takes it
    for (const QString& skin : skins) {
        QString base = fileNamePart(skin);
        if (base.endsWith(QStringLiteral(".kvz"), Qt::CaseInsensitive))
            base.chop(4);
        const QString output = images ? base : base + QStringLiteral(".png");
        plan.outputs << output;
        if (base.isEmpty() || base == QLatin1String(".") || base == QLatin1String("..")) {
            plan.refusals << QStringLiteral("\"%1\" ne daje ime izlaza u folderu").arg(skin);
            continue;
        }
        if (const auto [it, fresh] = taken.emplace(output, skin); !fresh)
            plan.refusals << QStringLiteral("\"%1\" i \"%2\" bi pisali isti izlaz \"%3\"").arg(it->second, skin, output);
    }
    return plan;
}

int commandNew(const QStringList& args, bool force)
{
    if (args.size() != 1)
        return fail(BadUsage, QStringLiteral("new traži jedno ime datoteke"));
    if (args[0] == QLatin1String("-")) {
        writeStandardOutput(encodeSkinFile(standardSkinRecord()));
        return Ok;
    }
    const QString name = withSkinExtension(args[0]);
    if (const auto refused = refusedOverwrite({name}, force))
        return fail(BadFile, *refused);
    warnAboutLost(name, writeSkinFile(name, standardSkinRecord()));
    return Ok;
}

int commandDump(const QStringList& args)
{
    if (args.size() != 1)
        return fail(BadUsage, QStringLiteral("dump traži jedno ime datoteke"));
    SkinFileContents contents;
    if (const auto reason = refusal(args[0], &contents))
        return fail(BadFile, *reason);
    const TSkinRecord r = decodeSkinRecord(contents.recordBytes, true);
    say(QStringLiteral("version %1").arg(contents.version));
    for (const SkinField& f : skinFields()) {
        const QString value = f.isColour() ? formatColour(f.get(r)) : QString::number(f.get(r));
        say(QStringLiteral("%1 %2").arg(QLatin1String(f.name), value));
    }
    return Ok;
}

int commandCheck(const QStringList& args)
{
    if (args.isEmpty())
        return fail(BadUsage, QStringLiteral("check traži bar jedno ime datoteke"));
    int result = Ok;
    for (const QString& name : args) {
        try {
            if (const auto reason = refusal(name)) {
                say(QStringLiteral("%1: %2").arg(name, *reason));
                result = BadFile;
            }
        } catch (const EditorError& e) {
            say(QStringLiteral("%1: %2").arg(name, e.message()));
            result = BadFile;
        }
    }
    return result;
}

int commandSet(const QStringList& args)
{
    if (args.size() < 2)
        return fail(BadUsage, QStringLiteral("set traži datoteku i bar jedno IME=VREDNOST"));
    SkinFileContents contents;
    if (const auto reason = refusal(args[0], &contents))
        return fail(BadFile, *reason);
    TSkinRecord r = contents.record;
    for (const QString& assignment : args.mid(1)) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? assignment : assignment.left(eq);
        const QString value = assignment.mid(eq + 1);
        const SkinField* field = fieldNamed(name);
        if (!field)
            return fail(BadUsage, QStringLiteral("nepoznato polje \"%1\" (kvztool fields)").arg(name));
        if (eq < 0)
            return fail(BadUsage, QStringLiteral("\"%1\" nema vrednost: piše se %1=VREDNOST").arg(name));
        if (field->isColour()) {
            const std::optional<TColor> c = parseColour(value);
            if (!c)
                return fail(BadUsage, QStringLiteral("neispravna boja \"%1\" za %2").arg(value, name));
            field->set(r, *c);
        } else {
            if (value != QLatin1String("0") && value != QLatin1String("1"))
                return fail(BadUsage, QStringLiteral("smer za %1 je 0 ili 1, ne \"%2\"").arg(name, value));
            field->set(r, value.toUInt());
        }
    }
    if (args[0] == QLatin1String("-"))
        writeStandardOutput(encodeSkinFile(r));
    else
        warnAboutLost(args[0], writeSkinFile(args[0], r));
    return Ok;
}

int commandFields()
{
    const TSkinRecord standard = standardSkinRecord();
    for (const SkinField& f : skinFields()) {
        if (f.reserved)
            continue;
        say(f.isColour() ? QStringLiteral("%1 boja %2").arg(QLatin1String(f.name), formatColour(f.get(standard)))
                         : QStringLiteral("%1 smer %2").arg(QLatin1String(f.name)).arg(f.get(standard)));
    }
    return Ok;
}
