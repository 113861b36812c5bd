// kvztool: the editor's skin files and pictures from the command line. It
// reads and writes skin files only through the editor's own file code and
// renders only through the editor's own images, cells and shapes, in an
// offscreen editor that does not touch the remembered settings.
#include "Errors.h"
#include "Files.h"
#include "FileCommands.h"
#include "Startup.h"
#include "Unit1.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

const char* const usage = R"(Upotreba: kvztool KOMANDA [OPCIJE] ...

  new [--force] DATOTEKA        zapisuje standardni skin (dodaje .kvz kada
                                ga ime nema); postojeću datoteku menja
                                samo uz --force
  dump DATOTEKA                 ispisuje verziju i sva polja zapisa:
                                boja kao 0xAABBGGRR, smer kao broj
  check DATOTEKA...             proverava da li bi se svaka datoteka
                                otvorila u editoru bez poruke
  set DATOTEKA IME=VREDNOST...  menja polja: boja kao 0x00BBGGRR, #RRGGBB
                                ili ime boje (npr. Navy); smer 0 ili 1
  fields                        ispisuje sva polja: ime, vrsta (boja ili
                                smer) i standardna vrednost
  images [--skin DATOTEKA] [--force] FOLDER
                                zapisuje sedam slika skina kao PNG
  preview [--skin DATOTEKA] [--force] IZLAZ.png|.jpg|.bmp
                                zapisuje pregled (800 x 191) kakav
                                prikazuje prozor editora

Opcije: -h, --help (i posle komande), --version; "--" završava opcije.
Slike i pregled ne menjaju postojeće datoteke bez --force.
Izlazni kod: 0 uspeh, 1 neispravna datoteka ili neuspelo pisanje,
2 pogrešna upotreba.
)";

// Messages the editor would show in a box go to standard error instead.
class ConsolePrompts : public Prompts
{
public:
    int MessageBox(const QString& text, const QString&, unsigned flags) override
    {
        fail(BadFile, text);
        return (flags & 0x0F) == MB_OK ? IDOK : IDCANCEL;
    }
    bool RunFileDialog(TFileDialog&) override { return false; }
    std::optional<TColor> ChooseColor(TColor) override { return std::nullopt; }
};

// Starts a fresh editor in `session` and opens the skin in it when one is
// given. Returns Ok, or the exit code of what went wrong.
int startEditor(TApplication& app, const QString& skin, std::optional<EditorSession>& session)
{
    if (!skin.isEmpty()) {
        if (const auto reason = refusal(skin))
            return fail(BadFile, *reason);
    }
    session.emplace(app, false);
    if (!skin.isEmpty() && !session->frmMain()->LoadFromFile(skin))
        return fail(BadFile, QStringLiteral("\"%1\" se ne može otvoriti").arg(skin));
    return Ok;
}

// The image format a picture's name asks for, by its extension.
std::optional<const char*> pictureFormat(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return "PNG";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "JPEG";
    if (suffix == QLatin1String("bmp"))
        return "BMP";
    return std::nullopt;
}

// The picture is encoded whole in memory, the encoder's result checked, and
// written as the skins are: the old file stays whole until the new one is
// complete, and a failure leaves nothing behind. Failure raises EditorError.
void savePicture(const QImage& image, const QString& name, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, format))
        throw EditorError(QStringLiteral("\"%1\" se ne može zapisati: slika se ne da kodirati").arg(name));
    writeWholeFile(name, bytes);
}

// Every command that writes refuses to replace what exists without --force.
int refuseExisting(const QStringList& names, bool force)
{
    if (force)
        return Ok;
    for (const QString& name : names)
        if (inspectPath(name).kind != PathState::Absent)
            return fail(BadFile, QStringLiteral("datoteka \"%1\" već postoji (upotrebite --force)").arg(name));
    return Ok;
}

const char* const imageNames[] = {"bmpPitanje",      "bmpOdgovorNormal", "bmpOdgovorIn", "bmpOdgovorChech",
                                  "bmpOdgovorOK",    "bmpOdgovorYES",    "bmpOdgovorNO"};

int commandImages(TApplication& app, const QString& skin, const QString& folder, bool force)
{
    QStringList files;
    for (const char* name : imageNames)
        files << QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png"));
    if (const int error = refuseExisting(files, force))
        return error;
    std::optional<EditorSession> session;
    if (const int error = startEditor(app, skin, session))
        return error;
    if (!QDir().mkpath(folder))
        return fail(BadFile, QStringLiteral("folder \"%1\" se ne može napraviti").arg(folder));
    const TBitmap* bitmaps[] = {bmpPitanje,   bmpOdgovorNormal, bmpOdgovorIn, bmpOdgovorChech,
                                bmpOdgovorOK, bmpOdgovorYES,    bmpOdgovorNO};
    for (int i = 0; i < files.size(); ++i)
        savePicture(bitmaps[i]->image(), files[i], "PNG");
    return Ok;
}

int commandPreview(TApplication& app, const QString& skin, const QString& out, bool force)
{
    const std::optional<const char*> format = pictureFormat(out);
    if (!format)
        return fail(BadUsage, QStringLiteral("\"%1\": pregled se piše kao .png, .jpg ili .bmp").arg(out));
    if (const int error = refuseExisting({out}, force))
        return error;
    std::optional<EditorSession> session;
    if (const int error = startEditor(app, skin, session))
        return error;
    savePicture(session->frmMain()->previewImage(), out, *format);
    return Ok;
}

// Qt's own diagnostics (a missing runtime folder, font notes) never reach
// standard error: it carries only the tool's messages.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// The arguments as text, or nothing when one is not text in the system's
// encoding: such a name would reach the file system as another name.
std::optional<QStringList> decodedArguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString text = QFile::decodeName(raw);
        if (QFile::encodeName(text) != raw)
            return std::nullopt;
        args << text;
    }
    return args;
}

struct CommandLine
{
    QStringList positional;
    bool force = false;
    QString skin;
};

// Parses a command's own options; nothing when the command is done (its
// help was shown) or misused (reported), with the exit code in `exit`.
std::optional<CommandLine> parseCommand(const QString& command, const QStringList& args, int& exit)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption skin(QStringLiteral("skin"), QString(), QStringLiteral("DATOTEKA"));
    parser.addOption(help);
    if (command == QLatin1String("new") || command == QLatin1String("images") || command == QLatin1String("preview"))
        parser.addOption(force);
    if (command == QLatin1String("images") || command == QLatin1String("preview"))
        parser.addOption(skin);
    if (!parser.parse(QStringList{QStringLiteral("kvztool")} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        exit = fail(BadUsage, unknown.isEmpty() ? QStringLiteral("opciji --skin nedostaje ime datoteke")
                                                : QStringLiteral("nepoznata opcija \"%1\" za %2 (kvztool %2 --help)")
                                                      .arg(unknown.first(), command));
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        std::fputs(usage, stdout);
        exit = Ok;
        return std::nullopt;
    }
    return CommandLine{parser.positionalArguments(), parser.isSet(force), parser.value(skin)};
}

int runFileCommand(const QString& command, const CommandLine& line)
{
    if (command == QLatin1String("new"))
        return commandNew(line.positional, line.force);
    if (command == QLatin1String("dump"))
        return commandDump(line.positional);
    if (command == QLatin1String("check"))
        return commandCheck(line.positional);
    if (command == QLatin1String("set"))
        return commandSet(line.positional);
    if (!line.positional.isEmpty())
        return fail(BadUsage, QStringLiteral("fields ne prima argumente"));
    return commandFields();
}

int runPictureCommand(const QString& command, const CommandLine& line, char* program)
{
    if (line.positional.size() != 1)
        return fail(BadUsage, QStringLiteral("%1 traži [--skin DATOTEKA] %2")
                                  .arg(command, command == QLatin1String("images") ? "FOLDER" : "IZLAZ.png"));
    // Pictures are made offscreen whatever display the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char* argv[] = {program, nullptr};
    TApplication app(argc, argv);
    app.setPrompts(std::make_unique<ConsolePrompts>());
    return command == QLatin1String("images") ? commandImages(app, line.skin, line.positional[0], line.force)
                                              : commandPreview(app, line.skin, line.positional[0], line.force);
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quiet);
    const std::optional<QStringList> decoded = decodedArguments(argc, argv);
    if (!decoded)
        return fail(BadUsage, QStringLiteral("argument nije ispravan tekst u kodiranju sistema"));
    QStringList args = *decoded;
    if (args.isEmpty()) {
        std::fputs(usage, stderr);
        return BadUsage;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(usage, stdout);
        return Ok;
    }
    if (command == QLatin1String("--version")) {
        say(QStringLiteral("kvztool " ZV_VERSION));
        return Ok;
    }
    const QStringList fileCommands = {"new", "dump", "check", "set", "fields"};
    const QStringList pictureCommands = {"images", "preview"};
    if (!fileCommands.contains(command) && !pictureCommands.contains(command))
        return fail(BadUsage, QStringLiteral("nepoznata komanda \"%1\" (kvztool --help)").arg(command));
    int exit = Ok;
    const std::optional<CommandLine> line = parseCommand(command, args, exit);
    if (!line)
        return exit;
    try {
        if (pictureCommands.contains(command))
            return runPictureCommand(command, *line, argv[0]);
        // The file commands need no display and no GUI at all. The
        // application object gets no argument of the user's.
        int coreArgc = 1;
        char* coreArgv[] = {argv[0], nullptr};
        QCoreApplication app(coreArgc, coreArgv);
        return runFileCommand(command, *line);
    } catch (const EditorError& e) {
        return fail(BadFile, e.message());
    }
}
