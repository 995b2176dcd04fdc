// Pages of a PDF as pictures, and what is refused.
#include "files/pdf_page.h"
#include "pdf_fixture.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <QTest>

class TestPdfPage : public QObject
{
    Q_OBJECT

private slots:
    void rendersThePage();
    void refusals_data();
    void refusals();
};

void TestPdfPage::rendersThePage()
{
    QTemporaryDir dir;
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int x = 0; x < 800; ++x)
        picture.setPixel(x, 300, qRgb(0, 0, 0));
    const QString path = dir.filePath(QStringLiteral("paper.pdf"));
    QVERIFY(writePdf(path, picture));
    QVERIFY(PdfPage::looksLikePdf(path));
    QCOMPARE(PdfPage::inspect(path).pageCount, 2);
    // 6 x 4.5 inches at 150 dpi.
    const LoadedImage page = PdfPage::render(path, 2, 150);
    QVERIFY2(!page.image.isNull(), qPrintable(page.error));
    QCOMPARE(page.image.size(), QSize(900, 675));
    QCOMPARE(page.image.format(), QImage::Format_RGB32);
    QVERIFY(qGray(page.image.pixel(450, 338)) < 128); // the line, at 1.5 times its place
    QCOMPARE(page.image.pixel(450, 100), qRgb(255, 255, 255));
}

void TestPdfPage::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");   // empty: the two-page PDF, or a 2 m page
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("error");
    QTest::newRow("page 0") << QByteArray() << 0 << 300 << QStringLiteral("The PDF has 2 page(s); there is no page 0.");
    QTest::newRow("a page beyond the last") << QByteArray() << 3 << 300 << QStringLiteral("The PDF has 2 page(s); there is no page 3.");
    QTest::newRow("a resolution too low") << QByteArray() << 1 << 10 << QStringLiteral("The resolution must be 36 to 1200 dots per inch.");
    QTest::newRow("a 2 m page at 300 dpi") << QByteArray("poster") << 1 << 300
                                           << QStringLiteral("The picture is 23621 × 23621 pixels; pictures up to 16384 × 16384 pixels load.");
    QTest::newRow("not a PDF") << QByteArray("%PDF-1.4 then nothing") << 1 << 300
                               << QStringLiteral("This is not a PDF that can be read: it may be damaged.");
    QTest::newRow("cut short") << QByteArray("cut") << 1 << 300 << QString();
}

void TestPdfPage::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, page);
    QFETCH(int, dpi);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.pdf"));
    QImage blank(80, 60, QImage::Format_RGB32);
    blank.fill(Qt::white);
    if (bytes.isEmpty() || bytes == "cut") {
        QVERIFY(writePdf(path, blank));
        if (bytes == "cut") {
            const QByteArray whole = readBytes(path);
            QVERIFY(writeBytes(path, whole.left(whole.size() / 3)));
        }
    } else if (bytes == "poster") {
        QVERIFY(writePdf(path, blank, 1, QSizeF(2000 / 25.4, 2000 / 25.4)));
    } else {
        QVERIFY(writeBytes(path, bytes));
    }
    const LoadedImage rendered = PdfPage::render(path, page, dpi);
    QVERIFY(rendered.image.isNull());
    if (error.isEmpty())
        QVERIFY(!rendered.error.isEmpty());
    else
        QCOMPARE(rendered.error, error);
}

QTEST_MAIN(TestPdfPage)
#include "tst_pdf_page.moc"
