#pragma once

#include "platform/system/Prompts.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

// Message-box answers, in the order the boxes are shown.
using Answers = QList<MessageAnswer>;

// Scripted answers for every modal question, and a record of what was asked.
class FakePrompts : public Prompts
{
public:
    struct Message
    {
        QString text;
        QString caption;
        MessageKind kind;
    };

    // Answers, taken in order; an unscripted question fails the test run.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<QString>> fileAnswers; // nothing: the dialog is cancelled
    std::deque<std::optional<TColor>> colorAnswers;

    QList<Message> messages;
    QList<FileDialog> dialogs; // as they stood when run
    QList<TColor> colorRequests;

    MessageAnswer MessageBox(const QString& text, const QString& caption, MessageKind kind) override;
    bool RunFileDialog(FileDialog& dialog) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
};
