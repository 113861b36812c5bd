// kvztool: the editor's skin files and pictures from the command line. It
// reads and writes skin files only through the editor's own file code and
// draws only through the editor's own images, cells and shapes, offscreen
// and without a window; it never touches the remembered settings.
#include "Identity.h"
#include "platform/base/Errors.h"
#include "platform/raster/Jpeg.h"
#include "platform/raster/Pictures.h"
#include "platform/system/Files.h"
#include "platform/system/Resources.h"
#include "platform/toolkit/Application.h"
#include "region/Region.h"
#include "skin/Preview.h"
#include "skin/Vision.h"
#include "skin/Readability.h"
#include "skin/ZlatovirButtons.h"
#include "tools/FileCommands.h"
#include "tools/ReadabilityReport.h"

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
#include <vector>
#include <optional>

namespace {

// Each command's help: how it is called, what it does, its options and an
// example. The general help lists every command's calls and summary.
struct CommandHelp
{
    const char* name;
    std::vector<const char*> calls;
    const char* summary;
    const char* options; // one "  --option  meaning" a line; -h, --help follows
    const char* example;
};

const std::vector<CommandHelp>& commandHelps()
{
    static const std::vector<CommandHelp> helps = {
        {"new", {"new [--force] DATOTEKA"},
         "zapisuje standardni skin (dodaje .kvz kada ga ime nema); postojeću datoteku menja samo uz --force",
         "  --force          zameni postojeću datoteku (samo običnu, koju smete da\n"
         "                   pišete)\n",
         "kvztool new plavi"},
        {"dump", {"dump [--json] DATOTEKA..."},
         "ispisuje verziju i sva polja zapisa: boja kao 0xAABBGGRR, smer kao broj; --json: jedan JSON objekat po "
         "datoteci",
         "  --json           jedan JSON objekat po datoteci (ime, verzija, polja)\n",
         "kvztool dump --json *.kvz | jq -r .name"},
        {"check", {"check DATOTEKA...", "check --readability [--json] DATOTEKA..."},
         "proverava da li bi se svaka datoteka otvorila u editoru bez poruke; uz --readability da li igrači mogu da "
         "pročitaju tekstove (kontrast) i razlikuju izglede odgovora i potvrde (i sa daltonizmom), izlazni kod 1 kada "
         "neka vrednost nije dovoljna",
         "  --readability    kontrast teksta i slova (WCAG 2, potrebno 4.5 i 3),\n"
         "                   razlika izgleda (CIEDE2000, potrebno 10) za normalan\n"
         "                   vid, protanopiju, deuteranopiju i tritanopiju, i polja\n"
         "                   u sistemskim bojama; loša datoteka: izlazni kod 2\n"
         "  --json           uz --readability: jedan JSON red po datoteci\n",
         "kvztool check --readability --json *.kvz"},
        {"diff", {"diff [--json] A B"},
         "ispisuje polja čije se vrednosti razlikuju, jedno po redu (IME A B, kao dump); izlazni kod 0 kada su skinovi "
         "isti, 1 kada se razlikuju, 2 kada jedan nije skin",
         "  --json           jedan JSON objekat: imena i oba polja kao u dump --json\n", "kvztool diff plavi.kvz crveni.kvz"},
        {"set", {"set [--json JSON] DATOTEKA [IME=VREDNOST]..."},
         "menja polja: boja kao 0xAABBGGRR, #RRGGBB ili ime boje (npr. Navy); smer kao bajt (1 desno, 0 dole); prima "
         "sve što dump ispiše (i JSON od dump --json, uz \"value\" ili \"colour\" polja)",
         "  --json JSON      polja iz JSON datoteke (\"-\": standardni ulaz) kakav\n"
         "                   ispisuje dump --json;\n"
         "                   IME=VREDNOST sa komandne linije ima prednost\n",
         "kvztool set plavi.kvz PitanjeC2=Navy OdgovorInDesno=0"},
        {"fields", {"fields [IME]"},
         "ispisuje sva polja: ime, vrsta (boja ili smer) i standardna vrednost; uz ime polja vrednosti koje polje "
         "prima",
         "", "kvztool fields PitanjeC1"},
        {"help", {"help [KOMANDA]"}, "ovo uputstvo, ili uputstvo jedne komande", "", "kvztool help preview"},
        {"thumbnail", {"thumbnail --size N SKIN IZLAZ.png"},
         "zapisuje sličicu skina za upravljač datoteka: pregled umanjen tako da mu duža strana nije veća od N "
         "(najviše 800 x 191), kao PNG; praznu datoteku koju je napravio servis za sličice puni samu, a datoteku sa "
         "sadržajem zamenjuje celu (\"-\": standardni izlaz)",
         "  --size N         najveća duža strana u pikselima (1 do 4096)\n",
         "kvztool thumbnail --size 256 plavi.kvz plavi.png"},
        {"images", {"images [--skin DATOTEKA] [--force] [--vision PRIKAZ] FOLDER",
                    "images --out-dir FOLDER [--force] [--vision PRIKAZ] SKIN..."},
         "zapisuje sedam slika skina kao PNG; uz --out-dir mnogo skinova u jednom pokretanju: FOLDER/IME/",
         "  --skin DATOTEKA  skin čije se slike crtaju (\"-\": standardni ulaz);\n"
         "                   bez nje standardni skin\n"
         "  --out-dir FOLDER slike svakog SKIN-a u FOLDER/IME/\n"
         "  --vision PRIKAZ  slike kako ih vide igrači sa daltonizmom: protanopia,\n"
         "                   deuteranopia ili tritanopia (normal: kakve jesu)\n"
         "  --force          zameni postojeće slike\n",
         "kvztool images --skin plavi.kvz slike/"},
        {"preview",
         {"preview [--skin DATOTEKA] [--force] [--vision PRIKAZ] IZLAZ.png|.jpg|.bmp|-",
          "preview --out-dir FOLDER [--force] [--vision PRIKAZ] SKIN..."},
         "zapisuje pregled (800 x 191) kakav prikazuje prozor editora; uz --out-dir mnogo skinova u jednom "
         "pokretanju: FOLDER/IME.png",
         "  --skin DATOTEKA  skin čiji se pregled crta (\"-\": standardni ulaz);\n"
         "                   bez nje standardni skin\n"
         "  --out-dir FOLDER pregled svakog SKIN-a kao FOLDER/IME.png\n"
         "  --vision PRIKAZ  pregled kako ga vide igrači sa daltonizmom: protanopia,\n"
         "                   deuteranopia ili tritanopia (normal: kakav jeste)\n"
         "  --force          zameni postojeći pregled\n",
         "kvztool preview --out-dir pregledi/ *.kvz"},
    };
    return helps;
}

// `text` broken at blanks into lines of at most `width` characters, each
// after `indent` blanks.
QString wrapped(const QString& text, int indent, int width)
{
    QString out, line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
}

QString generalHelp()
{
    QString out = QStringLiteral("Upotreba: kvztool KOMANDA [OPCIJE] ...\n\n");
    for (const CommandHelp& help : commandHelps()) {
        for (const char* call : help.calls)
            out += QStringLiteral("  ") + QString::fromUtf8(call) + QLatin1Char('\n');
        out += wrapped(QString::fromUtf8(help.summary), 6, 70);
    }
    return out + QStringLiteral(
                     "\n\"-\" je standardni ulaz gde se skin čita (dump, check, diff, set,\n"
                     "thumbnail) i standardni izlaz gde se piše jedna datoteka (new, set,\n"
                     "preview, thumbnail).\n\n"
                     "Opcije: -h, --help (i posle komande), --version; \"--\" završava opcije.\n"
                     "kvztool help KOMANDA: uputstvo jedne komande.\n"
                     "Slike i pregled ne menjaju postojeće datoteke bez --force.\n"
                     "Izlazni kod: 0 uspeh, 1 neispravna datoteka ili neuspelo pisanje,\n"
                     "2 pogrešna upotreba.\n");
}

QString helpOf(const QString& command)
{
    for (const CommandHelp& help : commandHelps()) {
        if (command != QLatin1String(help.name))
            continue;
        QString out;
        for (const char* call : help.calls)
            out += (out.isEmpty() ? QStringLiteral("Upotreba: kvztool ") : QStringLiteral("         kvztool "))
                   + QString::fromUtf8(call) + QLatin1Char('\n');
        QString summary = QString::fromUtf8(help.summary);
        summary[0] = summary[0].toUpper();
        out += QLatin1Char('\n') + wrapped(summary + QLatin1Char('.'), 0, 76);
        out += QStringLiteral("\nOpcije:\n") + QString::fromUtf8(help.options)
               + QStringLiteral("  -h, --help       ovo uputstvo\n");
        return out + QStringLiteral("\nPrimer:\n  ") + QString::fromUtf8(help.example) + QLatin1Char('\n');
    }
    return generalHelp();
}

void printHelp(const QString& command, std::FILE* to = stdout)
{
    std::fputs((command.isEmpty() ? generalHelp() : helpOf(command)).toUtf8().constData(), to);
}

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

// What draws a skin's pictures without a window: the skin images, painted
// page by page as a fresh editor that opens the skin paints them, and the
// preview cells made offscreen, cut to the shapes the layout carries.
class PictureMaker
{
public:
    PictureMaker() : m_preview(layoutShape(QStringLiteral("regPitanje")), layoutShape(QStringLiteral("RegOdgovor"))) {}
    PictureMaker(const PictureMaker&) = delete;
    PictureMaker& operator=(const PictureMaker&) = delete;

    // The skin's colours into the images. A fresh editor shows every
    // direction but 0 as "Desno", and paints what its buttons show.
    void show(TSkinRecord record)
    {
        for (const SkinPage& page : skinPages())
            if (page.direction)
                record.*page.direction = record.*page.direction ? 1 : 0;
        PaintSkinImages(record);
    }

    QImage preview() { return m_preview.picture(); }
    Readability readability() { return measureReadability(m_preview.cells()); }

private:
    // A shape component's "Data" block, stored with the layout, traced.
    static QRegion layoutShape(const QString& component)
    {
        QByteArray block = loadResource(component, QStringLiteral("Unit1"));
        QBuffer stream(&block);
        stream.open(QIODevice::ReadOnly);
        TRegion shape;
        shape.ReadRegData(stream);
        shape.SetEnabled(true);
        return shape.traced();
    }

    SkinRenderingScope m_rendering;
    OffscreenPreview m_preview;
};

// What draws pictures runs offscreen whatever display the environment
// names, and without the desktop's platform theme, which may want a display
// (GTK's does) and has nothing to do with the pictures. The application
// object gets no argument of the user's; messages go to standard error.
class PictureApplication
{
public:
    explicit PictureApplication(char* program)
        : m_argv{program, nullptr}, m_app((prepareEnvironment(), m_argc), m_argv)
    {
        m_app.setPrompts(std::make_unique<ConsolePrompts>());
    }

private:
    static void prepareEnvironment()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qunsetenv("QT_QPA_PLATFORMTHEME");
    }
    int m_argc = 1;
    char* m_argv[2];
    TApplication m_app;
};

// The skin, when one is given ("-": standard input), shown by `maker`;
// without one the images stay as start-up painted them. Returns Ok, or the
// exit code of what went wrong.
int showSkin(PictureMaker& maker, const QString& skin)
{
    if (skin.isEmpty())
        return Ok;
    SkinFileContents contents;
    if (const auto reason = refusal(skin, &contents))
        return fail(BadFile, *reason);
    maker.show(contents.record);
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
    Vision vision = Vision::Normal; // the pictures as players with it see them

    QStringList files() const
    {
        if (!images)
            return {target};
        QStringList out;
        for (const char* name : SkinImageNames)
            out << QDir(target).filePath(QLatin1String(name) + QStringLiteral(".png"));
        return out;
    }

    // The pictures `maker` shows now, each with the file it goes to; taken
    // on the thread that draws.
    std::vector<std::pair<QImage, QString>> take(PictureMaker& maker) const
    {
        if (!images)
            return {{maker.preview(), target}};
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
                const QByteArray bytes =
                    encodePicture(vision == Vision::Normal ? image : simulateVision(image, vision), name, format);
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

    void write(PictureMaker& maker) const { store(take(maker)); }
};

// The skin's pictures (the standard skin's when none is named).
int renderOne(const QString& skin, const PictureJob& job, bool force)
{
    if (const auto refused = refusedOverwrite(job.files(), force))
        return fail(BadFile, *refused);
    PictureMaker maker;
    if (const int error = showSkin(maker, skin))
        return error;
    job.write(maker);
    return Ok;
}

// Many skins, one picture maker: each skin is shown whole over the last, so
// every picture equals the one a single run makes (planBatchOutputs says
// where they go; nothing is written when it refuses the batch).
// Encoding and writing run on a pool of threads while the maker goes on
// to the next skin; a few skins at most wait for them, so memory stays
// flat however many skins there are. A skin that is refused or cannot be
// written is reported by name, in the order given, and the others are
// still written; the exit status then says so.
int renderMany(const QStringList& skins, const QString& outDir, bool images, bool force, Vision vision)
{
    const BatchPlan plan = planBatchOutputs(skins, images);
    for (const QString& refusal : plan.refusals)
        fail(BadUsage, refusal);
    if (!plan.refusals.isEmpty())
        return BadUsage;
    const QStringList folders = makeFolders(outDir);
    PictureMaker maker;
    QThreadPool pool;
    QSemaphore waiting(2 * std::max(1, pool.maxThreadCount()));
    QMutex lock;
    std::map<qsizetype, QString> problems; // by the skin's place in the list
    auto report = [&](qsizetype index, const QString& message) {
        const QMutexLocker locked(&lock);
        problems.emplace(index, message);
    };
    for (qsizetype i = 0; i < skins.size(); ++i) {
        const QString& skin = skins[i];
        const PictureJob job{images, QDir(outDir).filePath(plan.outputs[i]), vision};
        try {
            SkinFileContents contents;
            if (const auto reason = refusal(skin, &contents)) {
                report(i, *reason);
                continue;
            }
            if (const auto refused = refusedOverwrite(job.files(), force)) {
                report(i, QStringLiteral("%1: %2").arg(skin, *refused));
                continue;
            }
            maker.show(contents.record);
            waiting.acquire();
            pool.start([job, pictures = job.take(maker), i, &skins, &report, &waiting] {
                try {
                    job.store(pictures);
                } catch (const EditorError& e) {
                    report(i, QStringLiteral("%1: %2").arg(skins[i], e.message()));
                }
                waiting.release();
            });
        } catch (const EditorError& e) {
            report(i, QStringLiteral("%1: %2").arg(skin, e.message()));
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

// The arguments as text. One that is not text in the system's encoding
// would reach the file system as another name: it is kept as its lossy
// text, and its bytes, escaped, name it in the message that refuses it.
struct Arguments
{
    QStringList texts;
    std::map<QString, QString> notText; // lossy text -> the bytes escaped

    // The message refusing `text` when it is not text, else nothing.
    std::optional<QString> refusal(const QString& text) const
    {
        const auto it = notText.find(text);
        if (it == notText.end())
            return std::nullopt;
        return QStringLiteral("argument \"%1\" nije ispravan tekst u kodiranju sistema").arg(it->second);
    }
};

QString escapedBytes(const QByteArray& raw)
{
    QString out;
    for (const char c : raw)
        out += uchar(c) >= 0x20 && uchar(c) < 0x7F ? QString(QLatin1Char(c))
                                                   : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    return out;
}

Arguments decodedArguments(int argc, char** argv)
{
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString text = QFile::decodeName(raw);
        if (QFile::encodeName(text) != raw)
            args.notText.emplace(text, escapedBytes(raw));
        args.texts << text;
    }
    return args;
}

struct CommandLine
{
    QStringList positional;
    bool force = false;
    QString skin;
    QString outDir; // many skins into one folder
    bool json = false; // dump --json, check --readability --json
    bool readability = false; // check --readability
    QString jsonFile;  // set --json FILE
    QString vision;    // images, preview --vision NAME
    QString size;      // thumbnail --size N
};

// What was wrong with a command's options, in the tool's words: an unknown
// option, a flag given a value, an option without its value.
QString parseError(const QCommandLineParser& parser, const QString& command)
{
    const QString see = QStringLiteral(" (kvztool %1 --help)").arg(command);
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
        return QStringLiteral("nepoznata opcija \"%1\" za %2").arg(unknown.first(), command) + see;
    // Qt's text names the option between quotes: "Unexpected value after '--force'."
    const QString text = parser.errorText();
    const QString option = text.section(QLatin1Char('\''), 1, 1);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("opcija \"%1\" ne prima vrednost").arg(option) + see;
    return QStringLiteral("opciji \"%1\" nedostaje vrednost").arg(option) + see;
}

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
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption jsonFile(QStringLiteral("json"), QString(), QStringLiteral("DATOTEKA"));
    const QCommandLineOption vision(QStringLiteral("vision"), QString(), QStringLiteral("PRIKAZ"));
    const QCommandLineOption readability(QStringLiteral("readability"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("N"));
    parser.addOption(help);
    if (command == QLatin1String("dump") || command == QLatin1String("check") || command == QLatin1String("diff"))
        parser.addOption(json);
    if (command == QLatin1String("check"))
        parser.addOption(readability);
    if (command == QLatin1String("thumbnail"))
        parser.addOption(size);
    if (command == QLatin1String("set"))
        parser.addOption(jsonFile);
    if (command == QLatin1String("new") || command == QLatin1String("images") || command == QLatin1String("preview"))
        parser.addOption(force);
    if (command == QLatin1String("images") || command == QLatin1String("preview"))
        parser.addOptions({skin, outDir, vision});
    if (!parser.parse(QStringList{QStringLiteral("kvztool")} + args)) {
        exit = fail(BadUsage, parseError(parser, command));
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        printHelp(command);
        exit = Ok;
        return std::nullopt;
    }
    const bool checksReadability = command == QLatin1String("check") && parser.isSet(readability);
    if (command == QLatin1String("check") && parser.isSet(json) && !checksReadability) {
        exit = fail(BadUsage, QStringLiteral("check prima --json samo uz --readability"));
        return std::nullopt;
    }
    return CommandLine{parser.positionalArguments(),
                       parser.isSet(force),
                       parser.value(skin),
                       parser.value(outDir),
                       parser.isSet(json),
                       checksReadability,
                       command == QLatin1String("set") ? parser.value(jsonFile) : QString(),
                       parser.isSet(vision) ? parser.value(vision) : QString(),
                       parser.value(size)};
}

int runFileCommand(const QString& command, const CommandLine& line)
{
    if (command == QLatin1String("new"))
        return commandNew(line.positional, line.force);
    if (command == QLatin1String("dump"))
        return commandDump(line.positional, line.json);
    if (command == QLatin1String("check"))
        return commandCheck(line.positional);
    if (command == QLatin1String("diff"))
        return commandDiff(line.positional, line.json);
    if (command == QLatin1String("set"))
        return commandSet(line.positional, line.jsonFile);
    if (line.positional.size() > 1)
        return fail(BadUsage, QStringLiteral("fields prima najviše ime jednog polja"));
    return commandFields(line.positional.value(0));
}

// The skin's thumbnail for a file manager: the preview, as saved, scaled
// smoothly so that its longer side is at most `--size` (never enlarged),
// written as PNG into the empty file the thumbnail service made for it
// (which reads it back through the descriptor it holds: the file must stay
// itself); a file with contents is replaced whole.
int makeThumbnail(const CommandLine& line, char* program)
{
    bool number = false;
    const int longest = line.size.toInt(&number);
    if (line.positional.size() != 2 || line.positional[0].isEmpty() || !number || longest < 1 || longest > 4096)
        return fail(BadUsage, QStringLiteral("thumbnail traži --size N (1 do 4096), SKIN i IZLAZ.png"));
    const PictureApplication app(program);
    PictureMaker maker;
    if (const int error = showSkin(maker, line.positional[0]))
        return error;
    QImage picture = maker.preview();
    if (longest < picture.width())
        picture = picture.scaled(longest, std::max(1, int(std::lround(double(picture.height()) * longest / picture.width()))),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString& out = line.positional[1];
    if (out == QLatin1String("-"))
        writeStandardOutput(encodePicture(picture, out, "PNG"));
    else
        warnAboutLost(out, writeIntoFile(out, encodePicture(picture, out, "PNG")));
    return Ok;
}

// Each skin's readability figures, in the order given: 0 when every figure
// is what it needs, 1 when one is under, 2 when a file is not a skin the
// editor would open (reported by name; the others are still measured).
int checkReadability(const QStringList& files, bool json, char* program)
{
    if (files.isEmpty())
        return fail(BadUsage, QStringLiteral("check traži bar jedno ime datoteke"));
    const PictureApplication app(program);
    PictureMaker maker;
    bool refused = false, under = false;
    for (const QString& file : files) {
        SkinFileContents contents;
        if (const auto reason = refusal(file, &contents)) {
            fail(BadUsage, *reason);
            refused = true;
            continue;
        }
        maker.show(contents.record);
        const SkinReadability skin{file, maker.readability(), systemColourFields(contents.record)};
        under = under || !skin.figures.ok();
        say(json ? readabilityJson(skin) : readabilityTable(skin));
    }
    return refused ? BadUsage : under ? BadFile : Ok;
}

int runPictureCommand(const QString& command, const CommandLine& line, char* program, const Arguments& arguments)
{
    const bool images = command == QLatin1String("images");
    const bool many = !line.outDir.isEmpty();
    if (many ? (line.positional.isEmpty() || !line.skin.isEmpty()) : line.positional.size() != 1)
        return fail(BadUsage, QStringLiteral("%1 traži [--skin DATOTEKA] %2 ili --out-dir FOLDER SKIN...")
                                  .arg(command, images ? QStringLiteral("FOLDER") : QStringLiteral("IZLAZ.png")));
    if (!many && !images && line.positional[0] != QLatin1String("-") && !pictureFormat(line.positional[0]))
        return fail(BadUsage, QStringLiteral("\"%1\": pregled se piše kao .png, .jpg ili .bmp").arg(line.positional[0]));
    if (!many && images && line.positional[0] == QLatin1String("-"))
        return fail(BadUsage, QStringLiteral("images piše u folder, ne na standardni izlaz"));
    const std::optional<Vision> vision = line.vision.isEmpty() ? Vision::Normal : visionNamed(line.vision);
    if (!vision)
        return fail(BadUsage, QStringLiteral("nepoznat prikaz \"%1\" (normal, protanopia, deuteranopia, tritanopia)")
                                  .arg(line.vision));
    const PictureApplication app(program);
    if (many) {
        QStringList skins;
        QStringList refused;
        for (const QString& skin : line.positional) {
            if (const auto reason = arguments.refusal(skin))
                refused << *reason;
            else
                skins << skin;
        }
        const int result = skins.isEmpty() ? Ok : renderMany(skins, line.outDir, images, line.force, *vision);
        // A name that is not text is bad usage, in a batch as alone; the
        // other skins are still drawn.
        for (const QString& reason : refused)
            fail(BadUsage, reason);
        return refused.isEmpty() ? result : BadUsage;
    }
    return renderOne(line.skin, PictureJob{images, line.positional[0], *vision}, line.force);
}

// Standard output flushed and checked, as GNU tools do at exit: output that
// could not be written is a failure, said on standard error.
int closeStandardOutput(int code)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return code;
    fail(BadFile, QStringLiteral("standardni izlaz se ne može pisati: %1").arg(qt_error_string(errno)));
    return code == Ok ? BadFile : code;
}

// A name a command writes to must name a file ("-" is standard output).
std::optional<QString> withoutFilePart(const QStringList& names)
{
    for (const QString& name : names)
        if (name != QLatin1String("-") && fileNamePart(name).isEmpty())
            return QStringLiteral("\"%1\" ne imenuje datoteku").arg(name);
    return std::nullopt;
}

int run(int argc, char** argv)
{
    const Arguments arguments = decodedArguments(argc, argv);
    QStringList args = arguments.texts;
    if (args.isEmpty()) {
        printHelp({}, stderr);
        return BadUsage;
    }
    const QString command = args.takeFirst();
    const QStringList fileCommands = {QStringLiteral("new"), QStringLiteral("dump"), QStringLiteral("check"),
                                      QStringLiteral("diff"), QStringLiteral("set"), QStringLiteral("fields")};
    const QStringList pictureCommands = {QStringLiteral("images"), QStringLiteral("preview")};
    const QString thumbnail = QStringLiteral("thumbnail");
    const auto known = [&](const QString& name) {
        return fileCommands.contains(name) || pictureCommands.contains(name) || name == thumbnail
               || name == QLatin1String("help");
    };
    if (const auto refused = arguments.refusal(command))
        return fail(BadUsage, *refused);
    // "kvztool help COMMAND" is "kvztool COMMAND --help".
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        if (command == QLatin1String("help") && (args.size() > 1 || (args.size() == 1 && !known(args[0]))))
            return fail(BadUsage, QStringLiteral("help prima ime jedne komande (kvztool --help)"));
        printHelp(command == QLatin1String("help") ? args.value(0) : QString());
        return Ok;
    }
    if (command == QLatin1String("--version")) {
        say(QStringLiteral("kvztool " ZV_VERSION));
        return Ok;
    }
    if (!known(command))
        return fail(BadUsage, QStringLiteral("nepoznata komanda \"%1\" (kvztool --help)").arg(command));
    int exit = Ok;
    const std::optional<CommandLine> line = parseCommand(command, args, exit);
    if (!line)
        return exit;
    // Every argument is text, but for the skins of a batch: each of those
    // that is not is refused alone, and the others are still made.
    const bool batch = pictureCommands.contains(command) && !line->outDir.isEmpty();
    for (const QString& value :
         QStringList{line->skin, line->outDir, line->jsonFile} + (batch ? QStringList() : line->positional))
        if (const auto refused = arguments.refusal(value))
            return fail(BadUsage, *refused);
    const QStringList written = command == QLatin1String("new") || command == QLatin1String("set")
                                        || command == QLatin1String("preview")
                                    ? line->positional.mid(0, batch ? 0 : 1)
                                : command == thumbnail ? line->positional.mid(1, 1)
                                                       : QStringList();
    if (const auto refused = withoutFilePart(written))
        return fail(BadUsage, *refused);
    if ((command == QLatin1String("images") && !batch && line->positional.value(0).isEmpty())
        || (batch && line->outDir.isEmpty()))
        return fail(BadUsage, QStringLiteral("ime foldera je prazno"));
    try {
        if (pictureCommands.contains(command))
            return runPictureCommand(command, *line, argv[0], arguments);
        if (line->readability)
            return checkReadability(line->positional, line->json, argv[0]);
        if (command == thumbnail)
            return makeThumbnail(*line, argv[0]);
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

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quiet);
    // A write past the file-size limit fails with its reason (exit 1).
    keepRunningPastFileSizeLimit();
    return closeStandardOutput(run(argc, argv));
}
