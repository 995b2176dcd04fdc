// The main window's precision aids: the loupe, the calibration grid, the
// trace overlay, copying the trace, the calibration file and nudging the
// last placed point. Each is switched by its key and off at start; all
// drawing is an overlay, never part of the surface the trace reads.
#include "app/main_window.h"

#include "app/file_lists.h"
#include "app/loupe.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/picture_overlays.h"
#include "calibration/number_text.h"
#include "files/calibration_file.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace {

const QString CalibrationFilter = QStringLiteral("Curvix calibration (*.json);;All files (*)");

// Alt+arrow keys move the last placed point by this many pixels; with Shift by ten.
constexpr int NudgeStep = 1;
constexpr int LongNudgeStep = 10;

} // namespace

// Handles Alt+arrow keys for the window before the focused control sees them.
class NudgeKeys : public QObject
{
public:
    NudgeKeys(MainWindow *window, std::function<void(int, int)> nudge)
        : QObject(window)
        , m_window(window)
        , m_nudge(std::move(nudge))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers != Qt::AltModifier && modifiers != (Qt::AltModifier | Qt::ShiftModifier))
            return false;
        // Edit boxes keep their keys; a drive list keeps Alt+Down, which opens it.
        const QWidget *focus = QApplication::focusWidget();
        if (qobject_cast<const QLineEdit *>(focus) || qobject_cast<const QComboBox *>(focus))
            return false;
        const int step = modifiers & Qt::ShiftModifier ? LongNudgeStep : NudgeStep;
        switch (key->key()) {
        case Qt::Key_Left:
            m_nudge(-step, 0);
            return true;
        case Qt::Key_Right:
            m_nudge(step, 0);
            return true;
        case Qt::Key_Up:
            m_nudge(0, -step);
            return true;
        case Qt::Key_Down:
            m_nudge(0, step);
            return true;
        default:
            return false;
        }
    }

private:
    MainWindow *m_window;
    std::function<void(int, int)> m_nudge;
};

void MainWindow::createAids()
{
    m_loupe = new Loupe(this);
    connect(Picture1, &PictureBox::hovered, this, &MainWindow::updateLoupe);
    connect(Picture1, &PictureBox::left, m_loupe, &QWidget::hide);

    m_gridOverlay = Picture1->addOverlay(
        [this](QPainter &painter) { paintCalibrationGrid(painter, calibration(), cornersCaptured()); });
    m_traceOverlay = Picture1->addOverlay([this](QPainter &painter) {
        paintTraceMarks(painter, m_tracedFirstColumn, m_state.pickedRows());
    });
    // The grid follows every change of the values and the scale at once.
    for (QLineEdit *value : {Text1, Text2, Text3, Text4})
        connect(value, &QLineEdit::textChanged, Picture1, &PictureBox::overlayChanged);
    for (QRadioButton *option : {Option1, Option2, Option3})
        connect(option, &QRadioButton::toggled, Picture1, &PictureBox::overlayChanged);

    const std::pair<QKeySequence, void (MainWindow::*)()> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_L), &MainWindow::toggleLoupe},
        {QKeySequence(Qt::CTRL | Qt::Key_G), &MainWindow::toggleGrid},
        {QKeySequence(Qt::CTRL | Qt::Key_T), &MainWindow::toggleTraceOverlay},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &MainWindow::copyTrace},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &MainWindow::saveCalibration},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), &MainWindow::openCalibration},
        {QKeySequence(Qt::Key_F1), &MainWindow::showKeys},
    };
    for (const auto &[sequence, handler] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, handler);
    qApp->installEventFilter(new NudgeKeys(this, [this](int dx, int dy) { nudge(dx, dy); }));
}

bool MainWindow::isGridOn() const
{
    return Picture1->isOverlayVisible(m_gridOverlay);
}

bool MainWindow::isTraceOverlayOn() const
{
    return Picture1->isOverlayVisible(m_traceOverlay);
}

void MainWindow::forgetPicture(const QString &path)
{
    // The trace overlay belongs to the picture that was traced.
    m_picturePath = path;
    Picture1->setOverlayVisible(m_traceOverlay, false);
}

void MainWindow::toggleLoupe()
{
    m_loupeOn = !m_loupeOn;
    Picture1->setMouseTracking(m_loupeOn);
    if (!m_loupeOn) {
        m_loupe->hide();
        return;
    }
    const QPoint at = Picture1->mapFromGlobal(QCursor::pos()) - Picture1->contentsRect().topLeft();
    if (QRect(QPoint(), PictureSurface::Size).contains(at))
        updateLoupe(at);
}

void MainWindow::updateLoupe(QPoint pixel)
{
    if (!m_loupeOn || !isActiveWindow()) {
        m_loupe->hide();
        return;
    }
    const int r = Loupe::Radius;
    m_loupe->showAt(Picture1->rendered(QRect(pixel - QPoint(r, r), QSize(2 * r + 1, 2 * r + 1))), pixel,
                    QCursor::pos());
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_loupe)
        m_loupe->hide();
}

void MainWindow::toggleGrid()
{
    Picture1->setOverlayVisible(m_gridOverlay, !isGridOn());
}

void MainWindow::toggleTraceOverlay()
{
    Picture1->setOverlayVisible(m_traceOverlay, !isTraceOverlayOn());
}

void MainWindow::copyTrace()
{
    const int count = m_state.PointCount.value_or(0);
    if (count == 0) {
        showMessage(this, QStringLiteral("コピーするトレースがありません。先に Auto Digitize を押して下さい。\n"
                                         "(There is no trace to copy: press Auto Digitize first.)"),
                    QMessageBox::Information);
        return;
    }
    QString text;
    for (int k = 1; k <= count; ++k) {
        text += formatShortestNumber(m_state.Points[0][size_t(k)]) + u'\t'
            + formatShortestNumber(m_state.Points[1][size_t(k)]) + u'\n';
    }
    QGuiApplication::clipboard()->setText(text);
}

void MainWindow::saveCalibration()
{
    if (!cornersCaptured()) {
        showMessage(this, QStringLiteral("保存する校正がありません。始点と終点を指定して下さい。\n"
                                         "(There is no calibration to save: capture the start and end points first.)"),
                    QMessageBox::Information);
        return;
    }
    const QString folder = m_picturePath.isEmpty() ? Dir2->path() : QFileInfo(m_picturePath).path();
    QFileDialog dialog(this, QStringLiteral("Save calibration"), folder, CalibrationFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();

    CalibrationFile file;
    if (!m_picturePath.isEmpty())
        file.image = QFileInfo(path).dir().relativeFilePath(m_picturePath);
    file.start = {m_state.StartPixelX, m_state.StartPixelY};
    file.end = {m_state.EndPixelX, m_state.EndPixelY};
    file.values = {Text1->text(), Text2->text(), Text3->text(), Text4->text()};
    file.scale = m_state.AxisScale == AxisScale::Unset ? AxisScale::LinearLinear : m_state.AxisScale;
    file.trace = m_fileTraceOptions;
    if (const auto error = writeCalibrationFile(path, file)) {
        showMessage(this, QStringLiteral("校正ファイルを書き込めません。\n%1\n%2").arg(QDir::toNativeSeparators(path), *error),
                    QMessageBox::Critical);
    }
}

void MainWindow::openCalibration()
{
    const QString folder = m_picturePath.isEmpty() ? Dir1->path() : QFileInfo(m_picturePath).path();
    QFileDialog dialog(this, QStringLiteral("Open calibration"), folder, CalibrationFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();

    const CalibrationFileRead read = readCalibrationFile(path);
    QString problem = read.error;
    if (read.file) {
        const QRect surface(QPoint(), PictureSurface::Size);
        for (const CornerPixel &corner : {read.file->start, read.file->end}) {
            if (!surface.contains(QPoint(int(corner.x), int(corner.y))))
                problem = QStringLiteral("a corner pixel (%1, %2) lies outside the picture area of %3 × %4")
                              .arg(corner.x)
                              .arg(corner.y)
                              .arg(surface.width())
                              .arg(surface.height());
        }
    }
    if (!problem.isEmpty()) {
        showMessage(this, QStringLiteral("校正ファイルを読み込めません。\n%1\n%2").arg(QDir::toNativeSeparators(path), problem),
                    QMessageBox::Warning);
        return;
    }
    const CalibrationFile &file = *read.file;

    if (!file.image.isEmpty()) {
        const QString image = QFileInfo(QFileInfo(path).dir(), file.image).filePath();
        if (QFileInfo(image).isFile()) {
            loadPictureFile(image);
        } else {
            showMessage(this,
                        QStringLiteral("校正ファイルの画像が見つかりません。始点、終点と座標の値は読み込みました。\n%1\n"
                                       "(The calibration's picture was not found; its corners and values were loaded.)")
                            .arg(QDir::toNativeSeparators(image)),
                        QMessageBox::Warning);
        }
    }
    setCorner(true, file.start.x, file.start.y);
    setCorner(false, file.end.x, file.end.y);
    const std::array<QLineEdit *, 4> fields{Text1, Text2, Text3, Text4};
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(file.values[i]);
    const std::array<QRadioButton *, 3> options{Option1, Option2, Option3};
    options[size_t(file.scale) - 1]->setChecked(true);
    m_fileTraceOptions = file.trace;
    Command5->setFocus();
}

void MainWindow::nudge(int dx, int dy)
{
    if (m_lastPlaced == Placed::Nothing)
        return;
    // Exactly what a press at the new pixel does, without moving the focus.
    const QPoint to(std::clamp(m_lastPixel.x() + dx, 0, PictureSurface::Size.width() - 1),
                    std::clamp(m_lastPixel.y() + dy, 0, PictureSurface::Size.height() - 1));
    if (m_lastPlaced == Placed::Point)
        digitizePoint(float(to.x()), float(to.y()));
    else
        setCorner(m_lastPlaced == Placed::StartPoint, float(to.x()), float(to.y()));
}

void MainWindow::showKeys()
{
    showMessage(this, QStringLiteral("キー操作 (Keys)\n\n"
                                     "Ctrl+L\tルーペ (loupe)\n"
                                     "Ctrl+G\t校正の格子 (calibration grid)\n"
                                     "Ctrl+T\tトレースした画素 (trace overlay)\n"
                                     "Ctrl+Shift+C\tトレースをコピー (copy the trace)\n"
                                     "Ctrl+Shift+S\t校正を保存 (save the calibration)\n"
                                     "Ctrl+Shift+O\t校正を開く (open a calibration)\n"
                                     "Alt+矢印\t最後の点を 1 画素動かす; Shift と共に 10 画素\n"
                                     "\t(move the last placed point by 1 pixel; with Shift by 10)\n"
                                     "Ctrl+V\t画像を貼り付け (paste a picture)\n"
                                     "F1\tこの一覧 (these keys)"),
                QMessageBox::Information);
}
