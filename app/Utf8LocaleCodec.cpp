#include "app/Utf8LocaleCodec.h"

#include <clocale>

namespace {

const char bom[] = "\xEF\xBB\xBF";

// Bytes at the end of bytes that begin a sequence they do not complete.
int cutSequence(const QByteArray &bytes)
{
    const int size = bytes.size();
    for (int back = 1; back <= qMin(3, size); ++back) {
        const uchar byte = uchar(bytes[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: its lead is further back
        // Only bytes that may lead a sequence wait for the rest of it.
        const int length = byte >= 0xF5 ? 1
            : byte >= 0xF0              ? 4
            : byte >= 0xE0              ? 3
            : byte >= 0xC2              ? 2
                                        : 1;
        return length > back ? back : 0;
    }
    return 0;
}

} // namespace

bool Utf8LocaleCodec::install()
{
    if (!environmentNamesUtf8()) {
        std::setlocale(LC_CTYPE, "");
        return false;
    }
    // The C library's locale stays "C": nothing that reads it runs in the
    // programs that call this. ICU, too, takes the character set from these
    // variables, even where the named locale is not installed.
    setCodecForLocale(new Utf8LocaleCodec); // owned by Qt (see the constructor)
    return true;
}

bool Utf8LocaleCodec::environmentNamesUtf8()
{
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return namesUtf8(value);
    }
    return false;
}

bool Utf8LocaleCodec::namesUtf8(const QByteArray &locale)
{
    const int dot = locale.indexOf('.');
    if (dot < 0)
        return false;
    const int at = locale.indexOf('@', dot);
    const QByteArray codeset = locale.mid(dot + 1, at < 0 ? -1 : at - dot - 1);
    // The C library compares character set names in lower case, letters and
    // digits only: "UTF-8", "utf8" and "Utf_8" are one.
    QByteArray normal;
    for (const char c : codeset) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            normal += c;
        else if (c >= 'A' && c <= 'Z')
            normal += char(c - 'A' + 'a');
    }
    return normal == "utf8";
}

QByteArray Utf8LocaleCodec::name() const
{
    return QByteArrayLiteral("UTF-8");
}

int Utf8LocaleCodec::mibEnum() const
{
    return 106;
}

// ConvertInvalidToNull is not honoured (Qt's own conversions never ask for
// it); invalid input counts in invalidChars either way.
QString Utf8LocaleCodec::convertToUnicode(const char *in, int length, ConverterState *state) const
{
    if (!state) {
        // As Qt's codec: a byte order mark opens no text.
        if (length >= 3 && qstrncmp(in, bom, 3) == 0)
            return QString::fromUtf8(in + 3, length - 3);
        return QString::fromUtf8(in, length);
    }
    QByteArray bytes;
    for (int i = 0; i < state->remainingChars; ++i)
        bytes += char(state->state_data[i]);
    bytes.append(in, length);
    const int cut = cutSequence(bytes);
    state->remainingChars = cut;
    for (int i = 0; i < cut; ++i)
        state->state_data[i] = uchar(bytes[bytes.size() - cut + i]);
    bytes.chop(cut);
    if (bytes.isEmpty())
        return QString();
    if (!(state->flags & IgnoreHeader)) {
        state->flags |= IgnoreHeader;
        if (bytes.startsWith(bom))
            bytes.remove(0, 3);
    }
    const QString text = QString::fromUtf8(bytes);
    // What was not UTF-8 became replacement characters; the text may also
    // hold some of its own.
    state->invalidChars += text.count(QChar::ReplacementCharacter) - bytes.count("\xEF\xBF\xBD");
    return text;
}

QByteArray
Utf8LocaleCodec::convertFromUnicode(const QChar *in, int length, ConverterState *state) const
{
    if (!state) {
        // As Qt's codec: a high surrogate at the very end is dropped, where
        // toUtf8 would write a question mark.
        if (length > 0 && in[length - 1].isHighSurrogate())
            --length;
        return QString::fromRawData(in, length).toUtf8();
    }
    QString text;
    if (state->remainingChars > 0)
        text += QChar(ushort(state->state_data[0]));
    text.append(in, length);
    state->remainingChars = 0;
    // A high surrogate at the end waits for its other half.
    if (!text.isEmpty() && text.at(text.size() - 1).isHighSurrogate()) {
        state->remainingChars = 1;
        state->state_data[0] = text.at(text.size() - 1).unicode();
        text.chop(1);
    }
    QByteArray bytes;
    if (!(state->flags & IgnoreHeader)) {
        state->flags |= IgnoreHeader;
        bytes = bom;
    }
    const QByteArray encoded = text.toUtf8();
    // Each lone surrogate became a question mark.
    state->invalidChars += encoded.count('?') - text.count(QLatin1Char('?'));
    return bytes + encoded;
}
