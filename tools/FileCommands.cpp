#include "tools/FileCommands.h"

#include "app/document/SkinFile.h"
#include "platform/base/Errors.h"
#include "platform/system/Files.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
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

QByteArray readStandardInput(qsizetype limit)
{
    QByteArray bytes(limit, '\0');
    bytes.truncate(qsizetype(std::fread(bytes.data(), 1, size_t(limit), stdin)));
    return bytes;
}

SkinFileContents readSkinArgument(const QString& name)
{
    if (name != QLatin1String("-"))
        return readSkinFile(name);
    // Exactly what the skin reader reads of a file, and no more: a
    // never-ending or huge input costs nothing.
    return parseSkinFile(readStandardInput(SkinFileSize));
}

void writeStandardOutput(const QByteArray& bytes)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
        throw EditorError(QStringLiteral("standardni izlaz se ne može pisati"));
}

std::optional<QString> refusal(const QString& fileName, SkinFileContents* out)
{
    SkinFileContents contents;
    try {
        contents = readSkinArgument(fileName);
    } catch (const EditorError& e) {
        return QStringLiteral("%1: %2").arg(fileName, e.message()); // a folder, a FIFO, no permission
    }
    if (out)
        *out = contents;
    if (contents.status == SkinFileContents::Missing)
        return QStringLiteral("%1: nema takve datoteke").arg(fileName);
    if (contents.status != SkinFileContents::Loaded)
        return QStringLiteral("%1: %2").arg(fileName, refusalMessage(contents.status));
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
        if (name == QLatin1String(f.name))
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

namespace {

// What a colour value shows: #RRGGBB, or the system colour's name.
QString shownColour(std::uint32_t value)
{
    return isSystemColor(value)
               ? systemColorName(int(value & 0xFF))
               : QStringLiteral("#%1%2%3")
                     .arg(colorRed(value), 2, 16, QLatin1Char('0'))
                     .arg(colorGreen(value), 2, 16, QLatin1Char('0'))
                     .arg(colorBlue(value), 2, 16, QLatin1Char('0'))
                     .toUpper();
}

// A field's value for JSON: the stored number, and for a colour what it
// shows.
QString jsonField(const SkinField& field, std::uint32_t value)
{
    QString out = QStringLiteral("{\"value\":%1").arg(value);
    if (field.isColour())
        out += QStringLiteral(",\"colour\":\"%1\"").arg(shownColour(value));
    return out + QLatin1Char('}');
}

} // namespace

QString jsonString(const QString& text)
{
    const QByteArray quoted = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
}

int commandDump(const QStringList& args, bool json)
{
    if (args.isEmpty())
        return fail(BadUsage, QStringLiteral("dump traži bar jedno ime datoteke"));
    int result = Ok;
    for (const QString& name : args) {
        SkinFileContents contents;
        if (const auto reason = refusal(name, &contents)) {
            result = fail(BadFile, *reason); // this file alone: the others are still dumped
            continue;
        }
        const TSkinRecord r = decodeSkinRecord(contents.recordBytes, true);
        if (json) {
            QStringList fields;
            for (const SkinField& f : skinFields())
                fields << QStringLiteral("\"%1\":%2").arg(QLatin1String(f.name), jsonField(f, f.get(r)));
            say(QStringLiteral("{\"name\":%1,\"version\":%2,\"fields\":{%3}}")
                    .arg(jsonString(name))
                    .arg(contents.version)
                    .arg(fields.join(QLatin1Char(','))));
            continue;
        }
        if (args.size() > 1)
            say(QStringLiteral("file %1").arg(name));
        say(QStringLiteral("version %1").arg(contents.version));
        for (const SkinField& f : skinFields()) {
            const QString value = f.isColour() ? formatColour(f.get(r)) : QString::number(f.get(r));
            say(QStringLiteral("%1 %2").arg(QLatin1String(f.name), value));
        }
    }
    return result;
}

int commandDiff(const QStringList& args, bool json)
{
    if (args.size() != 2)
        return fail(BadUsage, QStringLiteral("diff traži dva imena datoteka"));
    TSkinRecord records[2];
    for (int i = 0; i < 2; ++i) {
        SkinFileContents contents;
        if (const auto reason = refusal(args[i], &contents))
            return fail(BadUsage, *reason); // trouble, as cmp says it: neither equal nor different
        records[i] = decodeSkinRecord(contents.recordBytes, true);
    }
    QStringList differ;
    for (const SkinField& f : skinFields()) {
        const std::uint32_t a = f.get(records[0]), b = f.get(records[1]);
        if (a == b)
            continue;
        const auto shown = [&](std::uint32_t v) { return f.isColour() ? formatColour(v) : QString::number(v); };
        differ << (json ? QStringLiteral("\"%1\":[%2,%3]").arg(QLatin1String(f.name), jsonField(f, a), jsonField(f, b))
                        : QStringLiteral("%1 %2 %3").arg(QLatin1String(f.name), shown(a), shown(b)));
    }
    if (json)
        say(QStringLiteral("{\"a\":%1,\"b\":%2,\"fields\":{%3}}")
                .arg(jsonString(args[0]), jsonString(args[1]), differ.join(QLatin1Char(','))));
    else if (!differ.isEmpty())
        say(differ.join(QLatin1Char('\n')));
    return differ.isEmpty() ? Ok : BadFile;
}

int commandCheck(const QStringList& args)
{
    if (args.isEmpty())
        return fail(BadUsage, QStringLiteral("check traži bar jedno ime datoteke"));
    int result = Ok;
    for (const QString& name : args) {
        if (const auto reason = refusal(name)) {
            say(*reason);
            result = BadFile;
        }
    }
    return result;
}

namespace {

// Puts `value` into the field: a colour as 0xAABBGGRR, #RRGGBB or a colour
// box's name; a direction as the byte dump shows (1 to the right, 0 down).
// The message when the value is not one.
std::optional<QString> assign(TSkinRecord& r, const SkinField& field, const QString& value)
{
    if (field.isColour()) {
        const std::optional<TColor> c = parseColour(value);
        if (!c)
            return QStringLiteral("neispravna boja \"%1\" za %2").arg(value, QLatin1String(field.name));
        field.set(r, *c);
        return std::nullopt;
    }
    bool number = false;
    const uint byte = value.toUInt(&number, 10);
    if (!number || byte > 255)
        return QStringLiteral("smer za %1 je bajt od 0 do 255 (1 desno, 0 dole), ne \"%2\"")
            .arg(QLatin1String(field.name), value);
    field.set(r, byte);
    return std::nullopt;
}

// The assignments a JSON object of dump --json holds: its "fields", each
// with its "value" or, for a colour, its "colour" (what a user edits); when
// both stand they must agree (the colour being what the value shows), and
// the value is taken, to the byte.
std::optional<QStringList> jsonAssignments(const QByteArray& text, QString& problem)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    const QJsonObject fields = document.object().value(QStringLiteral("fields")).toObject();
    if (error.error != QJsonParseError::NoError || !document.isObject() || fields.isEmpty()) {
        problem = QStringLiteral("JSON nije objekat kakav ispisuje dump --json");
        return std::nullopt;
    }
    QStringList assignments;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const QJsonValue value = it.value().toObject().value(QStringLiteral("value"));
        const QJsonValue colour = it.value().toObject().value(QStringLiteral("colour"));
        const SkinField* field = fieldNamed(it.key());
        const bool byColour = field && field->isColour() && colour.isString();
        if (byColour && value.isUndefined()) {
            assignments << QStringLiteral("%1=%2").arg(it.key(), colour.toString());
            continue;
        }
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number < 0 || number > 0xFFFFFFFFu || number != std::floor(number)) {
            problem = QStringLiteral("polje %1 nema celobrojnu vrednost").arg(it.key());
            return std::nullopt;
        }
        if (byColour) {
            const std::optional<TColor> given = parseColour(colour.toString());
            if (!given || shownColour(quint32(number)) != shownColour(*given)) {
                problem = QStringLiteral("polje %1: \"value\" i \"colour\" se ne slažu (izmenite jedno, drugo obrišite)")
                              .arg(it.key());
                return std::nullopt;
            }
        }
        assignments << (field && !field->isColour() ? QStringLiteral("%1=%2").arg(it.key()).arg(quint32(number))
                                                    : QStringLiteral("%1=0x%2").arg(it.key()).arg(quint32(number), 0, 16));
    }
    return assignments;
}

} // namespace

int commandSet(const QStringList& args, const QString& json)
{
    if (args.isEmpty() || (args.size() < 2 && json.isEmpty()))
        return fail(BadUsage, QStringLiteral("set traži datoteku i bar jedno IME=VREDNOST (ili --json)"));
    if (json == QLatin1String("-") && args[0] == QLatin1String("-"))
        return fail(BadUsage, QStringLiteral("set ne može da čita i skin i JSON sa standardnog ulaza"));
    QStringList assignments = args.mid(1);
    if (!json.isEmpty()) {
        QByteArray text;
        if (json == QLatin1String("-")) {
            text = readStandardInput(MaxJsonSize);
        } else {
            const FileContents file = readRegularFile(nativePath(json), MaxJsonSize);
            if (file.state.kind != PathState::RegularFile)
                return fail(BadFile, QStringLiteral("\"%1\" se ne može pročitati").arg(json));
            text = file.bytes;
        }
        QString problem;
        const std::optional<QStringList> fromJson = jsonAssignments(text, problem);
        if (!fromJson)
            return fail(BadUsage, problem);
        assignments = *fromJson + assignments;
    }
    SkinFileContents contents;
    if (const auto reason = refusal(args[0], &contents))
        return fail(BadFile, *reason);
    // The file's own reserved values stay, unless named: what dump shows,
    // set takes back.
    TSkinRecord r = decodeSkinRecord(contents.recordBytes, true);
    for (const QString& assignment : assignments) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? assignment : assignment.left(eq);
        const SkinField* field = fieldNamed(name);
        if (!field)
            return fail(BadUsage, QStringLiteral("nepoznato polje \"%1\" (kvztool fields)").arg(name));
        if (eq < 0)
            return fail(BadUsage, QStringLiteral("\"%1\" nema vrednost: piše se %1=VREDNOST").arg(name));
        if (const auto problem = assign(r, *field, assignment.mid(eq + 1)))
            return fail(BadUsage, *problem);
    }
    if (args[0] == QLatin1String("-"))
        writeStandardOutput(encodeSkinFile(r, true));
    else
        warnAboutLost(args[0], writeSkinFile(args[0], r, true));
    return Ok;
}

int commandFields(const QString& field)
{
    if (!field.isEmpty()) {
        const SkinField* f = fieldNamed(field);
        if (!f)
            return fail(BadUsage, QStringLiteral("nepoznato polje \"%1\" (kvztool fields)").arg(field));
        if (!f->isColour()) {
            say(QStringLiteral("1"));
            say(QStringLiteral("0"));
            return Ok;
        }
        for (const auto& [colour, name] : listedColors())
            say(QString(name).remove(QLatin1Char(' ')));
        return Ok;
    }
    const TSkinRecord standard = standardSkinRecord();
    for (const SkinField& f : skinFields()) {
        if (f.reserved)
            continue;
        say(f.isColour() ? QStringLiteral("%1 boja %2").arg(QLatin1String(f.name), formatColour(f.get(standard)))
                         : QStringLiteral("%1 smer %2").arg(QLatin1String(f.name)).arg(f.get(standard)));
    }
    return Ok;
}
