#include "app/Utf8LocaleCodec.h"

#include <QTextCodec>
#include <QTextDecoder>
#include <QTextEncoder>
#include <QtTest>

// The codec stands in for Qt's own UTF-8 codec as the locale codec of
// kelmora-telemetry: file names and arguments must convert exactly as before.
class TestLocaleCodec : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void namesUtf8_data();
    void namesUtf8();
    void environmentOrder_data();
    void environmentOrder();
    void decodesAsQt_data();
    void decodesAsQt();
    void encodesAsQt_data();
    void encodesAsQt();
    void piecesJoinUp();

private:
    // Qt's UTF-8 codec, taken before ours registers under the same name.
    QTextCodec *m_qt = nullptr;
    QTextCodec *m_ours = nullptr;
};

void TestLocaleCodec::initTestCase()
{
    m_qt = QTextCodec::codecForName("UTF-8");
    QVERIFY(m_qt);
    m_ours = new Utf8LocaleCodec; // owned by Qt
    QVERIFY(m_ours != m_qt);
}

void TestLocaleCodec::namesUtf8_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("C.UTF-8") << QByteArray("C.UTF-8") << true;
    QTest::newRow("lower case, no dash") << QByteArray("en_US.utf8") << true;
    QTest::newRow("with a modifier") << QByteArray("de_DE.UTF-8@euro") << true;
    QTest::newRow("underscore") << QByteArray("fr_FR.Utf_8") << true;
    QTest::newRow("other character set") << QByteArray("ru_RU.KOI8-R") << false;
    QTest::newRow("UTF-16") << QByteArray("xx_XX.UTF-16") << false;
    QTest::newRow("no character set") << QByteArray("en_US") << false;
    QTest::newRow("modifier names it only") << QByteArray("en_US@utf8") << false;
    QTest::newRow("C") << QByteArray("C") << false;
    QTest::newRow("bare name") << QByteArray("UTF-8") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestLocaleCodec::namesUtf8()
{
    QFETCH(QByteArray, locale);
    QFETCH(bool, utf8);
    QCOMPARE(Utf8LocaleCodec::namesUtf8(locale), utf8);
}

void TestLocaleCodec::environmentOrder_data()
{
    QTest::addColumn<QByteArray>("all");
    QTest::addColumn<QByteArray>("ctype");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<bool>("utf8");
    // The first one set decides, as in the C library; set but empty is unset.
    QTest::newRow("LANG alone") << QByteArray() << QByteArray() << QByteArray("C.UTF-8") << true;
    QTest::newRow("LC_CTYPE over LANG")
        << QByteArray() << QByteArray("ru_RU.KOI8-R") << QByteArray("C.UTF-8") << false;
    QTest::newRow("LC_ALL over both")
        << QByteArray("en_US.UTF-8") << QByteArray("C") << QByteArray("C") << true;
    QTest::newRow("LC_ALL to C") << QByteArray("C") << QByteArray() << QByteArray("C.UTF-8")
                                 << false;
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << false;
}

void TestLocaleCodec::environmentOrder()
{
    QFETCH(QByteArray, all);
    QFETCH(QByteArray, ctype);
    QFETCH(QByteArray, lang);
    QFETCH(bool, utf8);
    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_CTYPE"), qgetenv("LANG")};
    qputenv("LC_ALL", all);
    qputenv("LC_CTYPE", ctype);
    qputenv("LANG", lang);
    const bool answer = Utf8LocaleCodec::environmentNamesUtf8();
    qputenv("LC_ALL", saved[0]);
    qputenv("LC_CTYPE", saved[1]);
    qputenv("LANG", saved[2]);
    QCOMPARE(answer, utf8);
}

void TestLocaleCodec::decodesAsQt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << QByteArray("/media/sd card/2023_0501_120000_F.MOV");
    QTest::newRow("CJK and accents") << QByteArray("路线 B/été.mp4");
    QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x9A\x97.mp4");
    QTest::newRow("byte order mark first") << QByteArray("\xEF\xBB\xBF"
                                                         "a.mp4");
    QTest::newRow("byte order mark later") << QByteArray("a\xEF\xBB\xBF.mp4");
    QTest::newRow("Latin-1 bytes") << QByteArray("caf\xE9 \xFC.mp4");
    QTest::newRow("cut at the end") << QByteArray("a\xE8\xB7");
    QTest::newRow("lone continuation") << QByteArray("a\x80\xBF z");
    QTest::newRow("overlong") << QByteArray("\xC0\xAF\xE0\x80\xAF");
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80x");
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
    QTest::newRow("replacement character") << QByteArray("\xEF\xBF\xBD");
    QTest::newRow("empty") << QByteArray();
}

void TestLocaleCodec::decodesAsQt()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(m_ours->toUnicode(bytes), m_qt->toUnicode(bytes));
}

void TestLocaleCodec::encodesAsQt_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << QStringLiteral("2023_0501_120000_F.MOV");
    QTest::newRow("CJK and accents") << QStringLiteral("路线 B/été");
    QTest::newRow("surrogate pair") << QString::fromUtf8("\xF0\x9F\x9A\x97");
    QTest::newRow("lone high surrogate inside") << QString(QChar(0xD83D)) + "a";
    QTest::newRow("lone high surrogate at the end") << "a" + QString(QChar(0xD83D));
    QTest::newRow("lone low surrogate") << "a" + QString(QChar(0xDE97)) + "?";
    QTest::newRow("noncharacter") << QString(QChar(0xFFFE));
    QTest::newRow("empty") << QString();
}

void TestLocaleCodec::encodesAsQt()
{
    QFETCH(QString, text);
    QCOMPARE(m_ours->fromUnicode(text), m_qt->fromUnicode(text));
}

void TestLocaleCodec::piecesJoinUp()
{
    // A stream of text cut anywhere (inside a sequence, inside a surrogate
    // pair) converts as the whole does.
    const QByteArray bytes("\xEF\xBB\xBF"
                           "路线 \xF0\x9F\x9A\x97 été \xFF end");
    const QString whole = m_qt->toUnicode(bytes);
    for (int piece = 1; piece <= 5; ++piece) {
        QTextDecoder decoder(m_ours);
        QString text;
        for (int at = 0; at < bytes.size(); at += piece)
            text += decoder.toUnicode(bytes.mid(at, piece));
        QCOMPARE(text, whole);
        QVERIFY(decoder.hasFailure());
    }
    const QString source = whole;
    for (int piece = 1; piece <= 3; ++piece) {
        QTextEncoder encoder(m_ours, QTextCodec::IgnoreHeader);
        QByteArray encoded;
        for (int at = 0; at < source.size(); at += piece)
            encoded += encoder.fromUnicode(source.mid(at, piece));
        QCOMPARE(encoded, source.toUtf8());
    }
}

QTEST_GUILESS_MAIN(TestLocaleCodec)
#include "tst_localecodec.moc"
