#include "app/key_table.h"

#include "app/language.h"
#include "app/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QUndoStack>
#include "app/picture_box.h"
#include "app/precision_aids.h"

namespace {

KeyBinding key(const QKeySequence &sequence, const char *japanese, const QString &english,
               std::function<void(MainWindow &)> run)
{
    const QString name = sequence.toString(QKeySequence::PortableText);
    return {name, name, sequence, japanese, english, std::move(run)};
}

KeyBinding stackKey(KeyBinding binding, KeyBinding::Stack stack)
{
    binding.stack = stack;
    return binding;
}

} // namespace

const std::vector<KeyBinding> &keyTable()
{
    static const std::vector<KeyBinding> table{
        key(QKeySequence(Qt::CTRL | Qt::Key_L), QT_TRANSLATE_NOOP("Keys", "ルーペ"), QStringLiteral("loupe"),
            [](MainWindow &w) { w.aids()->toggleLoupe(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_G), QT_TRANSLATE_NOOP("Keys", "校正の格子"), QStringLiteral("calibration grid"),
            [](MainWindow &w) { w.aids()->toggleGrid(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_T), QT_TRANSLATE_NOOP("Keys", "トレースした画素"), QStringLiteral("trace overlay"),
            [](MainWindow &w) { w.aids()->toggleTraceOverlay(); }),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QT_TRANSLATE_NOOP("Keys", "トレースをコピー"),
            QStringLiteral("copy the trace"), &MainWindow::copyTrace),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QT_TRANSLATE_NOOP("Keys", "校正を保存"),
            QStringLiteral("save the calibration"), &MainWindow::saveCalibration),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), QT_TRANSLATE_NOOP("Keys", "校正を開く"),
            QStringLiteral("open a calibration"), &MainWindow::openCalibration),
        key(QKeySequence(Qt::CTRL | Qt::Key_O), QT_TRANSLATE_NOOP("Keys", "画像または PDF を開く"),
            QStringLiteral("open a picture or a page of a PDF"), &MainWindow::openPicture),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), QT_TRANSLATE_NOOP("Keys", "English と日本語を切り替える"),
            QStringLiteral("switch between English and Japanese"), &MainWindow::switchLanguage),
        key(QKeySequence(Qt::CTRL | Qt::Key_K), QT_TRANSLATE_NOOP("Keys", "軸を見つけて校正する"),
            QStringLiteral("find the axes and calibrate from them"), &MainWindow::findAxesOfPicture),
        key(QKeySequence(Qt::CTRL | Qt::Key_F), QT_TRANSLATE_NOOP("Keys", "次のクリックの曲線を追う"),
            QStringLiteral("follow the curve clicked next"), &MainWindow::armFollow),
        key(QKeySequence(Qt::CTRL | Qt::Key_E), QT_TRANSLATE_NOOP("Keys", "除外する範囲をドラッグで描く"),
            QStringLiteral("drag a rectangle in which nothing is traced"), &MainWindow::armExclusion),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), QT_TRANSLATE_NOOP("Keys", "除外範囲をすべて消す"),
            QStringLiteral("remove the exclusion rectangles"), &MainWindow::clearExclusions),
        key(QKeySequence(Qt::CTRL | Qt::Key_Plus), QT_TRANSLATE_NOOP("Keys", "拡大"), QStringLiteral("zoom in"),
            [](MainWindow &w) { w.Picture1->zoomBy(PictureView::Step); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_Minus), QT_TRANSLATE_NOOP("Keys", "縮小"), QStringLiteral("zoom out"),
            [](MainWindow &w) { w.Picture1->zoomBy(1 / PictureView::Step); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_0), QT_TRANSLATE_NOOP("Keys", "画像全体を表示"), QStringLiteral("show the whole picture"),
            [](MainWindow &w) { w.Picture1->showWhole(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_1), QT_TRANSLATE_NOOP("Keys", "原寸・左上 (元の表示)"),
            QStringLiteral("actual size from the top left, as at start"), [](MainWindow &w) { w.Picture1->showActualSize(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_D), QT_TRANSLATE_NOOP("Keys", "データセットの一覧"), QStringLiteral("the datasets"),
            &MainWindow::showDatasetsWindow),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), QT_TRANSLATE_NOOP("Keys", "クリックで点を集める (入/切)"),
            QStringLiteral("collect points by clicking, on or off"), &MainWindow::toggleCollection),
        key(QKeySequence(Qt::Key_Delete), QT_TRANSLATE_NOOP("Keys", "選んだ点を削除"), QStringLiteral("delete the chosen point"),
            &MainWindow::deleteSelectedPoint),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), QT_TRANSLATE_NOOP("Keys", "選んだ列を直線で結ぶ"),
            QStringLiteral("draw the chosen columns of a curve straight"), &MainWindow::interpolateChosenColumns),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X), QT_TRANSLATE_NOOP("Keys", "データセットを書き出す"),
            QStringLiteral("export all datasets"), &MainWindow::exportDatasets),
        stackKey(key(QKeySequence(Qt::CTRL | Qt::Key_Z), QT_TRANSLATE_NOOP("Keys", "元に戻す"), QStringLiteral("undo"), &MainWindow::undo),
                 KeyBinding::Stack::Undo),
        stackKey(key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QT_TRANSLATE_NOOP("Keys", "やり直す"), QStringLiteral("redo"),
                     &MainWindow::redo),
                 KeyBinding::Stack::Redo),
        stackKey(key(QKeySequence(Qt::CTRL | Qt::Key_Y), QT_TRANSLATE_NOOP("Keys", "やり直す"), QStringLiteral("redo"), &MainWindow::redo),
                 KeyBinding::Stack::Redo),
        {QStringLiteral("Alt+arrow"), QCoreApplication::translate("Keys", "Alt+矢印"), QKeySequence(),
         QT_TRANSLATE_NOOP("Keys", "最後の点を 1 画素動かす; Shift と共に 10 画素"),
         QStringLiteral("move the last placed point by 1 pixel; with Shift by 10"), nullptr, true},
        key(QKeySequence(Qt::CTRL | Qt::Key_V), QT_TRANSLATE_NOOP("Keys", "画像を貼り付け"), QStringLiteral("paste a picture"),
            &MainWindow::pastePicture),
        key(QKeySequence(Qt::Key_F1), QT_TRANSLATE_NOOP("Keys", "この一覧"), QStringLiteral("these keys"), &MainWindow::showKeys),
    };
    return table;
}

QString keyListText()
{
    // Japanese with the English beside it; in English the English alone.
    const bool english = Language::isEnglish();
    QString text = QCoreApplication::translate("Keys", "キー操作 (Keys)") + QStringLiteral("\n\n");
    for (const KeyBinding &k : keyTable()) {
        const QString shown = k.name == QStringLiteral("Alt+arrow") ? QCoreApplication::translate("Keys", "Alt+矢印") : k.shownName;
        const QString description = QCoreApplication::translate("Keys", k.japanese);
        if (english)
            text += shown + u'\t' + description + u'\n';
        else
            text += shown + u'\t' + description + (k.englishBelow ? QStringLiteral("\n\t(") : QStringLiteral(" ("))
                + k.english + QStringLiteral(")\n");
    }
    text.chop(1);
    return text;
}

std::vector<QAction *> keyActions(MainWindow &window)
{
    std::vector<QAction *> actions;
    QUndoStack *stack = window.undoStack();
    for (const KeyBinding &k : keyTable()) {
        if (!k.run)
            continue;
        auto *action = new QAction(QCoreApplication::translate("Keys", k.japanese), &window);
        action->setShortcut(k.sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, &window, [&window, run = k.run] { run(window); });
        if (k.stack != KeyBinding::Stack::None) {
            const bool undo = k.stack == KeyBinding::Stack::Undo;
            const QString base = action->text();
            const auto follow = [action, stack, undo, base] {
                const QString step = undo ? stack->undoText() : stack->redoText();
                action->setToolTip(step.isEmpty() ? base : base + QStringLiteral(": ") + step);
            };
            QObject::connect(stack, &QUndoStack::indexChanged, action, follow);
            QObject::connect(stack, &QUndoStack::cleanChanged, action, follow);
            follow();
        }
        actions.push_back(action);
    }
    return actions;
}
