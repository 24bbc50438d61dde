#pragma once

#include <QTextCodec>

// The locale codec of a program whose locale names UTF-8: UTF-8 without ICU.
// Qt otherwise asks ICU for the locale's character set on the first
// conversion of a command-line argument or file name, and ICU's alias tables
// with the C library's locale files cost about a millisecond a process, a
// tenth of a kelmora-telemetry call. Conversions without state equal Qt's
// UTF-8 codec; with state, a sequence cut between two calls is carried over.
class Utf8LocaleCodec final : public QTextCodec
{
public:
    // Qt owns every codec made: the constructor registers it for the process.
    Utf8LocaleCodec() = default;

    // Makes one the locale codec, as the first thing the program does, when
    // the environment names a UTF-8 locale; true then. Else the C library's
    // character type is taken from the environment and Qt picks the codec,
    // as without this class.
    static bool install();
    // Whether the locale the C library would take its character set from
    // (LC_ALL, else LC_CTYPE, else LANG) names UTF-8.
    static bool environmentNamesUtf8();
    // Whether a locale name (language_TERRITORY.codeset@modifier) names UTF-8,
    // in any of the spellings the C library accepts.
    static bool namesUtf8(const QByteArray &locale);

    QByteArray name() const override;
    int mibEnum() const override;

protected:
    QString convertToUnicode(const char *in, int length, ConverterState *state) const override;
    QByteArray
    convertFromUnicode(const QChar *in, int length, ConverterState *state) const override;
};
