#include "app/EditHistory.h"

#include <QUndoCommand>

class EditHistory::Step : public QUndoCommand
{
public:
    Step(EditHistory& history, int page, PageValue before, PageValue after, const QString& text)
        : QUndoCommand(text), m_history(history), m_page(page), m_before(std::move(before)), m_after(std::move(after))
    {
    }

    // Pushing the step follows the edit the user has already made.
    void redo() override
    {
        if (m_done)
            apply(m_after);
        m_done = true;
    }
    void undo() override { apply(m_before); }

private:
    void apply(const PageValue& values)
    {
        m_history.quietly([&] { m_history.m_pages[size_t(m_page)].show(values); });
        m_history.m_noted[size_t(m_page)] = values;
    }

    EditHistory& m_history;
    int m_page;
    PageValue m_before;
    PageValue m_after;
    bool m_done = false;
};

EditHistory::EditHistory(std::vector<Page> pages) : m_pages(std::move(pages))
{
    restart();
}

void EditHistory::changed(int page, const QString& what)
{
    if (m_quiet)
        m_noted[size_t(page)] = m_pages[size_t(page)].read();
    else
        push(page, what);
}

void EditHistory::edit(int page, const QString& what, const std::function<void()>& change)
{
    const bool byUser = m_quiet == 0;
    PageValue before = m_noted[size_t(page)];
    quietly(change); // its handlers note the new values
    if (byUser) {
        m_noted[size_t(page)] = std::move(before);
        push(page, what);
    }
}

// A step from the values last noted to the page's values now.
void EditHistory::push(int page, const QString& what)
{
    PageValue now = m_pages[size_t(page)].read();
    PageValue before = std::exchange(m_noted[size_t(page)], now);
    m_stack.push(new Step(*this, page, std::move(before), std::move(now), pageName(page) + QStringLiteral(", ") + what));
}

void EditHistory::quietly(const std::function<void()>& set)
{
    ++m_quiet;
    try {
        set();
    } catch (...) {
        --m_quiet;
        throw;
    }
    --m_quiet;
}

void EditHistory::restart()
{
    m_stack.clear();
    m_noted.clear();
    for (const Page& page : m_pages)
        m_noted.push_back(page.read());
}
