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
#include <QDir>

#include <cstdio>
#include <optional>

namespace {

const char* const usage = R"(Upotreba: kvztool KOMANDA ...

  new [--force] DATOTEKA        zapisuje standardni skin (dodaje .kvz kada
                                ga ime nema); postojeću datoteku menja
                                samo uz --force
  dump DATOTEKA                 ispisuje verziju i sva polja zapisa:
                                boja kao 0xAABBGGRR, smer kao broj
  check DATOTEKA...             proverava da li bi se svaka datoteka
                                otvorila u editoru bez poruke
  set DATOTEKA IME=VREDNOST...  menja polja: boja kao 0x00BBGGRR, #RRGGBB
                                ili ime boje (npr. Navy); smer 0 ili 1
  images [--skin DATOTEKA] FOLDER
                                zapisuje sedam slika skina kao PNG
  preview [--skin DATOTEKA] IZLAZ.png
                                zapisuje pregled (800 x 191) kakav
                                prikazuje prozor editora

Izlazni kod: 0 uspeh, 1 neispravna datoteka, 2 pogrešna upotreba.
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

// "[--skin FILE] TARGET": the skin to open, if any, and the target.
std::optional<std::pair<QString, QString>> skinAndTarget(QStringList args)
{
    QString skin;
    const qsizetype at = args.indexOf(QStringLiteral("--skin"));
    if (at >= 0) {
        if (at + 1 >= args.size())
            return std::nullopt;
        skin = args[at + 1];
        args.remove(at, 2);
    }
    if (args.size() != 1)
        return std::nullopt;
    return std::make_pair(skin, args[0]);
}

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

// The picture is encoded whole in memory, the encoder's result checked, and
// written as the skins are: the old file stays whole until the new one is
// complete, and a failure leaves nothing behind. Failure raises EditorError.
void savePng(const QImage& image, const QString& name)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG"))
        throw EditorError(QStringLiteral("\"%1\" se ne može zapisati: slika se ne da kodirati").arg(name));
    writeWholeFile(name, bytes);
}

int commandImages(TApplication& app, const QStringList& args)
{
    const auto parsed = skinAndTarget(args);
    if (!parsed)
        return fail(BadUsage, QStringLiteral("images traži [--skin DATOTEKA] FOLDER"));
    const auto& [skin, folder] = *parsed;
    std::optional<EditorSession> session;
    if (const int error = startEditor(app, skin, session))
        return error;
    if (!QDir().mkpath(folder))
        return fail(BadFile, QStringLiteral("folder \"%1\" se ne može napraviti").arg(folder));
    const std::pair<const char*, TBitmap*> images[] = {
        {"bmpPitanje", bmpPitanje},       {"bmpOdgovorNormal", bmpOdgovorNormal}, {"bmpOdgovorIn", bmpOdgovorIn},
        {"bmpOdgovorChech", bmpOdgovorChech}, {"bmpOdgovorOK", bmpOdgovorOK},     {"bmpOdgovorYES", bmpOdgovorYES},
        {"bmpOdgovorNO", bmpOdgovorNO}};
    for (const auto& [name, bitmap] : images) {
        const QString file = QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png"));
        savePng(bitmap->image(), file);
    }
    return Ok;
}

int commandPreview(TApplication& app, const QStringList& args)
{
    const auto parsed = skinAndTarget(args);
    if (!parsed)
        return fail(BadUsage, QStringLiteral("preview traži [--skin DATOTEKA] IZLAZ.png"));
    const auto& [skin, out] = *parsed;
    std::optional<EditorSession> session;
    if (const int error = startEditor(app, skin, session))
        return error;
    savePng(session->frmMain()->previewImage(), out);
    return Ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    app.setPrompts(std::make_unique<ConsolePrompts>());
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? BadUsage : Ok;
    }
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("new"))
            return commandNew(args);
        if (command == QLatin1String("dump"))
            return commandDump(args);
        if (command == QLatin1String("check"))
            return commandCheck(args);
        if (command == QLatin1String("set"))
            return commandSet(args);
        if (command == QLatin1String("images"))
            return commandImages(app, args);
        if (command == QLatin1String("preview"))
            return commandPreview(app, args);
    } catch (const EditorError& e) {
        return fail(BadFile, e.message());
    }
    return fail(BadUsage, QStringLiteral("nepoznata komanda \"%1\" (kvztool --help)").arg(command));
}
