#pragma once

#include <QPointF>

class MainWindow;

// What a press, a drag and a release on the picture do in one mode: the
// window hands each press to the tool armed by a key (exclusions, a follow
// seed), else to its standing tools in turn (collection, then the click
// modes: corners and point reads), and the drag and release to the tool that
// took the press. A new tool is a class here and the key that arms it.
class PictureTool
{
public:
    explicit PictureTool(MainWindow &window) : m_window(window) {}
    virtual ~PictureTool() = default;

    // A press at a picture position: true when this tool takes it.
    virtual bool press(QPointF at) = 0;
    virtual void drag(QPointF) {}
    virtual void release(QPointF) {}
    // An armed tool that has done its one job (after a press or a release) is put away.
    virtual bool done() const { return false; }

protected:
    MainWindow &window() const { return m_window; }

private:
    MainWindow &m_window;
};
