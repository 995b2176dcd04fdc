// The main window on a 1366 x 768 laptop screen: every control reachable.
#include "app/graph_window.h"
#include "gui_helpers.h"

#include <QScreen>
#include <QScrollArea>

class TestSmallScreen : public QObject
{
    Q_OBJECT

private slots:
    void everyControlCanBeReached_data();
    void everyControlCanBeReached();
    void graphWindowFits();
};

void TestSmallScreen::everyControlCanBeReached_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"Command6", "Command7", "Text9", "Text11", "Label10", "Command1"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSmallScreen::everyControlCanBeReached()
{
    QFETCH(QString, control);
    Session s;
    MainWindow &w = *s.window;
    const QRect screen = w.screen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1366, 768));
    // The window fits the screen; its controls keep their places and sizes.
    QVERIFY(w.height() <= screen.height() && w.width() <= screen.width());
    auto *scroll = w.findChild<QScrollArea *>(QStringLiteral("scroll"));
    QVERIFY(scroll);
    QCOMPARE(w.Command6->geometry(), QRect(8, 784, 161, 25));
    QCOMPARE(w.Picture1->geometry().size(), PictureBox::BoxSize);

    // Scrolled to by the keyboard focus or the scroll bar, the control shows
    // inside the window and takes a click there.
    auto *target = w.findChild<QWidget *>(control);
    QVERIFY(target);
    target->setFocus();
    if (target->focusPolicy() == Qt::NoFocus)
        scroll->ensureWidgetVisible(target);
    QTRY_VERIFY(w.rect().contains(QRect(target->mapTo(&w, QPoint()), target->size())));
}

void TestSmallScreen::graphWindowFits()
{
    Session s;
    MainWindow &w = *s.window;
    QTest::mouseClick(w.Command8, Qt::LeftButton, {}, QPoint(10, 10));
    // Without a trace the graph window still opens, its frame shrunk to the point.
    QTRY_VERIFY(w.graphWindow() && w.graphWindow()->isVisible());
    GraphWindow *graph = w.graphWindow();
    QVERIFY(graph->height() <= graph->screen()->availableGeometry().height());
    graph->Command1->setFocus();
    QTRY_VERIFY(graph->rect().contains(QRect(graph->Command1->mapTo(graph, QPoint()), graph->Command1->size())));
    QTest::keyClick(graph->Command1, Qt::Key_Return);
    QVERIFY(!graph->isVisible());
}

QTEST_MAIN(TestSmallScreen)
#include "tst_small_screen.moc"
