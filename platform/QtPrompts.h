#pragma once

#include "Prompts.h"

// The real, modal dialogs over Qt's.
class QtPrompts : public Prompts
{
public:
    int MessageBox(const QString& text, const QString& caption, unsigned flags) override;
    bool RunFileDialog(TFileDialog& dialog) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
};

// "description|pattern|description|pattern" as a Qt name filter list.
QString qtNameFilters(const QString& filter);
