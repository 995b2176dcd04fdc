#include "files/settings_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void missingFileGivesDefaults();
    void writeThenRead();
    void writeFailureIsReported();
};

void TestSettingsFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    const QStringList defaults{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("100"),
                               QStringLiteral("100")};
    auto fields = [](const char *a, const char *b, const char *c, const char *d) {
        return QStringList{QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c),
                           QString::fromUtf8(d)};
    };

    QTest::newRow("four CR LF lines") << QByteArray("1\r\n2\r\n250\r\n4\r\n") << fields("1", "2", "250", "4");
    QTest::newRow("three lines give every default") << QByteArray("1\r\n2\r\n3\r\n") << defaults;
    QTest::newRow("empty file") << QByteArray() << defaults;
    QTest::newRow("a comma stays in its line") << QByteArray("1,5\r\n2\r\n3\r\n4\r\n") << fields("1,5", "2", "3", "4");
    QTest::newRow("blanks around a line dropped") << QByteArray("  7 \t\r\n2\r\n3\r\n4\r\n") << fields("7", "2", "3", "4");
    QTest::newRow("quotes removed") << QByteArray("\"abc\"\r\n2\r\n3\r\n4\r\n") << fields("abc", "2", "3", "4");
    QTest::newRow("just two quotes read as empty") << QByteArray("\"\"\r\n2\r\n3\r\n4\r\n") << fields("", "2", "3", "4");
    QTest::newRow("lone quote kept") << QByteArray("\"\r\n2\r\n3\r\n4\r\n") << fields("\"", "2", "3", "4");
    QTest::newRow("empty second line") << QByteArray("1\r\n\r\n3\r\n4\r\n") << fields("1", "", "3", "4");
    QTest::newRow("LF line ends") << QByteArray("1\n2\n3\n4\n") << fields("1", "2", "3", "4");
    QTest::newRow("CR line ends") << QByteArray("1\r2\r3\r4\r") << fields("1", "2", "3", "4");
    QTest::newRow("no final line end") << QByteArray("1\r\n2\r\n3\r\n4") << fields("1", "2", "3", "4");
    QTest::newRow("more than four lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n") << fields("1", "2", "3", "4");
    QTest::newRow("Japanese text") << QByteArray("１\r\n2\r\n3\r\n4\r\n") << fields("１", "2", "3", "4");
    QTest::newRow("invalid UTF-8") << QByteArray("\xff\xfe\r\n2\r\n3\r\n4\r\n") << fields("\xef\xbf\xbd\xef\xbf\xbd", "2", "3", "4");
    QTest::newRow("binary junk without line ends") << QByteArray("\x01\x02\x00\x7f", 4) << defaults;
    const QByteArray longLine(1024 * 1024, 'x');
    QTest::newRow("1 MB line") << longLine + "\r\n2\r\n3\r\n4\r\n"
                               << QStringList{QString::fromLatin1(longLine), QStringLiteral("2"),
                                              QStringLiteral("3"), QStringLiteral("4")};
}

void TestSettingsFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    const CornerTexts texts = parseSettings(bytes);
    QCOMPARE(QStringList(texts.begin(), texts.end()), expected);
}

void TestSettingsFile::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    const CornerTexts texts = readSettingsFile(dir.filePath(SettingsFileName));
    QCOMPARE(texts, defaultCornerTexts());
    // A folder in place of the file reads as unreadable.
    const CornerTexts fromFolder = readSettingsFile(dir.path());
    QCOMPARE(fromFolder, defaultCornerTexts());
}

void TestSettingsFile::writeThenRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(SettingsFileName);
    const CornerTexts texts{QStringLiteral("1,5"), QString(), QStringLiteral("250"), QStringLiteral("1E3")};
    QCOMPARE(writeSettingsFile(path, texts), std::nullopt);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1,5\r\n\r\n250\r\n1E3\r\n"));
    QCOMPARE(readSettingsFile(path), texts);
}

void TestSettingsFile::writeFailureIsReported()
{
    QTemporaryDir dir;
    const auto error = writeSettingsFile(dir.filePath(QStringLiteral("missing/Curvix.ini")), defaultCornerTexts());
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
