#include "app/main_window.h"

#include "app/corner_panel.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/precision_aids.h"
#include "axes/axis_finder.h"
#include "axes/label_reader.h"

#include "app/long_task.h"

#include <cmath>

bool MainWindow::isWorking() const
{
    return m_longTask->isRunning();
}

void MainWindow::findAxesOfPicture()
{
    // Reading the labels takes a few hundred milliseconds: on a worker.
    const bool started = m_longTask->run<FoundAxes>([surface = Picture1->surface()] { return findAxesReadingLabels(surface); },
                                                    [this, picture = m_pictureShown](const FoundAxes &found) {
                                                        if (picture == m_pictureShown) // not when another picture came meanwhile
                                                            applyFoundAxes(found);
                                                    });
    if (!started)
        reportBusy();
}

void MainWindow::applyFoundAxes(const FoundAxes &found)
{
    // The scale options have no logarithmic X with a linear Y; the tracer takes it.
    const QString failure = found.scale == AxisScale::LogLinear
                                ? QStringLiteral("a logarithmic X axis with a linear Y axis is not one of the scales")
                                : found.failure;
    if (!failure.isEmpty()) {
        showMessage(this,
                    tr("軸を見つけられませんでした。何も変えていません。\n%1\n"
                       "(The axes were not found; nothing was changed.)")
                        .arg(failure),
                    QMessageBox::Warning);
        return;
    }
    // As if the corners were clicked and their values typed, as one step; the
    // grid shows at once whether they match.
    m_document->beginEdit(QStringLiteral("Find the axes"));
    setCorner(Corner::Start, float(found.start.x()), float(found.start.y()));
    setCorner(Corner::End, float(found.end.x()), float(found.end.y()));
    m_document->setValues(found.texts());
    m_document->setScale(found.scale);
    m_document->endEdit();
    // A scan turned by more than a tenth of a degree is not straightened; the user is told.
    aids()->setGridNote(std::abs(found.angle) > 0.1 ? tr("軸が %1° 傾いています (the axes are tilted by %1°)")
                                                           .arg(QString::number(found.angle, 'f', 2))
                                                     : QString());
    if (!isGridOn())
        aids()->toggleGrid();
}
