#include "document/work_state.h"
#include "output/data_file.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

WorkState tracedState(const QList<QPair<double, double>> &points)
{
    WorkState state;
    state.PointCount = int(points.size());
    for (int k = 1; k <= points.size(); ++k) {
        state.Points[0][size_t(k)] = points[k - 1].first;
        state.Points[1][size_t(k)] = points[k - 1].second;
    }
    return state;
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    // Every check here runs under a comma-decimal locale: the files and the
    // typed numbers keep "." whatever the user's locale says.
    void initTestCase() { QVERIFY2(useCommaLocale(), "the de_DE.UTF-8 locale is not installed (scripts/deps.sh makes it)"); }
    void bytes_data();
    void bytes();
    void unsetCountWritesEmptyLine();
    void entriesAboveTheCountAreNotWritten();
    void path();
    void saveWritesAndReplaces();
    void failedSaveKeepsTheOldFile();
    void failedSaveReportsTheReason_data();
    void failedSaveReportsTheReason();
};

void TestDataFile::bytes_data()
{
    using Points = QList<QPair<double, double>>;
    QTest::addColumn<Points>("points");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("count 0") << Points{} << QByteArray(" 0 \r\n");
    QTest::newRow("one point") << Points{{12.5, 0.25}} << QByteArray(" 1 \r\n 12.5 ,  0.25 \r\n");
    QTest::newRow("negative X") << Points{{-1.5, 2}} << QByteArray(" 1 \r\n-1.5 ,  2 \r\n");
    QTest::newRow("negative Y") << Points{{1, -2}} << QByteArray(" 1 \r\n 1 , -2 \r\n");
    QTest::newRow("general number forms")
        << Points{{0.00001, 0.0001}, {1.0 / 3.0, 99.0}}
        << QByteArray(" 2 \r\n 1E-05 ,  0.0001 \r\n 0.333333333333333 ,  99 \r\n");
}

void TestDataFile::bytes()
{
    using Points = QList<QPair<double, double>>;
    QFETCH(Points, points);
    QFETCH(QByteArray, expected);
    QCOMPARE(dataFileBytes(tracedState(points)), expected);
}

void TestDataFile::unsetCountWritesEmptyLine()
{
    QCOMPARE(dataFileBytes(WorkState{}), QByteArray("\r\n"));
}

void TestDataFile::entriesAboveTheCountAreNotWritten()
{
    WorkState state = tracedState({{1, 2}, {3, 4}, {5, 6}});
    state.PointCount = 1;
    QCOMPARE(dataFileBytes(state), QByteArray(" 1 \r\n 1 ,  2 \r\n"));
}

void TestDataFile::path()
{
    QCOMPARE(dataFilePath(QStringLiteral("/data"), QStringLiteral("result.csv")),
             QStringLiteral("/data/result.csv.csv"));
    QCOMPARE(dataFilePath(QStringLiteral("/"), QStringLiteral("a")), QStringLiteral("//a.csv"));
}

void TestDataFile::saveWritesAndReplaces()
{
    QTemporaryDir dir;
    const QString path = dataFilePath(dir.path(), QStringLiteral("curve"));
    QCOMPARE(saveDataFile(path, dataFileBytes(tracedState({{1, 2}, {3, 4}}))), std::nullopt);
    QCOMPARE(readBytes(path), QByteArray(" 2 \r\n 1 ,  2 \r\n 3 ,  4 \r\n"));
    QCOMPARE(saveDataFile(path, dataFileBytes(tracedState({{5, 6}}))), std::nullopt);
    QCOMPARE(readBytes(path), QByteArray(" 1 \r\n 5 ,  6 \r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("curve.csv")});
}

void TestDataFile::failedSaveKeepsTheOldFile()
{
    // A name so long that the temporary file beside it can't be created: the
    // write fails although the target itself exists (root ignores permissions).
    QTemporaryDir dir;
    const QString path = dataFilePath(dir.path(), QString(250, u'n'));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old content\r\n");
    }
    const auto error = saveDataFile(path, dataFileBytes(tracedState({{1, 2}})));
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    QCOMPARE(readBytes(path), QByteArray("old content\r\n"));
}

void TestDataFile::failedSaveReportsTheReason_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("folder vanished") << QStringLiteral("gone/curve.csv");
    QTest::newRow("parent is a regular file") << QStringLiteral("plain/curve.csv");
    QTest::newRow("name with a slash") << QStringLiteral("a/b.csv");
    QTest::newRow("target is a folder") << QStringLiteral("folder.csv");
}

void TestDataFile::failedSaveReportsTheReason()
{
    QFETCH(QString, relativePath);
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));

    const auto error = saveDataFile(dir.filePath(relativePath), dataFileBytes(tracedState({{1, 2}})));
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("plain"))), QByteArray());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder.csv"))).isDir());
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_data_file.moc"
