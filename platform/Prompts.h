#pragma once

#include "Colors.h"

#include <QString>

#include <optional>


// Message-box flags and answers, as the editor asks its questions.
enum : unsigned {
    MB_OK = 0x00,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_ICONHAND = 0x10,
    MB_ICONQUESTION = 0x20,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// File-dialog options the editor uses.
enum : unsigned {
    ofOverwritePrompt = 0x2,
    ofHideReadOnly = 0x4,
    ofPathMustExist = 0x800,
    ofFileMustExist = 0x1000,
    ofEnableSizing = 0x800000,
};

// An open or save dialog's settings and, after a confirmed run, the chosen name.
struct TFileDialog
{
    enum Kind { Open, Save };

    explicit TFileDialog(Kind kind) : DialogKind(kind) {}
    // Runs the dialog modally through the application's prompts (the
    // widget toolkit defines it); true when the user confirmed a name, which
    // is then in FileName.
    bool Execute();

    Kind DialogKind;
    QString Filter;  // "description|pattern"
    unsigned Options = 0;
    QString InitialDir;
    QString FileName;
};

struct TOpenDialog : TFileDialog
{
    TOpenDialog() : TFileDialog(Open) {}
};

struct TSaveDialog : TFileDialog
{
    TSaveDialog() : TFileDialog(Save) {}
};

// Everything modal the editor asks of the user. The application owns one;
// tests install a scripted fake in its place.
class Prompts
{
public:
    virtual ~Prompts() = default;
    // MB_YESNOCANCEL answers IDYES, IDNO or IDCANCEL (closing the box is
    // IDCANCEL); MB_YESNO answers IDYES or IDNO (closing the box is IDNO);
    // Yes is the default. MB_OK answers IDOK.
    virtual int MessageBox(const QString& text, const QString& caption, unsigned flags) = 0;
    virtual bool RunFileDialog(TFileDialog& dialog) = 0;
    // The colour dialog preset with `initial`; nothing when cancelled.
    virtual std::optional<TColor> ChooseColor(TColor initial) = 0;
};
