// EditHistory: the undo and redo history of the user's edits of the pages,
// one typed step per edit, replayed through each page's own change path.
#pragma once

#include "skin/SkinTable.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

// The history of the user's edits of the pages: one step an edit (a colour
// picked, a direction button, a page's "Standarno"), undone and redone by
// putting the page's values back through the page's own change path, so
// that exactly its one image and its one cell repaint. Values that code sets
// (a skin opened, a new skin, undo and redo themselves) make no step; the
// history only notes them as the page's current values.
class EditHistory
{
public:
    struct Page
    {
        QString name;                                // the page's title
        std::function<PageValue()> read;             // what the page's controls hold
        std::function<void(const PageValue&)> show;  // sets them and runs the page's handler
    };

    explicit EditHistory(std::vector<Page> pages);

    QUndoStack& stack() { return m_stack; }
    const QString& pageName(int page) const { return m_pages[size_t(page)].name; }

    // A page's handler has run: a step when the user made the change (named
    // "<page>, <what>"), else only the page's values noted.
    void changed(int page, const QString& what);
    // A change the user asked for that code carries out ("Standarno"): one
    // step from the values before `change` to those after it.
    void edit(int page, const QString& what, const std::function<void()>& change);
    // Runs `set` as code, not as the user: whatever handlers it runs make no step.
    void quietly(const std::function<void()>& set);
    // A new start (a new or opened skin): no steps, every page's values noted.
    void restart();

private:
    class Step;
    void push(int page, const QString& what);

    std::vector<Page> m_pages;
    std::vector<PageValue> m_noted;
    QUndoStack m_stack;
    int m_quiet = 0;
};
