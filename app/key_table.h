#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>
#include <vector>

class MainWindow;

// One key of the main window beyond its buttons: what the F1 list and the
// README call it, the sequence that triggers it, its description, and what
// it does.
struct KeyBinding
{
    QString name;          // "Ctrl+Shift+C", as the README's key table lists it
    QString shownName;     // as the F1 list shows it
    QKeySequence sequence; // empty when a filter handles it (Alt+arrow)
    const char *japanese; // the source text, translated where shown
    QString english;
    std::function<void(MainWindow &)> run;
    bool englishBelow = false; // the F1 list puts the English on a line of its own
    // Undo and redo: enabled, and named after the step, as the undo stack says.
    enum class Stack { None, Undo, Redo } stack = Stack::None;
};

// Every key, in the order the F1 list shows them. Adding a key is a row here
// and the handler it runs.
const std::vector<KeyBinding> &keyTable();

// The text of the F1 list.
QString keyListText();

class QAction;

// The key table's actions for a window: text, shortcut and handler (undo
// and redo following the window's undo stack), so that the window, a menu
// or a toolbar can show the same actions.
std::vector<QAction *> keyActions(MainWindow &window);
