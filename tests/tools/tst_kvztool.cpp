#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "skin/Readability.h"
#include "skin/Vision.h"
#include "tests/app/EditorFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCryptographicHash>
#include <QUrl>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QHelpEvent>
#include <QToolTip>
#include <QTest>

#include <unistd.h>

namespace {

struct Run
{
    int exitCode;
    QString out;
    QString err;
};

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestKvztool : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir;
    QString path(const QString& name) const { return dir->filePath(name); }

    Run kvztool(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KVZTOOL), args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QByteArray freshEditorSave()
    {
        EditorFixture editor;
        editor.start();
        editor.w()->document().SaveToFile(path(QStringLiteral("editor.kvz")));
        editor.stop();
        return readAll(path(QStringLiteral("editor.kvz")));
    }

private Q_SLOTS:
    void init() { dir.emplace(); }
    // rm, not QTemporaryDir: the rows make names that are not UTF-8, which
    // Qt cannot spell to remove them.
    void cleanup()
    {
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), dir->path()});
        dir.reset();
    }

    void newWritesWhatAFreshEditorSaves()
    {
        const Run r = kvztool({QStringLiteral("new"), path("novi")});
        QCOMPARE(r.exitCode, 0);
        const QByteArray bytes = readAll(path("novi.kvz"));
        QCOMPARE(bytes.size(), SkinFileSize);
        QCOMPARE(bytes, freshEditorSave());
        QCOMPARE(bytes, encodeSkinFile(standardSkinRecord()));
        // An existing file is kept unless forced.
        QFile::remove(path("novi.kvz"));
        QFile f(path("novi.kvz"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("mine");
        f.close();
        QCOMPARE(kvztool({QStringLiteral("new"), path("novi.kvz")}).exitCode, 1);
        QCOMPARE(readAll(path("novi.kvz")), QByteArray("mine"));
        QCOMPARE(kvztool({QStringLiteral("new"), QStringLiteral("--force"), path("novi.kvz")}).exitCode, 0);
        QCOMPARE(readAll(path("novi.kvz")), bytes);
        QVERIFY(!QFileInfo::exists(path("config")));
    }

    void dump()
    {
        kvztool({QStringLiteral("new"), path("s")});
        const Run r = kvztool({QStringLiteral("dump"), path("s.kvz")});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 49);
        QCOMPARE(lines[0], QStringLiteral("version 10"));
        QCOMPARE(lines[2], QStringLiteral("PitanjeLinija 0x00B38855"));
        QCOMPARE(lines[5], QStringLiteral("PitanjeDesno 1"));
        QCOMPARE(lines[45], QStringLiteral("PrijateljSenka 0x00800000"));
        QCOMPARE(lines[49], QStringLiteral("Reserved4 0x00FFFFFF"));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QByteArray newer = encodeSkinFile(standardSkinRecord());
        newer[29] = 11;
        QTest::newRow("newer") << newer << QStringLiteral("Datoteka je kreirana u novijoj verziji VEDU Dozezi-a.");
        QTest::newRow("short") << QByteArray(100, 'a').left(100).replace(29, 1, "\x01")
                               << QStringLiteral("Datoteka nije ispravna SKIN datoteka.");
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QFile f(path("bad.kvz"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        // The file is named the same way alone and among others, whichever command refuses it.
        const Run d = kvztool({QStringLiteral("dump"), path("bad.kvz")});
        QCOMPARE(d.exitCode, 1);
        QCOMPARE(d.err, QStringLiteral("kvztool: %1: %2\n").arg(path("bad.kvz"), reason));
        QCOMPARE(kvztool({QStringLiteral("dump"), path("bad.kvz"), path("bad.kvz")}).err, d.err + d.err);
        QCOMPARE(kvztool({QStringLiteral("preview"), QStringLiteral("--skin"), path("bad.kvz"), path("p.png")}).err, d.err);
        kvztool({QStringLiteral("new"), path("good")});
        const Run c = kvztool({QStringLiteral("check"), path("good.kvz"), path("bad.kvz"), path("none.kvz")});
        QCOMPARE(c.exitCode, 1);
        const QStringList lines = c.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(path("bad.kvz")) && lines[0].contains(reason));
        QVERIFY(lines[1].startsWith(path("none.kvz")));
        QCOMPARE(kvztool({QStringLiteral("check"), path("good.kvz")}).exitCode, 0);
        // Measuring, a file that is no skin is bad input; the others are still measured.
        const Run r = kvztool({"check", "--readability", "--json", path("bad.kvz"), path("good.kvz")});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err, d.err);
        QVERIFY(r.out.startsWith(QStringLiteral("{\"file\":\"%1\"").arg(path("good.kvz"))) && r.out.count('\n') == 1);
        const Run set = kvztool({QStringLiteral("set"), path("bad.kvz"), QStringLiteral("PitanjeC1=Red")});
        QCOMPARE(set.exitCode, 1);
        QCOMPARE(set.err, d.err);
        QCOMPARE(readAll(path("bad.kvz")), bytes);
    }

    void set_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("dumpLine"); // empty: the file stays as it was
        QTest::newRow("hex") << "PitanjeC1=0x00123456" << 0 << "PitanjeC1 0x00123456";
        QTest::newRow("web colour") << "PitanjeC1=#123456" << 0 << "PitanjeC1 0x00563412";
        QTest::newRow("colour name") << "PitanjeC1=Navy" << 0 << "PitanjeC1 0x00800000";
        QTest::newRow("system colour name") << "PitanjeC1=ButtonFace" << 0 << "PitanjeC1 0x8000000F";
        QTest::newRow("direction") << "OdgovorInDesno=0" << 0 << "OdgovorInDesno 0";
        QTest::newRow("direction as any byte dump shows") << "OdgovorInDesno=2" << 0 << "OdgovorInDesno 2";
        QTest::newRow("direction out of a byte") << "OdgovorInDesno=256" << 2 << "";
        QTest::newRow("bad colour") << "PitanjeC1=plavo" << 2 << "";
        QTest::newRow("unknown field") << "Pitanje=Red" << 2 << "";
        QTest::newRow("reserved field, as dump shows it") << "Reserved1=0x00123456" << 0 << "Reserved1 0x00123456";
        QTest::newRow("no value") << "PitanjeC1" << 2 << "";
    }

    void set()
    {
        QFETCH(QString, assignment);
        QFETCH(int, exitCode);
        QFETCH(QString, dumpLine);
        kvztool({QStringLiteral("new"), path("s")});
        const QByteArray before = readAll(path("s.kvz"));
        // A good assignment first: a bad one anywhere changes nothing at all.
        const Run r = kvztool({QStringLiteral("set"), path("s.kvz"), QStringLiteral("PitanjeC2=Lime"), assignment});
        QCOMPARE(r.exitCode, exitCode);
        if (dumpLine.isEmpty()) {
            QCOMPARE(readAll(path("s.kvz")), before);
            QVERIFY(!r.err.isEmpty());
            return;
        }
        const QString dump = kvztool({QStringLiteral("dump"), path("s.kvz")}).out;
        QVERIFY(dump.contains(dumpLine + QLatin1Char('\n')));
        QVERIFY(dump.contains(QStringLiteral("PitanjeC2 0x0000FF00\n")));
    }

    // The tool as scripts use it, through a shell in the scratch folder with
    // a standard skin s.kvz there: exit status, standard output, standard
    // error (nothing but the tool's own lines), and a file that must exist
    // afterwards ("!name": must not).
    void commandLine_data()
    {
        QTest::addColumn<QString>("shell");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // a pattern
        QTest::addColumn<QString>("err"); // a pattern
        QTest::addColumn<QString>("file");
        QTest::newRow("a file command needs no display") << "DISPLAY=:99 QT_QPA_PLATFORM= \"$K\" dump s.kvz" << 0
                                                         << "^version 10\n" << "^$" << "";
        QTest::newRow("pictures need no display, runtime folder nor platform theme")
            << "env -u XDG_RUNTIME_DIR -u DISPLAY QT_QPA_PLATFORMTHEME=gtk3 \"$K\" preview p.png" << 0 << "^$" << "^$" << "p.png";
        QTest::newRow("Qt's options are not taken") << "\"$K\" check -platform s.kvz" << 2 << "^$"
                                                    << "^kvztool: nepoznata opcija \"platform\"" << "";
        QTest::newRow("help after a command: that command's") << "\"$K\" new --help" << 0
                                                               << "^Upotreba: kvztool new \\[--force\\] DATOTEKA\n(.|\n)*"
                                                                  "--force(.|\n)*Primer:\n  kvztool new plavi\n$"
                                                               << "^$" << "!--help.kvz";
        QTest::newRow("-- ends the options") << "\"$K\" new -- --x" << 0 << "^$" << "^$" << "--x.kvz";
        QTest::newRow("version") << "\"$K\" --version" << 0 << "^kvztool \\d+\\.\\d+\n$" << "^$" << "";
        QTest::newRow("a name that is not text") << "\"$K\" new $'bad\\xff'" << 2 << "^$"
                                                 << "^kvztool: argument \"bad\\\\xff\" nije ispravan tekst" << "!bad\xff.kvz";
        QTest::newRow("a skin name that is not text in a batch, as alone")
            << "cp s.kvz $'b\\xff.kvz' && \"$K\" preview --out-dir d $'b\\xff.kvz' s.kvz" << 2 << "^$"
            << "^kvztool: argument \"b\\\\xff.kvz\" nije ispravan tekst" << "d/s.png";
        // Output that cannot be written is a failure, for every command.
        QTest::newRow("dump into a full device") << "\"$K\" dump s.kvz > /dev/full" << 1 << "^$"
                                                 << "standardni izlaz se ne može pisati: No space left" << "";
        QTest::newRow("help into a full device") << "\"$K\" help new > /dev/full" << 1 << "^$" << "standardni izlaz" << "";
        QTest::newRow("help COMMAND is COMMAND --help") << "cmp <(\"$K\" help set) <(\"$K\" set --help)" << 0 << "^$"
                                                        << "^$" << "";
        QTest::newRow("a flag given a value") << "\"$K\" new --force=yes x" << 2 << "^$"
                                              << "opcija \"--force\" ne prima vrednost" << "!x.kvz";
        QTest::newRow("a name with no file part") << "mkdir d; \"$K\" new d/; \"$K\" new ''" << 2 << "^$"
                                                  << "\"d/\" ne imenuje datoteku\n.*\"\" ne imenuje" << "!d/.kvz";
        // What dump shows, set takes back: byte for byte, reserved values
        // and odd direction bytes included, as text and as JSON.
        QTest::newRow("dump feeds set")
            << "printf '\\x02' | dd of=s.kvz bs=1 seek=46 conv=notrunc 2>/dev/null; printf x | dd of=s.kvz bs=1 "
               "seek=190 conv=notrunc 2>/dev/null; \"$K\" new b && \"$K\" set b.kvz $(\"$K\" dump s.kvz | tail -n +2 | tr ' ' =) "
               "&& cmp s.kvz b.kvz && \"$K\" new c && \"$K\" dump --json s.kvz | \"$K\" set c.kvz --json - && cmp s.kvz c.kvz && "
               "\"$K\" dump --json s.kvz c.kvz | jq -r '[.name, .fields.PitanjeDesno.value, .fields.PitanjeLinija.colour] | @tsv'"
            << 0 << "^s.kvz\t2\t#5588B3\nc.kvz\t2\t#5588B3\n$" << "^$" << "";
        // A colour edited as dump --json shows it is taken; the command line
        // wins over the JSON; a value and a colour that disagree are refused.
        QTest::newRow("set --json takes the colour, the command line wins")
            << "\"$K\" dump --json s.kvz | jq -c '.fields.PitanjeC1 = {colour: \"#FF0000\"} | .fields.PitanjeC2 = {colour: "
               "\"Navy\"}' | \"$K\" set s.kvz --json - PitanjeC2=Lime && \"$K\" dump s.kvz | sed -n 4,5p"
            << 0 << "^PitanjeC1 0x000000FF\nPitanjeC2 0x0000FF00\n$" << "^$" << "";
        QTest::newRow("set --json, a value and a colour that disagree")
            << "\"$K\" dump --json s.kvz | jq -c '.fields.OdgovorInC1.colour = \"#FF0000\"' | \"$K\" set s.kvz --json -" << 2
            << "^$" << "^kvztool: polje OdgovorInC1: \"value\" i \"colour\" se ne slažu" << "";
        // Completion: after FIELD= that field's values; after --out-dir FOLDER, skins.
        QTest::newRow("completion")
            << "PATH=\"${K%/*}:$PATH\" bash -c 'source /usr/share/bash-completion/bash_completion; source \"$C\"; "
               "complete() { COMP_LINE=\"$1\"; COMP_POINT=${#1}; COMP_WORDS=($2); COMP_CWORD=$3; _kvztool; echo \"${COMPREPLY[*]}\"; }; "
               "complete \"kvztool set s.kvz PitanjeC1=N\" \"kvztool set s.kvz PitanjeC1 = N\" 5; "
               "complete \"kvztool set s.kvz OdgovorInDesno=\" \"kvztool set s.kvz OdgovorInDesno =\" 4; "
               "complete \"kvztool images --out-dir o \" \"kvztool images --out-dir o ''\" 4'"
            << 0 << "^Navy\n1 0\ns.kvz\n$" << "^$" << "";
        // diff answers as cmp does: 0 equal, 1 different, 2 trouble.
        QTest::newRow("diff: the fields that differ, as dump shows them")
            << "cp s.kvz t.kvz && \"$K\" diff s.kvz t.kvz && \"$K\" set t.kvz PitanjeC1=Red OdgovorInDesno=0 && \"$K\" diff s.kvz - < t.kvz"
            << 1 << "^PitanjeC1 0x00000000 0x000000FF\nOdgovorInDesno 1 0\n$" << "^$" << "";
        QTest::newRow("diff --json")
            << "\"$K\" set - PitanjeC1=Red < s.kvz > t.kvz; \"$K\" diff --json s.kvz t.kvz" << 1
            << "^\\{\"a\":\"s.kvz\",\"b\":\"t.kvz\",\"fields\":\\{\"PitanjeC1\":\\[\\{\"value\":0,\"colour\":\"#000000\"\\},"
               "\\{\"value\":255,\"colour\":\"#FF0000\"\\}\\]\\}\\}\n$"
            << "^$" << "";
        QTest::newRow("diff with a file that is no skin") << "\"$K\" diff s.kvz none.kvz" << 2 << "^$"
                                                          << "^kvztool: none.kvz: " << "";
        // A thumbnail goes only into a regular file (or a new one), at a bounded size.
        QTest::newRow("thumbnail onto a FIFO") << "mkfifo t.png && \"$K\" thumbnail --size 64 s.kvz t.png" << 1 << "^$"
                                               << "Not a regular file" << "";
        // The service's empty file is filled as itself; a file with contents is replaced whole.
        QTest::newRow("thumbnail into an empty file, over a full one")
            << "printf old > t.png && ln t.png u.png && : > e.png && ln e.png f.png && "
               "\"$K\" thumbnail --size 64 s.kvz t.png && \"$K\" thumbnail --size 64 s.kvz e.png && "
               "cat u.png && cmp t.png f.png && echo same"
            << 0 << "^oldsame\n$" << "^$" << "";
        QTest::newRow("thumbnail of no size") << "\"$K\" thumbnail --size 0 s.kvz t.png" << 2 << "^$"
                                              << "^kvztool: thumbnail traži --size N" << "!t.png";
        QTest::newRow("check --json alone") << "\"$K\" check --json s.kvz" << 2 << "^$"
                                            << "^kvztool: check prima --json samo uz --readability\n$" << "";
        // Standard input is read as a file is, no further.
        QTest::newRow("a never-ending standard input") << "yes | timeout 10 \"$K\" check -" << 0 << "^$" << "^$" << "";
        QTest::newRow("--skin - reads standard input")
            << "\"$K\" set s.kvz PitanjeC1=Red && \"$K\" preview --skin s.kvz f.png && \"$K\" preview --skin - i.png < s.kvz && "
               "cmp f.png i.png"
            << 0 << "^$" << "^$" << "!-";
        QTest::newRow("set without a value") << "\"$K\" set s.kvz PitanjeC2" << 2 << "^$"
                                             << "PitanjeC2\" nema vrednost" << "";
        QTest::newRow("preview as JPEG") << "\"$K\" preview p.jpg && head -c 3 p.jpg | od -An -tx1" << 0
                                         << "ff d8 ff" << "^$" << "p.jpg";
        QTest::newRow("preview of an unknown format") << "\"$K\" preview p.gif" << 2 << "^$" << "\\.png, \\.jpg ili \\.bmp"
                                                      << "!p.gif";
        QTest::newRow("images keep what exists") << "\"$K\" images o && \"$K\" images o" << 1 << "^$"
                                                 << "^kvztool: datoteka \"o/bmpPitanje.png\" već postoji" << "";
        QTest::newRow("preview keeps what exists") << "echo old > p.png; \"$K\" preview p.png; cat p.png" << 0
                                                   << "^old\n$" << "već postoji" << "";
        QTest::newRow("fields") << "\"$K\" fields | wc -l" << 0 << "^45\n$" << "^$" << "";
        // Paths that are not plain files: refused with the reason, left as they were.
        QTest::newRow("new over a dangling link") << "ln -s no/x x.kvz; \"$K\" new x; r=$?; readlink x.kvz; exit $r" << 1
                                                  << "^no/x\n$" << "već postoji" << "";
        QTest::newRow("new --force over a dangling link")
            << "ln -s no/x x.kvz; \"$K\" new --force x; r=$?; readlink x.kvz; exit $r" << 1 << "^no/x\n$"
            << "Not a regular file" << "";
        QTest::newRow("check a FIFO") << "mkfifo x.kvz; \"$K\" check x.kvz" << 1 << "Not a regular file\n$" << "^$" << "";
        // A regular file when it is looked at, a FIFO when it is opened: what
        // was opened decides, and nothing waits on a writer.
        QTest::newRow("a FIFO swapped in before the open")
            << "cp s.kvz x.kvz; (sleep 0.5; rm x.kvz; mkfifo x.kvz) & timeout 10 strace -f -qq -o /dev/null -P x.kvz "
               "-e inject=openat:delay_enter=1000000 \"$K\" check x.kvz 2>/dev/null; r=$?; wait; exit $r"
            << 1 << "Not a regular file\n$" << "^$" << "";
        QTest::newRow("dump a folder among skins") << "mkdir x.kvz; \"$K\" dump x.kvz s.kvz" << 1 << "^file s.kvz\nversion 10\n"
                                                   << "^kvztool: x.kvz: Cannot open file .*Not a regular file\n$" << "";
        QTest::newRow("a picture past the file-size limit")
            << "echo old > x.png; (ulimit -f 1; exec \"$K\" preview --force x.png); r=$?; cat x.png; "
               "ls -A | grep -c kvz- ; exit $r"
            << 1 << "^old\n0\n$" << "^kvztool: Cannot create file .*File too large" << "";
        // --force replaces what exists, never what the user may not write.
        QTest::newRow("read-only files are kept")
            << "cp s.kvz r.kvz && echo old > p.png && chmod 444 r.kvz p.png && chmod 777 . && $U \"$K\" set r.kvz "
               "PitanjeC1=Red; a=$?; $U \"$K\" preview --force p.png; b=$?; cat p.png; cmp s.kvz r.kvz && exit $a$b"
            << 11 << "^old\n$" << "r.kvz\". Permission denied\n.*p.png\". Permission denied\n$" << "";
        QTest::newRow("- is standard input and output") << "\"$K\" new - | \"$K\" set - PitanjeC1=Red | \"$K\" dump - | sed -n 4p"
                                                       << 0 << "^PitanjeC1 0x000000FF\n$" << "^$" << "";
        QTest::newRow("many skins, one editor, as single runs")
            << "\"$K\" set s.kvz PitanjeC1=Red && \"$K\" preview --skin s.kvz one.png && \"$K\" new t && "
               "\"$K\" preview --out-dir d t.kvz s.kvz && cmp one.png d/s.png && \"$K\" images --out-dir i s.kvz && ls i/s | wc -l"
            << 0 << "^7\n$" << "^$" << "d/t.png";
        QTest::newRow("a batch keeps what exists")
            << "\"$K\" preview --out-dir d s.kvz && cp d/s.png keep.png && \"$K\" set s.kvz PitanjeC1=Red && "
               "\"$K\" preview --out-dir d s.kvz; r=$?; cmp d/s.png keep.png && exit $r"
            << 1 << "^$" << "^kvztool: s.kvz: datoteka \"d/s.png\" već postoji" << "";
        QTest::newRow("a failed rename leaves nothing beside the skin")
            << "cp s.kvz keep && strace -f -qq -o /dev/null -e inject=rename,renameat,renameat2:error=EXDEV \"$K\" set s.kvz "
               "PitanjeC1=Red; r=$?; cmp s.kvz keep && ls -A | grep -c kvz-; exit $r"
            << 1 << "^0\n$" << "Invalid cross-device link" << "";
        QTest::newRow("many skins, one refused") << "echo junk > bad.kvz; \"$K\" preview --out-dir d bad.kvz s.kvz" << 1
                                                 << "^$" << "^kvztool: bad.kvz: Datoteka nije ispravna" << "d/s.png";
        // Every byte of a path kept: a working folder, or a link's target,
        // whose name is not UTF-8 is written where it is, not in a folder
        // named with U+FFFD.
        QTest::newRow("a working folder that is not UTF-8")
            << "mkdir $'d\\xff' $'d\\xef\\xbf\\xbd' && cd $'d\\xff' && \"$K\" new x && \"$K\" set x.kvz PitanjeC1=Red && "
               "\"$K\" preview p.png && \"$K\" images --out-dir o x.kvz && \"$K\" dump x.kvz | sed -n 4p; "
               "ls -A ../$'d\\xef\\xbf\\xbd' | wc -l; ls o/x | wc -l"
            << 0 << "^PitanjeC1 0x000000FF\n0\n7\n$" << "^$" << "";
        QTest::newRow("a link into a Latin-1 folder")
            << "mkdir $'l\\xe9' && cp s.kvz $'l\\xe9/x.kvz' && ln -s $'l\\xe9/x.kvz' x.kvz && \"$K\" set x.kvz PitanjeC1=Red "
               "&& test -L x.kvz && cd $'l\\xe9' && \"$K\" dump x.kvz | sed -n 4p"
            << 0 << "^PitanjeC1 0x000000FF\n$" << "^$" << "";
        // A batch decides every output first: collisions and names that
        // would leave the out folder are refused by name, nothing written.
        QTest::newRow("a batch with two skins of one name")
            << "mkdir r b && cp s.kvz r/ && cp s.kvz b/ && \"$K\" images --out-dir o r/s.kvz b/s.kvz" << 2 << "^$"
            << "\"r/s.kvz\" i \"b/s.kvz\" bi pisali isti izlaz" << "!o";
        QTest::newRow("a batch of a, a.kvz and a.KVZ")
            << "cp s.kvz a; cp s.kvz a.kvz; cp s.kvz a.KVZ; \"$K\" preview --out-dir o a a.kvz a.KVZ" << 2 << "^$"
            << "\"a\" i \"a.kvz\".*\n.*\"a\" i \"a.KVZ\"" << "!o";
        QTest::newRow("a batch output outside its folder")
            << "mkdir in && cp s.kvz in/...kvz && \"$K\" images --out-dir out/batch in/...kvz s.kvz" << 2 << "^$"
            << "\"in/\\.\\.\\.kvz\" ne daje ime izlaza" << "!out";
        QTest::newRow("a failed run takes away the folders it made")
            << "(trap '' XFSZ; ulimit -f 1; exec \"$K\" images n/o); r=$?; ls -A; exit $r" << 1
            << "^s.kvz\n$" << "Cannot create file" << "!n";
        QTest::newRow("a name too long for the system")
            << "\"$K\" new $(printf 'n%.0s' {1..300})" << 1 << "^$" << "File name too long" << "";
    }

    void commandLine()
    {
        QFETCH(QString, shell);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, file);
        QCOMPARE(kvztool({QStringLiteral("new"), path("s")}).exitCode, 0);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("K"), QStringLiteral(KVZTOOL));
        env.insert(QStringLiteral("C"), QStringLiteral(ZV_COMPLETION));
        // Permissions mean for root what they mean for anyone else.
        env.insert(QStringLiteral("U"), ::geteuid() == 0 ? QStringLiteral("setpriv --reuid=65534 --regid=65534 --clear-groups") : QString());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir->path());
        p.start(QStringLiteral("bash"), {QStringLiteral("-c"), shell});
        QVERIFY(p.waitForFinished(60000));
        const QString stdoutText = QString::fromUtf8(p.readAllStandardOutput());
        const QString stderrText = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), exitCode);
        QVERIFY2(QRegularExpression(out).match(stdoutText).hasMatch(), qPrintable(stdoutText));
        QVERIFY2(QRegularExpression(err).match(stderrText).hasMatch(), qPrintable(stderrText));
        if (!file.isEmpty())
            QCOMPARE(QFileInfo::exists(path(file.startsWith('!') ? file.mid(1) : file)), !file.startsWith('!'));
    }

    void usage()
    {
        QCOMPARE(kvztool({}).exitCode, 2);
        const Run help = kvztool({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QStringLiteral("preview")));
        QCOMPARE(kvztool({QStringLiteral("paint")}).exitCode, 2);
        QCOMPARE(kvztool({QStringLiteral("dump")}).exitCode, 2);
        QCOMPARE(kvztool({QStringLiteral("images"), QStringLiteral("--skin")}).exitCode, 2);
    }

    void images_data()
    {
        QTest::addColumn<bool>("withSkin");
        QTest::newRow("right after start-up") << false;
        QTest::newRow("right after opening a skin") << true;
    }

    // Exactly the pixels of a freshly started editor's images.
    void images()
    {
        QFETCH(bool, withSkin);
        TSkinRecord r = standardSkinRecord();
        r.OdgovorChechC2 = clBlue;
        r.PitanjeDesno = 0;
        r.OdgovorNODesno = 2;
        QFile f(path("skin.kvz"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(encodeSkinFile(r));
        f.close();
        QStringList args{QStringLiteral("images")};
        if (withSkin)
            args << QStringLiteral("--skin") << path("skin.kvz");
        args << path("out");
        QCOMPARE(kvztool(args).exitCode, 0);

        EditorFixture editor;
        editor.start();
        if (withSkin)
            QVERIFY(editor.w()->document().LoadFromFile(path("skin.kvz")));
        const std::pair<const char*, TBitmap*> images[] = {
            {"bmpPitanje", bmpPitanje},           {"bmpOdgovorNormal", bmpOdgovorNormal}, {"bmpOdgovorIn", bmpOdgovorIn},
            {"bmpOdgovorChech", bmpOdgovorChech}, {"bmpOdgovorOK", bmpOdgovorOK},         {"bmpOdgovorYES", bmpOdgovorYES},
            {"bmpOdgovorNO", bmpOdgovorNO}};
        for (const auto& [name, bitmap] : images) {
            const QImage png(path(QStringLiteral("out/%1.png").arg(QLatin1String(name))));
            QCOMPARE(png.size(), bitmap->image().size());
            QVERIFY(!png.hasAlphaChannel());
            QCOMPARE(png.convertToFormat(QImage::Format_RGB32), bitmap->image());
        }
        editor.stop();
    }

    // Pictures as players with a colour-vision deficiency see them: every
    // pixel of the plain picture through the simulation, in a single run
    // and in a batch, the preview and the images.
    void simulatedPictures()
    {
        kvztool({QStringLiteral("new"), path("s")});
        kvztool({QStringLiteral("set"), path("s.kvz"), QStringLiteral("OdgovorOKC1=Lime")});
        const auto run = [&](QStringList args) { QCOMPARE(kvztool(args).exitCode, 0); };
        run({"preview", "--skin", path("s.kvz"), path("plain.png")});
        run({"images", "--skin", path("s.kvz"), path("plain")});
        for (const Vision vision : {Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia}) {
            const QString name = visionName(vision);
            run({"preview", "--vision", name, "--skin", path("s.kvz"), path(name + ".png")});
            run({"images", "--vision", name, "--out-dir", path(name), path("s.kvz")});
            const QImage plain = QImage(path("plain.png"));
            QCOMPARE(QImage(path(name + ".png")).convertToFormat(QImage::Format_RGB32), simulateVision(plain, vision));
            QCOMPARE(QImage(path(name + "/s/bmpOdgovorOK.png")).convertToFormat(QImage::Format_RGB32),
                     simulateVision(QImage(path("plain/bmpOdgovorOK.png")), vision));
        }
        QCOMPARE(kvztool({"preview", "--vision", "daltonizam", path("x.png")}).exitCode, 2);
    }

    // Skins with flat fills, where every correct measure agrees: the figures
    // are WCAG's formula and python-colormath 3.0's CIELAB (D50) and
    // CIEDE2000 over the published simulation matrices, to two decimals.
    void readability_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("figures"); // "page role ratio" or "vision page page deltaE"
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<int>("exit");
        const auto flat = [](const char* page, const char* colour, const char* ink) {
            QStringList out{QStringLiteral("%1C1=%2").arg(page, colour), QStringLiteral("%1C2=%2").arg(page, colour),
                            QStringLiteral("%1Text=%2").arg(page, ink)};
            if (QByteArray(page).startsWith("OdgovorNormal") || QByteArray(page).startsWith("OdgovorIn")
                || QByteArray(page).startsWith("OdgovorChech") || QByteArray(page).startsWith("OdgovorOK"))
                out << QStringLiteral("%1Char=%2").arg(page, ink);
            return out;
        };
        const QStringList readable = flat("Pitanje", "#000000", "#FFFFFF") + flat("OdgovorNormal", "#000000", "#FFFFFF")
                                     + flat("OdgovorIn", "#FFFFFF", "#000000") + flat("OdgovorChech", "#0000FF", "#FFFFFF")
                                     + flat("OdgovorOK", "#FFFF00", "#000000") + flat("OdgovorYES", "#FFFFFF", "#000000")
                                     + flat("OdgovorNO", "#000000", "#FFFFFF");
        QTest::newRow("everything readable and apart")
            << readable
            << QStringList{"OdgovorChech Text 8.5925", "OdgovorOK Char 19.556", "Pitanje Text 21",
                           "tritanopia OdgovorIn OdgovorOK 10.7114", "normal OdgovorNormal OdgovorChech 38.4538",
                           "normal OdgovorYES OdgovorNO 99.9999"}
            << QStringList() << 0;
        QTest::newRow("grey on white, just under AA")
            << readable + flat("OdgovorNormal", "#FFFFFF", "#777777")
            << QStringList{"OdgovorNormal Text 4.4781", "OdgovorNormal Char 4.4781"} << QStringList() << 1;
        QTest::newRow("red marked, green correct")
            << readable + flat("OdgovorChech", "#FF0000", "#000000") + flat("OdgovorOK", "#008000", "#FFFFFF")
            << QStringList{"normal OdgovorChech OdgovorOK 70.2447", "protanopia OdgovorChech OdgovorOK 7.6162",
                           "deuteranopia OdgovorChech OdgovorOK 15.8188", "tritanopia OdgovorChech OdgovorOK 61.4257"}
            << QStringList() << 1;
        QTest::newRow("system colours are listed, not failed")
            << readable + QStringList{"Voditelj=ButtonFace", "PitanjeLinija=WindowFrame"} << QStringList()
            << QStringList{"PitanjeLinija", "Voditelj"} << 0;
    }

    void readability()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, figures);
        QFETCH(QStringList, system);
        QFETCH(int, exit);
        kvztool({"new", path("s")});
        QCOMPARE(kvztool(QStringList{"set", path("s.kvz")} + fields).exitCode, 0);
        const Run run = kvztool({"check", "--readability", "--json", path("s.kvz")});
        QCOMPARE(run.exitCode, exit);
        const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(report.value("file").toString(), path("s.kvz"));
        QStringList systemSeen;
        for (const QJsonValue v : report.value("system").toArray())
            systemSeen << v.toString();
        QCOMPARE(systemSeen, system);
        // Every figure is there once; each is ok exactly when it reaches what it needs.
        QCOMPARE(report.value("contrast").toArray().size(), 11);
        QCOMPARE(report.value("vision").toArray().size(), 28);
        QMap<QString, double> seen;
        int failing = 0;
        for (const char* list : {"contrast", "vision"})
            for (const QJsonValue v : report.value(list).toArray()) {
                const QJsonObject f = v.toObject();
                const double figure = f.value(f.contains("ratio") ? "ratio" : "deltaE").toDouble();
                QCOMPARE(f.value("ok").toBool(), figure >= f.value("needed").toDouble());
                failing += f.value("ok").toBool() ? 0 : 1;
                const QJsonArray pages = f.value("pages").toArray();
                seen[f.contains("ratio") ? f.value("page").toString() + ' ' + f.value("role").toString()
                                         : f.value("vision").toString() + ' ' + pages[0].toString() + ' '
                                               + pages[1].toString()] = figure;
            }
        QCOMPARE(failing == 0, exit == 0);
        for (const QString& row : figures) {
            const QString key = row.section(' ', 0, -2);
            QVERIFY2(seen.contains(key), qPrintable(key));
            QVERIFY2(std::abs(seen[key] - row.section(' ', -1).toDouble()) < 0.006, qPrintable(row));
        }
        // The table says the same in Serbian, one line a figure, and exits alike.
        const Run table = kvztool({"check", "--readability", path("s.kvz")});
        QCOMPARE(table.exitCode, exit);
        QCOMPARE(table.out.count(QStringLiteral("premalo")), failing);
    }

    // A file manager's thumbnail service (tumbler, on a bus of its own)
    // finds the installed thumbnailer entry and runs kvztool with no home:
    // a skin's "normal" thumbnail is its preview at 128 pixels wide, and a
    // file that is no skin gets the service's error and no picture.
    void thumbnailsThroughTheService()
    {
        const QString prefix = path("the prefix");
        QCOMPARE(QProcess::execute(ZV_CMAKE, {"--install", ZV_BUILD_DIR, "--prefix", prefix}), 0);
        kvztool({"new", path("s")});
        kvztool({"set", path("s.kvz"), "PitanjeC1=Red", "OdgovorInDesno=0"});
        kvztool({"preview", "--skin", path("s.kvz"), path("p.png")});
        QFile bad(path("bad.kvz"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("no skin") > 0);
        bad.close();
        const auto uri = [&](const char* name) { return QUrl::fromLocalFile(path(name)).toString(QUrl::FullyEncoded); };
        const auto cached = [&](const char* name) {
            return path("cache/thumbnails/normal/")
                   + QCryptographicHash::hash(uri(name).toUtf8(), QCryptographicHash::Md5).toHex() + ".png";
        };
        QProcess bus;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_DIRS", prefix + "/share:/usr/share");
        env.insert("XDG_CACHE_HOME", path("cache"));
        env.insert("HOME", path("no home"));
        env.insert("S", uri("s.kvz"));
        env.insert("B", uri("bad.kvz"));
        bus.setProcessEnvironment(env);
        bus.setWorkingDirectory(dir->path());
        bus.start("dbus-run-session",
                  {"--", "bash", "-c",
                   "dbus-monitor --session type=signal,interface=org.freedesktop.thumbnails.Thumbnailer1 > signals & "
                   "until grep -q NameAcquired signals; do sleep 0.1; done; "
                   "gdbus call --session --dest org.freedesktop.thumbnails.Thumbnailer1 "
                   "--object-path /org/freedesktop/thumbnails/Thumbnailer1 "
                   "--method org.freedesktop.thumbnails.Thumbnailer1.Queue \"['$S', '$B']\" "
                   "\"['application/x-kvz-skin', 'application/x-kvz-skin']\" normal default 0 && "
                   "for i in $(seq 300); do grep -q 'member=Finished' signals && exit 0; sleep 0.1; done; exit 1"});
        QVERIFY(bus.waitForFinished(60000));
        QCOMPARE(bus.exitCode(), 0);
        const QImage thumbnail(cached("s.kvz"));
        QCOMPARE(thumbnail.size(), QSize(128, 31));
        QCOMPARE(thumbnail.convertToFormat(QImage::Format_RGB32),
                 QImage(path("p.png")).scaled(128, 31, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32));
        QVERIFY(!QFileInfo::exists(cached("bad.kvz")));
        const QString signals = QString::fromUtf8(readAll(path("signals")));
        QVERIFY2(signals.contains("member=Error") && signals.contains(uri("bad.kvz")), qPrintable(signals));
    }

    // The preview is the window's own preview area as the window system
    // renders it: the cells' pictures inside their shapes on white.
    void preview()
    {
        QCOMPARE(kvztool({QStringLiteral("preview"), path("p.png")}).exitCode, 0);
        EditorFixture editor;
        editor.start();
        TfrmMain* w = editor.w();
        w->show();
        const QImage rendered = w->centralWidget()->grab(QRect(component<TZlatovirPitanje>(w, "mPitanje")->pos(), QSize(800, 191))).toImage();
        QCOMPARE(rendered.convertToFormat(QImage::Format_RGB32), w->previewImage());
        QCOMPARE(QImage(path("p.png")).convertToFormat(QImage::Format_RGB32), w->previewImage());
        // Each cell's tooltip gives the contrasts kvztool measures on the same skin.
        kvztool({"new", path("s")});
        QVERIFY(w->document().LoadFromFile(path("s.kvz")));
        const QJsonArray contrast = QJsonDocument::fromJson(kvztool({"check", "--readability", "--json", path("s.kvz")}).out.toUtf8())
                                        .object().value("contrast").toArray();
        QCOMPARE(contrast.size(), 11);
        for (TZlatovirCelija* cell : w->centralWidget()->findChildren<TZlatovirCelija*>()) {
            QHelpEvent hover(QEvent::ToolTip, QPoint(200, 15), cell->mapToGlobal(QPoint(200, 15)));
            QApplication::sendEvent(cell, &hover);
            for (const QJsonValue v : contrast)
                if (v["page"].toString() == imagePageName(cell->shownImage()))
                    QVERIFY2(QToolTip::text().contains(QString::number(v["ratio"].toDouble(), 'f', 2) + ":1"),
                             qPrintable(QToolTip::text()));
        }
        // An offscreen editor that never wrote the remembered folders.
        QVERIFY(!QFileInfo::exists(path("config")));
        editor.stop();
    }
};

ZV_TEST_MAIN(TestKvztool)
#include "tst_kvztool.moc"
