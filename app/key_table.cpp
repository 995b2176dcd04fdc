#include "app/key_table.h"

#include "app/main_window.h"
#include "app/picture_box.h"
#include "app/precision_aids.h"

namespace {

KeyBinding key(const QKeySequence &sequence, const QString &japanese, const QString &english,
               std::function<void(MainWindow &)> run)
{
    const QString name = sequence.toString(QKeySequence::PortableText);
    return {name, name, sequence, japanese, english, std::move(run)};
}

} // namespace

const std::vector<KeyBinding> &keyTable()
{
    static const std::vector<KeyBinding> table{
        key(QKeySequence(Qt::CTRL | Qt::Key_L), QStringLiteral("ルーペ"), QStringLiteral("loupe"),
            [](MainWindow &w) { w.aids()->toggleLoupe(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_G), QStringLiteral("校正の格子"), QStringLiteral("calibration grid"),
            [](MainWindow &w) { w.aids()->toggleGrid(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_T), QStringLiteral("トレースした画素"), QStringLiteral("trace overlay"),
            [](MainWindow &w) { w.aids()->toggleTraceOverlay(); }),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QStringLiteral("トレースをコピー"),
            QStringLiteral("copy the trace"), &MainWindow::copyTrace),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QStringLiteral("校正を保存"),
            QStringLiteral("save the calibration"), &MainWindow::saveCalibration),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), QStringLiteral("校正を開く"),
            QStringLiteral("open a calibration"), &MainWindow::openCalibration),
        key(QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("画像または PDF を開く"),
            QStringLiteral("open a picture or a page of a PDF"), &MainWindow::openPicture),
        key(QKeySequence(Qt::CTRL | Qt::Key_F), QStringLiteral("次のクリックの曲線を追う"),
            QStringLiteral("follow the curve clicked next"), &MainWindow::armFollow),
        key(QKeySequence(Qt::CTRL | Qt::Key_E), QStringLiteral("除外する範囲をドラッグで描く"),
            QStringLiteral("drag a rectangle in which nothing is traced"), &MainWindow::armExclusion),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), QStringLiteral("除外範囲をすべて消す"),
            QStringLiteral("remove the exclusion rectangles"), &MainWindow::clearExclusions),
        key(QKeySequence(Qt::CTRL | Qt::Key_Plus), QStringLiteral("拡大"), QStringLiteral("zoom in"),
            [](MainWindow &w) { w.Picture1->zoomBy(PictureView::Step); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_Minus), QStringLiteral("縮小"), QStringLiteral("zoom out"),
            [](MainWindow &w) { w.Picture1->zoomBy(1 / PictureView::Step); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_0), QStringLiteral("画像全体を表示"), QStringLiteral("show the whole picture"),
            [](MainWindow &w) { w.Picture1->showWhole(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_1), QStringLiteral("原寸・左上 (元の表示)"),
            QStringLiteral("actual size from the top left, as at start"), [](MainWindow &w) { w.Picture1->showActualSize(); }),
        key(QKeySequence(Qt::CTRL | Qt::Key_D), QStringLiteral("データセットの一覧"), QStringLiteral("the datasets"),
            &MainWindow::showDatasetsWindow),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), QStringLiteral("クリックで点を集める (入/切)"),
            QStringLiteral("collect points by clicking, on or off"), &MainWindow::toggleCollection),
        key(QKeySequence(Qt::Key_Delete), QStringLiteral("選んだ点を削除"), QStringLiteral("delete the chosen point"),
            &MainWindow::deleteSelectedPoint),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), QStringLiteral("選んだ列を直線で結ぶ"),
            QStringLiteral("draw the chosen columns of a curve straight"), &MainWindow::interpolateChosenColumns),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X), QStringLiteral("データセットを書き出す"),
            QStringLiteral("export all datasets"), &MainWindow::exportDatasets),
        key(QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("元に戻す"), QStringLiteral("undo"), &MainWindow::undo),
        key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QStringLiteral("やり直す"), QStringLiteral("redo"),
            &MainWindow::redo),
        key(QKeySequence(Qt::CTRL | Qt::Key_Y), QStringLiteral("やり直す"), QStringLiteral("redo"), &MainWindow::redo),
        {QStringLiteral("Alt+arrow"), QStringLiteral("Alt+矢印"), QKeySequence(),
         QStringLiteral("最後の点を 1 画素動かす; Shift と共に 10 画素"),
         QStringLiteral("move the last placed point by 1 pixel; with Shift by 10"), nullptr, true},
        key(QKeySequence(Qt::CTRL | Qt::Key_V), QStringLiteral("画像を貼り付け"), QStringLiteral("paste a picture"),
            &MainWindow::pastePicture),
        key(QKeySequence(Qt::Key_F1), QStringLiteral("この一覧"), QStringLiteral("these keys"), &MainWindow::showKeys),
    };
    return table;
}

QString keyListText()
{
    QString text = QStringLiteral("キー操作 (Keys)\n\n");
    for (const KeyBinding &k : keyTable()) {
        text += k.shownName + u'\t' + k.japanese + (k.englishBelow ? QStringLiteral("\n\t(") : QStringLiteral(" ("))
            + k.english + QStringLiteral(")\n");
    }
    text.chop(1);
    return text;
}
