#pragma once

#include "document/dataset.h"

#include <QWidget>

#include <vector>

class QListWidget;
class QPushButton;

// Ctrl+D: the figure's datasets, a line each (name, kind, point count, in
// its colour), and the buttons to add, rename and delete them. Choosing a
// line makes it the current dataset: traces fill a current curve, clicks in
// collection mode add to a current point set. A tool window beside the main
// window, never over the picture unless moved there.
class DatasetsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DatasetsWindow(QWidget *parent);

    // Shows the datasets as they are now.
    void showDatasets(const std::vector<Dataset> &datasets, int current);

    QListWidget *list() const { return m_list; }

signals:
    void addRequested(DatasetKind kind);
    void renameRequested(int index, const QString &name);
    void deleteRequested(int index);
    void currentChosen(int index);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QListWidget *m_list;
    bool m_filling = false;
};
