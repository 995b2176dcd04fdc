// The English interface: every text a user reads in English, the Japanese
// default untouched, and switching while the program runs.
#include "app/datasets_window.h"
#include "app/key_table.h"
#include "app/language.h"
#include "gui_helpers.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>

namespace {

// Japanese script: kana, kanji, and the full-width forms.
bool hasJapanese(const QString &text)
{
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

QString shownText(const QWidget *widget)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    return QString();
}

void pressKey(MainWindow &w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!w.isActiveWindow())
        w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, key, modifiers);
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { Language::apply(Language::Choice::Japanese); }
    void everyTextTranslated();
    void noJapaneseInEnglish_data();
    void noJapaneseInEnglish();
    void englishMessagesAndKeys();
    void switchingWhileRunning();

private:
    QTemporaryDir m_config;
};

void TestEnglish::initTestCase()
{
    // The choice is remembered in a settings folder of the test's own.
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void TestEnglish::everyTextTranslated()
{
    QFile ts(QStringLiteral(CURVIX_SOURCE_DIR "/app/translations/curvix_en.ts"));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    const QByteArray bytes = ts.readAll();
    QVERIFY(bytes.contains("<translation>Digitizing is finished.</translation>"));
    QVERIFY2(!bytes.contains("type=\"unfinished\""), "a text has no English yet: run scripts/fill_translations.py");
    QVERIFY(!bytes.contains("type=\"vanished\"") && !bytes.contains("type=\"obsolete\""));
}

void TestEnglish::noJapaneseInEnglish_data()
{
    QTest::addColumn<QString>("control");
    Session s;
    for (const QWidget *child : s.window->findChildren<QWidget *>()) {
        if (!child->objectName().isEmpty() && !child->isWindow() && !child->objectName().startsWith(u'q'))
            QTest::newRow(qPrintable(child->objectName())) << child->objectName();
    }
}

void TestEnglish::noJapaneseInEnglish()
{
    QFETCH(QString, control);
    Language::apply(Language::Choice::English);
    Session s;
    const QWidget *widget = s.window->findChild<QWidget *>(control);
    QVERIFY(widget);
    for (const QString &text : {shownText(widget), widget->toolTip(), widget->accessibleName()})
        QVERIFY2(!hasJapanese(text), qPrintable(control + QStringLiteral(": ") + text));
}

void TestEnglish::englishMessagesAndKeys()
{
    Language::apply(Language::Choice::English);
    Session s;
    MainWindow &w = *s.window;
    QCOMPARE(w.Command3->text(), QStringLiteral("S"));
    QCOMPARE(w.Command3->accessibleName(), QStringLiteral("Start point (lower left corner)"));
    QCOMPARE(w.Label6->text(), QStringLiteral("Image file"));
    {
        MessageCatcher message;
        QTest::mouseClick(w.Command1, Qt::LeftButton); // "OK" with no file chosen
        QCOMPARE(message.text, QStringLiteral("Select a file."));
    }
    const QString keys = keyListText();
    QVERIFY2(!hasJapanese(keys), qPrintable(keys));
    QVERIFY(keys.startsWith(QStringLiteral("Keys\n\nCtrl+L\tloupe\n")));
    QVERIFY(keys.contains(QStringLiteral("Ctrl+Shift+L\tswitch between English and Japanese")));
    pressKey(w, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w.datasetsWindow()->windowTitle(), QStringLiteral("Datasets"));
}

void TestEnglish::switchingWhileRunning()
{
    Session s;
    MainWindow &w = *s.window;
    const QString japaneseCaption = w.Label7->text();
    calibrate(w, QPoint(100, 400), QPoint(300, 50), {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("10")});
    autoDigitize(w);
    const WorkState before = w.workState();
    w.Text9->setFocus();

    pressKey(w, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(Language::isEnglish());
    QCOMPARE(Language::remembered(), Language::Choice::English); // for the next start
    QTRY_COMPARE(w.Label7->text(), QStringLiteral("Save the digitized data")); // retranslated as the event loop turns
    QCOMPARE(QApplication::focusWidget(), w.Text9);
    QCOMPARE(w.Text5->text(), QStringLiteral("100"));
    QCOMPARE(w.workState().PointCount, before.PointCount);
    QVERIFY(w.workState().CurveY == before.CurveY);

    pressKey(w, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!Language::isEnglish());
    QTRY_COMPARE(w.Label7->text(), japaneseCaption);
    QCOMPARE(w.Text1->text(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), w.Text9);
}

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"
