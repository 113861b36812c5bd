#include "FakePrompts.h"


#include <QtGlobal>

int FakePrompts::MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    messages.append({text, caption, flags});
    if ((flags & 0x0F) == MB_OK)
        return IDOK;
    if (messageAnswers.empty())
        qFatal("unscripted message box: %s", qPrintable(text));
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

bool FakePrompts::RunFileDialog(TFileDialog& dialog)
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
