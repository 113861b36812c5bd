#include "tests/FakePrompts.h"

#include <QtGlobal>

MessageAnswer FakePrompts::MessageBox(const QString& text, const QString& caption, MessageKind kind)
{
    messages.append({text, caption, kind});
    if (kind == MessageKind::Error)
        return MessageAnswer::Ok;
    if (messageAnswers.empty())
        qFatal("unscripted message box: %s", qPrintable(text));
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

bool FakePrompts::RunFileDialog(FileDialog& dialog)
{
    dialogs.append(dialog);
    if (fileAnswers.empty())
        qFatal("unscripted file dialog");
    const std::optional<QString> answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer)
        return false;
    dialog.FileName = *answer;
    return true;
}

std::optional<TColor> FakePrompts::ChooseColor(TColor initial)
{
    colorRequests.append(initial);
    if (colorAnswers.empty())
        qFatal("unscripted colour dialog");
    const std::optional<TColor> answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}
