#pragma once

#include "Prompts.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

// Scripted answers for every modal question, and a record of what was asked.
class FakePrompts : public Prompts
{
public:
    struct Message
    {
        QString text;
        QString caption;
        unsigned flags;
    };

    // Answers, taken in order; an unscripted question fails the test run.
    std::deque<int> messageAnswers;
    std::deque<std::optional<QString>> fileAnswers; // nothing: the dialog is cancelled
    std::deque<std::optional<TColor>> colorAnswers;

    QList<Message> messages;
    QList<TFileDialog> dialogs; // as they stood when run
    QList<TColor> colorRequests;

    int MessageBox(const QString& text, const QString& caption, unsigned flags) override;
    bool RunFileDialog(TFileDialog& dialog) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
};
