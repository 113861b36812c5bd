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
#include <QMutex>
#include <QSemaphore>
#include <QThreadPool>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <map>
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
  preview [--skin DATOTEKA] [--force] IZLAZ.png|.jpg|.bmp|-
                                zapisuje pregled (800 x 191) kakav
                                prikazuje prozor editora
  images|preview --out-dir FOLDER [--force] SKIN...
                                mnogo skinova u jednom pokretanju:
                                FOLDER/IME.png ili FOLDER/IME/ (slike)

"-" je standardni ulaz gde se skin čita (dump, check, set) i standardni
izlaz gde se piše jedna datoteka (new, set, preview).

Opcije: -h, --help (i posle komande), --version; "--" završava opcije.
Slike i pregled ne menjaju postojeće datoteke bez --force.
Izlazni kod: 0 uspeh, 1 neispravna datoteka ili neuspelo pisanje,
2 pogrešna upotreba.
)";

// Messages the editor would show in a box go to standard error instead.
class ConsolePrompts : public Prompts
{
public:
    MessageAnswer MessageBox(const QString& text, const QString&, MessageKind kind) override
    {
        fail(BadFile, text);
        return kind == MessageKind::Error || kind == MessageKind::Warning ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    bool RunFileDialog(FileDialog&) override { return false; }
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

// What a picture command makes of the skin the editor shows: the seven
// images into a folder, or the preview into one file ("-": standard output).
struct PictureJob
{
    bool images;
    QString target; // the folder, or the preview's file

    QStringList files() const
    {
        if (!images)
            return {target};
        QStringList out;
        for (const char* name : SkinImageNames)
            out << QDir(target).filePath(QLatin1String(name) + QStringLiteral(".png"));
        return out;
    }

    // The pictures the editor shows now, each with the file it goes to;
    // taken on the editor's thread.
    std::vector<std::pair<QImage, QString>> take(TfrmMain& window) const
    {
        if (!images)
            return {{window.previewImage(), target}};
        std::vector<std::pair<QImage, QString>> out;
        const QStringList names = files();
        for (int i = 0; i < names.size(); ++i)
            out.emplace_back(skinImage(i).image().copy(), names[i]);
        return out;
    }

    // Encodes and writes the pictures, each whole; raises EditorError, and
    // then takes away the pictures and folders this call made, so that a
    // failure leaves no half set behind. Any thread may run it.
    void store(const std::vector<std::pair<QImage, QString>>& pictures) const
    {
        const QStringList folders = images ? makeFolders(target) : QStringList();
        QStringList made;
        try {
            for (const auto& [image, name] : pictures) {
                const char* format = name == QLatin1String("-") ? "PNG" : *pictureFormat(name);
                const QByteArray bytes = encodePicture(image, name, format);
                if (name == QLatin1String("-")) {
                    writeStandardOutput(bytes);
                    continue;
                }
                const bool isNew = inspectPath(name).kind == PathState::Absent;
                warnAboutLost(name, writeWholeFile(name, bytes));
                if (isNew)
                    made << name;
            }
        } catch (const EditorError&) {
            for (const QString& name : made)
                QFile::remove(name);
            removeFolders(folders);
            throw;
        }
    }

    void write(TfrmMain& window) const { store(take(window)); }
};

// The skin's pictures in a fresh offscreen editor (the standard skin when
// none is named).
int renderOne(TApplication& app, const QString& skin, const PictureJob& job, bool force)
{
    if (const auto refused = refusedOverwrite(job.files(), force))
        return fail(BadFile, *refused);
    std::optional<EditorSession> session;
    if (const int error = startEditor(app, skin, session))
        return error;
    job.write(*session->frmMain());
    return Ok;
}

// Many skins, one offscreen editor: each skin is loaded whole over the last,
// so every picture equals the one a single run makes (planBatchOutputs
// says where they go; nothing is written when it refuses the batch).
// Encoding and writing run on a pool of threads while the editor goes on
// to the next skin; a few skins at most wait for them, so memory stays
// flat however many skins there are. A skin that is refused or cannot be
// written is reported by name, in the order given, and the others are
// still written; the exit status then says so.
int renderMany(TApplication& app, const QStringList& skins, const QString& outDir, bool images, bool force)
{
    const BatchPlan plan = planBatchOutputs(skins, images);
    for (const QString& refusal : plan.refusals)
        fail(BadUsage, refusal);
    if (!plan.refusals.isEmpty())
        return BadUsage;
    const QStringList folders = makeFolders(outDir);
    EditorSession session(app, false);
    QThreadPool pool;
    QSemaphore waiting(2 * std::max(1, pool.maxThreadCount()));
    QMutex lock;
    std::map<qsizetype, QString> problems; // by the skin's place in the list
    auto report = [&](qsizetype index, const QString& message) {
        const QMutexLocker locked(&lock);
        problems.emplace(index, QStringLiteral("%1: %2").arg(skins[index], message));
    };
    for (qsizetype i = 0; i < skins.size(); ++i) {
        const QString& skin = skins[i];
        const PictureJob job{images, QDir(outDir).filePath(plan.outputs[i])};
        try {
            if (const auto reason = refusal(skin)) {
                report(i, *reason);
                continue;
            }
            if (const auto refused = refusedOverwrite(job.files(), force)) {
                report(i, *refused);
                continue;
            }
            if (!session.frmMain()->LoadFromFile(skin)) {
                report(i, QStringLiteral("se ne može otvoriti"));
                continue;
            }
            waiting.acquire();
            pool.start([job, pictures = job.take(*session.frmMain()), i, &report, &waiting] {
                try {
                    job.store(pictures);
                } catch (const EditorError& e) {
                    report(i, e.message());
                }
                waiting.release();
            });
        } catch (const EditorError& e) {
            report(i, e.message());
        }
    }
    pool.waitForDone();
    for (const auto& [index, message] : problems)
        fail(BadFile, message);
    if (problems.empty())
        return Ok;
    removeFolders(folders); // those left empty
    return BadFile;
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
    QString outDir; // many skins into one folder
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
    const QCommandLineOption outDir(QStringLiteral("out-dir"), QString(), QStringLiteral("FOLDER"));
    parser.addOption(help);
    if (command == QLatin1String("new") || command == QLatin1String("images") || command == QLatin1String("preview"))
        parser.addOption(force);
    if (command == QLatin1String("images") || command == QLatin1String("preview"))
        parser.addOptions({skin, outDir});
    if (!parser.parse(QStringList{QStringLiteral("kvztool")} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        exit = fail(BadUsage, unknown.isEmpty() ? QStringLiteral("opciji nedostaje vrednost (kvztool %1 --help)").arg(command)
                                                : QStringLiteral("nepoznata opcija \"%1\" za %2 (kvztool %2 --help)")
                                                      .arg(unknown.first(), command));
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        std::fputs(usage, stdout);
        exit = Ok;
        return std::nullopt;
    }
    return CommandLine{parser.positionalArguments(), parser.isSet(force), parser.value(skin), parser.value(outDir)};
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
    const bool images = command == QLatin1String("images");
    const bool many = !line.outDir.isEmpty();
    if (many ? (line.positional.isEmpty() || !line.skin.isEmpty()) : line.positional.size() != 1)
        return fail(BadUsage, QStringLiteral("%1 traži [--skin DATOTEKA] %2 ili --out-dir FOLDER SKIN...")
                                  .arg(command, images ? "FOLDER" : "IZLAZ.png"));
    if (!many && !images && line.positional[0] != QLatin1String("-") && !pictureFormat(line.positional[0]))
        return fail(BadUsage, QStringLiteral("\"%1\": pregled se piše kao .png, .jpg ili .bmp").arg(line.positional[0]));
    if (!many && images && line.positional[0] == QLatin1String("-"))
        return fail(BadUsage, QStringLiteral("images piše u folder, ne na standardni izlaz"));
    // Pictures are made offscreen whatever display the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char* argv[] = {program, nullptr};
    TApplication app(argc, argv);
    app.setPrompts(std::make_unique<ConsolePrompts>());
    if (many)
        return renderMany(app, line.positional, line.outDir, images, line.force);
    return renderOne(app, line.skin, PictureJob{images, line.positional[0]}, line.force);
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
