// IniText: the text of a settings file in Qt's INI format, read exactly as
// QSettings reads its top-level values, and edited where that is safe.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A value of the top-level section ("[General]", in any case and with any
// spaces, and whatever stands before the first section), as QSettings reads
// it: the last of the key's lines wins, a line may go on past a "\" at its
// end or inside a quote, ";" starts a comment, keys take "%XX" escapes.
struct IniValue
{
    enum Kind {
        Absent,
        String,   // `text` holds it, as QSettings' value() gives it
        Declined, // not a string, or nothing this reader vouches for (a
                  // list, a typed "@..." value, bytes that are not UTF-8)
    };
    Kind kind = Absent;
    QString text;
};

// The file's lines, parsed once. Reading never fails: what QSettings reads
// as a string this reads the same, and what it would read otherwise is
// Declined, never misread.
class IniText
{
public:
    explicit IniText(QByteArray bytes);

    IniValue value(const QString& key) const;

    // True when every line is one this store can rewrite without changing
    // what any other line means: blank, a ";" comment, a closed section
    // header, or key=value on one line of its own (no "\" continuation, no
    // open quote, no stray line, no lone carriage return). A file that
    // holds anything else (the user's notes behind a link) is never
    // rewritten.
    bool rewritable() const { return m_rewritable; }

    // The value's line replaced in place (its last one; earlier ones go), or
    // added at the end of the top-level section, made first when there is
    // none. Only on a rewritable text.
    void setString(const QString& key, const QString& value);
    void remove(const QString& key);
    bool changed() const { return m_changed; }
    QByteArray bytes() const;
    // The text to write after changes: only when it is rewritable and reads
    // back every string set as it was set; nothing otherwise.
    std::optional<QByteArray> rewritten() const;

private:
    struct Line
    {
        QByteArray text;   // one physical line, without its end
        bool topLevel;     // stands in the top-level section
        QString key;       // unescaped, for a key=value line of the top level
    };
    qsizetype lastOf(const QString& key) const;
    // A line of the top-level section, as QSettings reads it.
    void readTopLevelLine(const QByteArray& data, qsizetype start, qsizetype length, qsizetype equals);

    QByteArray m_bom;
    QList<Line> m_lines;
    bool m_rewritable = true;
    bool m_changed = false;
    bool m_uncertain = false; // a top-level key this reader cannot name
    QList<std::pair<QString, QString>> m_written;
    // The values as QSettings reads them, for every top-level key.
    QList<std::pair<QString, QByteArray>> m_read; // in file order; the last wins
};

// The text of a string value as an INI file holds it, and back: escaped and
// quoted as QSettings does it. Reading gives nothing for a value that holds
// something else than one string (a list, a byte array, a variant).
QByteArray iniStringValue(const QString& value);
std::optional<QString> iniString(const QByteArray& value);
