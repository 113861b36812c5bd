// QtPrompts: the prompts over Qt's own dialogs, with the editor's Serbian
// button texts.
#pragma once

#include "platform/system/Prompts.h"

// The real, modal dialogs over Qt's.
class QtPrompts : public Prompts
{
public:
    MessageAnswer MessageBox(const QString& text, const QString& caption, MessageKind kind) override;
    bool RunFileDialog(FileDialog& dialog) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
};

// "description|pattern|description|pattern" as a Qt name filter list.
QString qtNameFilters(const QString& filter);
