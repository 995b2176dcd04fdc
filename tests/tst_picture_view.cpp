// The picture area's view: surface <-> view positions at a zoom and pan.
#include "digitize/picture_view.h"

#include <QTest>

class TestPictureView : public QObject
{
    Q_OBJECT

private slots:
    void presses_data();
    void presses();
    void zoomKeepsThePointUnderThePointer_data();
    void zoomKeepsThePointUnderThePointer();
    void limits();
};

void TestPictureView::presses_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QPointF>("view");
    QTest::addColumn<QPointF>("surface");
    QTest::newRow("specified: the pixel pressed") << 1.0 << QPointF() << QPointF(20.7, 150.2) << QPointF(20, 150);
    QTest::newRow("4x: a quarter pixel") << 4.0 << QPointF(100, 50) << QPointF(41, 10) << QPointF(110.25, 52.5);
    QTest::newRow("panned at 1x: the point, fractions kept") << 1.0 << QPointF(300, 0) << QPointF(20.5, 3) << QPointF(320.5, 3);
    QTest::newRow("fitted, half size") << 0.5 << QPointF(0, -10) << QPointF(101, 21) << QPointF(202, 32);
}

void TestPictureView::presses()
{
    QFETCH(double, zoom);
    QFETCH(QPointF, origin);
    QFETCH(QPointF, view);
    QFETCH(QPointF, surface);
    const PictureView v{zoom, origin};
    QCOMPARE(v.pressAt(view), surface);
    if (!v.isSpecified())
        QCOMPARE(v.toView(surface), view); // and back
}

void TestPictureView::zoomKeepsThePointUnderThePointer_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<QPointF>("anchor");
    QTest::newRow("in at the middle") << 1.25 << QPointF(500, 400);
    QTest::newRow("in at a corner") << 1.25 * 1.25 << QPointF(990, 10);
    QTest::newRow("out") << 0.8 << QPointF(200, 600);
}

void TestPictureView::zoomKeepsThePointUnderThePointer()
{
    QFETCH(double, factor);
    QFETCH(QPointF, anchor);
    const QSize surface(8000, 6000);
    const QSize view(1005, 805);
    const PictureView start{2, QPointF(3000, 2000)};
    const PictureView zoomed = start.zoomedAbout(anchor, factor, surface, view);
    QCOMPARE(zoomed.zoom, 2 * factor);
    const QPointF before = start.toSurface(anchor);
    const QPointF after = zoomed.toSurface(anchor);
    QVERIFY(std::abs(before.x() - after.x()) < 1e-9 && std::abs(before.y() - after.y()) < 1e-9);
}

void TestPictureView::limits()
{
    const QSize big(8000, 6000);
    const QSize view(1005, 805);
    // Never beyond 16x, never below the whole picture.
    QCOMPARE(PictureView{}.zoomedAbout(QPointF(), 1000, big, view).zoom, PictureView::MaxZoom);
    const double fit = PictureView::fitZoom(big, view);
    QCOMPARE(fit, 1005.0 / 8000);
    QCOMPARE(PictureView{}.zoomedAbout(QPointF(), 0.001, big, view).zoom, fit);
    // Fitted: the whole picture, centred across the spare height.
    const PictureView whole = PictureView::fitted(big, view);
    QCOMPARE(whole.toView(QPointF(0, 0)).x(), 0.0);
    QVERIFY(std::abs(whole.toView(QPointF(0, 6000)).y() + whole.toView(QPointF(0, 0)).y() - 805) < 1e-9);
    // A picture that fits stays at the top left in actual size, however panned.
    const QSize small(640, 480);
    QVERIFY(PictureView{}.pannedBy(QPointF(-50, -50), small, view).isSpecified());
    QCOMPARE(PictureView::fitZoom(small, view), 1.0);
    // A larger one pans no further than its edges.
    QCOMPARE(PictureView{}.pannedBy(QPointF(100, 100), big, view).origin, QPointF(0, 0));
    QCOMPARE(PictureView{}.pannedBy(QPointF(-1e6, -1e6), big, view).origin, QPointF(8000 - 1005, 6000 - 805));
}

QTEST_GUILESS_MAIN(TestPictureView)
#include "tst_picture_view.moc"
