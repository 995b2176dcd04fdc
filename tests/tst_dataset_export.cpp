// All datasets of a figure in one file: the forms, byte for byte.
#include "output/dataset_export.h"
#include "test_files.h"

#include <QTest>

namespace {

ValuedDataset curve(const QString &name, std::vector<std::pair<double, double>> points)
{
    ValuedDataset d{name, DatasetKind::Curve, 0xff1f77b4, {}};
    for (auto [x, y] : points)
        d.points.push_back({x, y});
    return d;
}

ValuedDataset pointSet(const QString &name, std::vector<std::pair<double, double>> points)
{
    ValuedDataset d = curve(name, std::move(points));
    d.kind = DatasetKind::Points;
    d.colour = 0xffff7f0e;
    return d;
}

} // namespace

class TestDatasetExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(useCommaLocale(), "the de_DE.UTF-8 locale is not installed (scripts/deps.sh makes it)"); }
    void forms_data();
    void forms();
    void formFromTheName_data();
    void formFromTheName();
};

void TestDatasetExport::forms_data()
{
    QTest::addColumn<std::vector<ValuedDataset>>("datasets");
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QByteArray>("expected");

    const std::vector<ValuedDataset> two{curve(QStringLiteral("fit"), {{0, 1.5}, {2, 3.5}}),
                                   pointSet(QStringLiteral("run 1, cold"), {{0.1, 7}, {1e-5, -2}})};
    QTest::newRow("long CSV, a name with a comma") << two << int(ExportForm::LongCsv) << int(AxisScale::LinearLinear)
                                                   << QByteArray("dataset,x,y\nfit,0,1.5\nfit,2,3.5\n\"run 1, cold\",0.1,7\n"
                                                                 "\"run 1, cold\",1e-05,-2\n");
    QTest::newRow("TSV") << two << int(ExportForm::Tsv) << int(AxisScale::LinearLinear)
                         << QByteArray("dataset\tx\ty\nfit\t0\t1.5\nfit\t2\t3.5\nrun 1, cold\t0.1\t7\nrun 1, cold\t1e-05\t-2\n");
    QTest::newRow("JSON, an empty set") << std::vector<ValuedDataset>{curve(QStringLiteral("fit \"a\""), {{1, 2}}), pointSet(QStringLiteral("none"), {})}
                                        << int(ExportForm::Json) << int(AxisScale::LinearLinear)
                                        << QByteArray("{\n  \"datasets\": [\n"
                                                      "    { \"name\": \"fit \\\"a\\\"\", \"kind\": \"curve\", \"colour\": \"#1F77B4\", \"points\": [[1, 2]] },\n"
                                                      "    { \"name\": \"none\", \"kind\": \"points\", \"colour\": \"#FF7F0E\", \"points\": [] }\n"
                                                      "  ]\n}\n");
    QTest::newRow("no datasets") << std::vector<ValuedDataset>{} << int(ExportForm::LongCsv) << int(AxisScale::LinearLinear)
                                 << QByteArray("dataset,x,y\n");
    // Two curves on the union of their X; outside a curve's range, nothing.
    QTest::newRow("wide, a shared X")
        << std::vector<ValuedDataset>{curve(QStringLiteral("a"), {{0, 0}, {2, 4}}), curve(QStringLiteral("b"), {{1, 10}, {3, 30}}),
                                pointSet(QStringLiteral("p"), {{5, 6}})}
        << int(ExportForm::WideCsv) << int(AxisScale::LinearLinear)
        << QByteArray("x,a,b,p x,p y\n0,0,,5,6\n1,2,10,,\n2,4,20,,\n3,,30,,\n");
    // On a logarithmic Y axis a curve runs straight along the logarithm: half-way from 1 to 100 is 10.
    QTest::newRow("wide, logarithmic Y")
        << std::vector<ValuedDataset>{curve(QStringLiteral("a"), {{0, 1}, {2, 100}}), curve(QStringLiteral("b"), {{1, 5}})}
        << int(ExportForm::WideCsv) << int(AxisScale::LinearLog) << QByteArray("x,a,b\n0,1,\n1,10,5\n2,100,\n");
    QTest::newRow("wide, log-log")
        << std::vector<ValuedDataset>{curve(QStringLiteral("a"), {{1, 1}, {100, 10000}}), curve(QStringLiteral("b"), {{10, 3}})}
        << int(ExportForm::WideCsv) << int(AxisScale::LogLog) << QByteArray("x,a,b\n1,1,\n10,100,3\n100,10000,\n");
}

void TestDatasetExport::forms()
{
    QFETCH(std::vector<ValuedDataset>, datasets);
    QFETCH(int, form);
    QFETCH(int, scale);
    QFETCH(QByteArray, expected);
    QCOMPARE(exportDatasets(datasets, ExportForm(form), AxisScale(scale)), expected);
}

void TestDatasetExport::formFromTheName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("form");
    QTest::newRow("csv") << QStringLiteral("all.csv") << int(ExportForm::LongCsv);
    QTest::newRow("wide") << QStringLiteral("all-wide.CSV") << int(ExportForm::WideCsv);
    QTest::newRow("tsv") << QStringLiteral("all.tsv") << int(ExportForm::Tsv);
    QTest::newRow("json") << QStringLiteral("all.json") << int(ExportForm::Json);
    QTest::newRow("anything else") << QStringLiteral("all.txt") << int(ExportForm::LongCsv);
}

void TestDatasetExport::formFromTheName()
{
    QFETCH(QString, name);
    QFETCH(int, form);
    QCOMPARE(int(exportFormFor(name)), form);
}

QTEST_GUILESS_MAIN(TestDatasetExport)
#include "tst_dataset_export.moc"
