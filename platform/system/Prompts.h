// Prompts: the modal questions the editor asks (message boxes, file and
// colour dialogs) as an interface the toolkit implements and tests script.
#pragma once

#include "platform/base/ColorValue.h"

#include <QString>

#include <QFlags>

#include <optional>

// The message boxes the editor shows: an error or a warning with an OK
// button, and questions answered Yes, No or Cancel, or Yes or No.
enum class MessageKind { Error, Warning, YesNoCancel, YesNo };
// The button that answered a message box.
enum class MessageAnswer { Ok, Cancel, Yes, No };

// File-dialog options the editor uses.
enum class FileDialogOption {
    OverwritePrompt = 0x1,
    HideReadOnly = 0x2,
    PathMustExist = 0x4,
    FileMustExist = 0x8,
    EnableSizing = 0x10,
};
Q_DECLARE_FLAGS(FileDialogOptions, FileDialogOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(FileDialogOptions)

// An open or save dialog's settings and, after a confirmed run, the chosen name.
struct FileDialog
{
    enum Kind { Open, Save };

    explicit FileDialog(Kind kind) : DialogKind(kind) {}

    Kind DialogKind;
    QString Filter;  // "description|pattern"
    FileDialogOptions Options;
    QString InitialDir; // a relative folder ("." too) is taken from the working folder when the dialog opens
    QString FileName;
};

struct TOpenDialog : FileDialog
{
    TOpenDialog() : FileDialog(Open) {}
};

struct TSaveDialog : FileDialog
{
    TSaveDialog() : FileDialog(Save) {}
};

// Everything modal the editor asks of the user. The application owns one;
// tests install a scripted fake in its place.
class Prompts
{
public:
    virtual ~Prompts() = default;
    // YesNoCancel answers Yes, No or Cancel (closing the box is Cancel);
    // YesNo answers Yes or No (closing the box is No); Yes is the default.
    // Error and Warning answer Ok.
    virtual MessageAnswer MessageBox(const QString& text, const QString& caption, MessageKind kind) = 0;
    virtual bool RunFileDialog(FileDialog& dialog) = 0;
    // The colour dialog preset with `initial`; nothing when cancelled.
    virtual std::optional<TColor> ChooseColor(TColor initial) = 0;
};
