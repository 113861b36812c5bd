#include "platform/system/IniText.h"

#include <QStringDecoder>

#include <cctype>
#include <cstring>

// The rules below are those of Qt's own INI reader, which wrote and reads
// these files; where this reader could not be sure of what Qt makes of a
// value (a typed value, an escape past U+FFFF, bytes that are not UTF-8)
// it declines the value rather than guess.

namespace {

enum : unsigned { Space = 1, Special = 2 };

unsigned traits(char c)
{
    switch (c) {
    case ' ':
    case '\t':
        return Space;
    case '\n':
    case '\r':
        return Space | Special;
    case '"':
    case ';':
    case '=':
    case '\\':
        return Special;
    default:
        return 0;
    }
}

// One logical line from `pos` on: leading blanks and ";" comment lines
// skipped; a line goes on past a "\" before its end and inside quotes, and
// stops before a ";" outside quotes. `equals` is the first "=" outside
// quotes, or -1. False at the end of the text.
bool readLine(QByteArrayView data, qsizetype& pos, qsizetype& start, qsizetype& length, qsizetype& equals)
{
    const qsizetype size = data.size();
    bool inQuotes = false;
    equals = -1;
    start = pos;
    while (start < size && (traits(data[start]) & Space))
        ++start;
    qsizetype i = start;
    while (i < size) {
        char ch = data[i];
        while (!(traits(ch) & Special)) {
            if (++i == size)
                goto done;
            ch = data[i];
        }
        ++i;
        if (ch == '=') {
            if (!inQuotes && equals == -1)
                equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                // "\" with \n, \r, \r\n or \n\r goes on to the next line.
                if (i < size && ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else { // ';'
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && (traits(data[i]) & Space))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        }
    }
done:
    pos = i;
    length = i - start;
    return length > 0;
}

// A key as stored: "\" stands for "/", "%XX" and "%UXXXX" for a character.
// Nothing when an escape is one this reader does not vouch for.
std::optional<QString> unescapedKey(QByteArrayView key)
{
    const QString decoded = QString::fromUtf8(key);
    QString out;
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar ch = decoded[i];
        if (ch == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != QLatin1Char('%') || i == decoded.size() - 1) {
            out += ch;
            ++i;
            continue;
        }
        const bool wide = decoded[i + 1] == QLatin1Char('U');
        const qsizetype first = i + 1 + (wide ? 1 : 0), digits = wide ? 4 : 2;
        if (first + digits > decoded.size()) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        const QStringView hex = QStringView(decoded).sliced(first, digits);
        for (QChar d : hex)
            if (!isxdigit(d.unicode() < 0x80 ? int(d.unicode()) : 0))
                return std::nullopt;
        out += QChar(char16_t(hex.toString().toUShort(nullptr, 16)));
        i = first + digits;
    }
    return out;
}

// A line that starts with a blank (any that a key is trimmed of) and holds
// more than blanks.
bool blankThenText(const QByteArray& line)
{
    return !line.isEmpty() && line[0] != 0 && std::strchr(" \t\v\f", line[0]) && !line.trimmed().isEmpty();
}

// Whether a section header ("[name]", up to its first "]", or all of it
// when there is none) opens the top-level section: "General" in any case,
// with any blanks around it.
bool opensTopLevel(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    const QByteArrayView name = close < 0 ? header.sliced(1) : header.sliced(1, close - 1);
    return name.toByteArray().trimmed().compare("general", Qt::CaseInsensitive) == 0;
}

// A key the way QSettings looks keys up: no leading, trailing or doubled "/".
QString normalizedKey(const QString& key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

void chopTrailingBlanks(QString& text, qsizetype limit)
{
    while (text.size() > limit && (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
        text.chop(1);
}

// The text after "=": blanks before it skipped, blanks after it chopped
// unless quoted, quotes taken away, escapes resolved, and nothing for a
// list (a "," outside quotes) or bytes that are not UTF-8.
std::optional<QString> unescapedString(QByteArrayView value)
{
    static const char codes[] = "abfnrtv\"?'\\";
    static const char meanings[] = "\a\b\f\n\r\t\v\"?'\\";
    QString out;
    bool inQuotes = false, quoted = false;
    qsizetype i = 0;
    const qsizetype size = value.size();
    while (i < size && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    qsizetype chopLimit = 0;
    while (i < size) {
        const char ch = value[i];
        if (ch == '\\') {
            if (++i >= size)
                return out; // a "\" at the very end: nothing chopped
            const char e = value[i++];
            if (const char* at = e ? std::strchr(codes, e) : nullptr) {
                out += QLatin1Char(meanings[at - codes]);
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                if (hex && (i >= size || !isxdigit(uchar(value[i])))) {
                    chopLimit = out.size();
                    continue; // "\x" without a digit stands for nothing
                }
                char32_t code = hex ? 0 : char32_t(e - '0');
                while (i < size && (hex ? isxdigit(uchar(value[i])) : value[i] >= '0' && value[i] <= '7')) {
                    if (code > 0xFFFF)
                        return std::nullopt;
                    const char d = char(std::tolower(uchar(value[i++])));
                    code = code * (hex ? 16 : 8) + char32_t(d <= '9' ? d - '0' : d - 'a' + 10);
                }
                if (code > 0xFFFF)
                    return std::nullopt; // one character past U+FFFF: this reader is not sure
                out += QChar(char16_t(code));
                if (i >= size)
                    return out; // an escape at the very end: nothing chopped
            } else if (e == '\n' || e == '\r') {
                if (i < size && (value[i] == '\n' || value[i] == '\r') && value[i] != e)
                    ++i;
            } // any other escaped character stands for nothing
            chopLimit = out.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                while (i < size && (value[i] == ' ' || value[i] == '\t'))
                    ++i;
                chopLimit = out.size();
            }
        } else if (ch == ',' && !inQuotes) {
            return std::nullopt; // a list
        } else {
            qsizetype j = i + 1;
            while (j < size && value[j] != '\\' && value[j] != '"' && value[j] != ',')
                ++j;
            // Bytes that are not UTF-8, or a byte-order mark, may be read
            // otherwise by a decoder that goes on from the last part.
            const QByteArrayView bytes = value.sliced(i, j - i);
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString part = utf8(bytes);
            if (utf8.hasError() || bytes.contains("\xEF\xBB\xBF"))
                return std::nullopt;
            out += part;
            i = j;
        }
    }
    if (!quoted)
        chopTrailingBlanks(out, chopLimit);
    return out;
}

} // namespace

std::optional<QString> iniString(const QByteArray& value)
{
    std::optional<QString> text = unescapedString(value);
    if (!text || !text->startsWith(QLatin1Char('@')))
        return text;
    if (text->endsWith(QLatin1Char(')'))) {
        if (text->startsWith(QLatin1String("@String(")))
            return text->mid(8, text->size() - 9);
        for (const char* typed : {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("})
            if (text->startsWith(QLatin1String(typed)))
                return std::nullopt;
        if (*text == QLatin1String("@Invalid()"))
            return std::nullopt;
    }
    if (text->startsWith(QLatin1String("@@")))
        return text->mid(1);
    return text;
}

void IniText::readTopLevelLine(const QByteArray& data, qsizetype start, qsizetype length, qsizetype equals)
{
    if (equals < 0)
        return; // a comment or a stray line: skipped (Qt notes a format error)
    // The key trimmed of every blank (a form feed too), as QByteArray trims.
    const std::optional<QString> key = unescapedKey(data.mid(start, equals - start).trimmed());
    if (!key) {
        m_uncertain = true;
        return;
    }
    m_read.append({*key, data.mid(equals + 1, start + length - equals - 1)});
}

IniText::IniText(QByteArray bytes)
{
    // QSettings finds the sections in the text after a UTF-8 byte-order
    // mark, but reads what stands before the first section from the very
    // start, the mark glued to the first line (a key right after it still
    // reads, as text from UTF-8 drops a leading mark; blanks between them
    // are then part of the key).
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray whole = bytes;
    if (marked) {
        m_bom = bytes.left(3);
        bytes.remove(0, 3);
    }
    const auto readFromTheStart = [&](qsizetype end) {
        qsizetype pos = 0, start = 0, length = 0, equals = -1;
        const QByteArray data = whole.left(end);
        while (readLine(data, pos, start, length, equals))
            readTopLevelLine(data, start, length, equals);
    };
    bool topLevel = true, beforeFirstSection = true;
    qsizetype pos = 0, start = 0, length = 0, equals = -1;
    while (readLine(bytes, pos, start, length, equals)) {
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, length);
        if (line.startsWith('[')) {
            if (marked && beforeFirstSection)
                readFromTheStart(start + 3);
            beforeFirstSection = false;
            topLevel = opensTopLevel(line);
        } else if (topLevel && !(marked && beforeFirstSection)) {
            readTopLevelLine(bytes, start, length, equals);
        }
    }
    if (marked && beforeFirstSection)
        readFromTheStart(whole.size());

    // The physical lines, for rewriting: each must be one of the plain kinds,
    // read the same wherever it stands.
    QList<QByteArray> texts = bytes.split('\n');
    if (!texts.isEmpty() && texts.last().isEmpty())
        texts.removeLast();
    topLevel = true;
    if (marked && !texts.isEmpty() && blankThenText(texts.first()))
        m_rewritable = false; // the mark glued to blanks: see rewritten()
    for (QByteArray text : texts) {
        if (text.endsWith('\r'))
            text.chop(1);
        Line line{text, topLevel, {}};
        qsizetype p = 0;
        const QByteArray alone = text + '\n';
        const bool some = readLine(alone, p, start, length, equals);
        // A line ends at its newline, or before a ";" whose comment runs to it;
        // only a lone carriage return would make two lines of one.
        if (text.contains('\r') || (some && alone.indexOf('\n', start) < start + length)) {
            m_rewritable = false; // a line that goes on into the next, or two lines in one
        } else if (some && alone[start] == '[') {
            const QByteArrayView header = QByteArrayView(alone).sliced(start, length);
            m_rewritable = m_rewritable && header.contains(']'); // an unclosed header: not the store's
            topLevel = line.topLevel = opensTopLevel(header);
        } else if (some && equals < 0) {
            m_rewritable = false; // a stray line: not settings
        } else if (some && topLevel) {
            line.key = unescapedKey(alone.mid(start, equals - start).trimmed()).value_or(QString());
        }
        m_lines << line;
    }
}

IniValue IniText::value(const QString& key) const
{
    if (m_uncertain)
        return {IniValue::Declined, {}};
    IniValue found;
    for (const auto& [name, text] : m_read) {
        if (name == key) {
            const std::optional<QString> string = iniString(text);
            found = string ? IniValue{IniValue::String, *string} : IniValue{IniValue::Declined, {}};
        } else if (normalizedKey(name) == key) {
            return {IniValue::Declined, {}}; // a key QSettings may take for this one
        }
    }
    return found;
}

qsizetype IniText::lastOf(const QString& key) const
{
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i)
        if (m_lines[i].topLevel && m_lines[i].key == key)
            return i;
    return -1;
}

void IniText::setString(const QString& key, const QString& value)
{
    m_written.append({key, value});
    const QByteArray text = key.toUtf8() + '=' + iniStringValue(value);
    const qsizetype at = lastOf(key);
    if (at >= 0 && m_lines[at].text == text)
        return; // as the file holds it: nothing to rewrite
    if (at >= 0) {
        m_lines[at].text = text;
        for (qsizetype i = at - 1; i >= 0; --i)
            if (m_lines[i].topLevel && m_lines[i].key == key)
                m_lines.removeAt(i);
    } else {
        // After the top level's last header or value, under a header made
        // first when it has none.
        qsizetype last = -1;
        for (qsizetype i = 0; i < m_lines.size(); ++i)
            if (m_lines[i].topLevel && (!m_lines[i].key.isEmpty() || m_lines[i].text.trimmed().startsWith('[')))
                last = i;
        if (last < 0) {
            m_lines.prepend({"[General]", true, {}});
            last = 0;
        }
        m_lines.insert(last + 1, {text, true, key});
    }
    m_changed = true;
}

void IniText::remove(const QString& key)
{
    for (qsizetype at = lastOf(key); at >= 0; at = lastOf(key)) {
        m_lines.removeAt(at);
        m_changed = true;
    }
}

std::optional<QByteArray> IniText::rewritten() const
{
    if (!m_changed || !m_rewritable)
        return std::nullopt;
    // A byte-order mark glued to a line that starts with blanks makes them
    // part of its key: such a line is not read as a line of its own.
    if (!m_bom.isEmpty() && !m_lines.isEmpty() && blankThenText(m_lines.first().text))
        return std::nullopt;
    const QByteArray text = bytes();
    const IniText reread(text);
    for (const auto& [key, value] : m_written)
        if (const IniValue read = reread.value(key); read.kind != IniValue::String || read.text != value)
            return std::nullopt;
    return text;
}

QByteArray IniText::bytes() const
{
    QByteArray out = m_bom;
    for (const Line& line : m_lines)
        out += line.text + '\n';
    return out;
}

QByteArray iniStringValue(const QString& value)
{
    // A leading "@" marks a typed value; a string starting with one doubles it.
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfHexDigit && c < 0x80 && isxdigit(int(c))) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case 0: out += "\\0"; escapeNextIfHexDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\': out += '\\'; out += char(c); break;
        default:
            if (c <= 0x1F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHexDigit = true;
            } else {
                out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toUtf8();
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

