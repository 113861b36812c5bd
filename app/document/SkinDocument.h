// SkinDocument: the skin document without widgets: its file name, unsaved
// state, remembered folders, caption, and the commands New, Open, Save.
#pragma once

#include "app/document/SkinFile.h"
#include "platform/system/Prompts.h"

#include <QString>

#include <functional>
#include <optional>


// The name of a skin that has no file yet; the document is untitled exactly
// when its name equals this (case-sensitive).
extern const QString NewSkinFileName;
// Where the remembered folders live, below the per-user root.
extern const QString SettingsKey;

// What the document needs of the window that shows the skin: its pages set
// from a record, the controls read into a record, every page's
// "Standarno", the first page brought forward, the caption, and the edit
// history told where it starts (a new or opened skin).
class SkinView : public SkinPages
{
public:
    virtual TSkinRecord currentRecord() const = 0;
    virtual void standardAllPages() = 0;
    virtual void showFirstPage() = 0;
    virtual void showCaption(const QString& caption) = 0;
    virtual void startHistory() {}
};

// The skin document: its file name, whether the pages hold unsaved changes,
// where the open and save dialogs start, and the commands New, Open, Save,
// Save As and the close query. The skin itself lives only in the view's
// controls; the document reads and writes it through the view. Every
// question goes through the prompts. No widgets.
//
// Names and folders are absolute and clean once a dialog has returned one;
// a remembered folder read as "." (or any relative folder) stays as it is
// and means the folder the editor runs in, resolved when a dialog opens. On
// Linux only "/" separates path parts.
class SkinDocument
{
public:
    using PromptsSource = std::function<Prompts&()>;
    SkinDocument(SkinView& view, PromptsSource prompts, FileDialog& openDialog, FileDialog& saveDialog);

    // The document's file, or NewSkinFileName while untitled.
    const QString& currentFileName() const { return m_fileName; }
    // The one place the name changes; the caption follows it at once.
    void setCurrentFile(const QString& name);
    // True while the pages hold changes that are not saved. Every edit of
    // the view sets it, undo and redo too, even back to the values saved;
    // only the commands clear it, once their work is done.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // Where the open and save dialogs start (remembered in the settings).
    const QString& openDir() const { return m_openDir; }
    const QString& saveDir() const { return m_saveDir; }
    void setOpenDir(const QString& folder) { m_openDir = folder; }
    void setSaveDir(const QString& folder) { m_saveDir = folder; }

    // The caption "Zlatovir VODU Editor [ name ]" for the current file.
    void UpdateCaption();
    // The remembered folders; settings-store errors are swallowed, ending
    // the operation at the failing step. Folders are taken as read.
    void ReadSettings();
    // Writes "Putanja", "OpenDir" and "SaveDir", and takes away a value
    // "PregledDir" that an earlier version left: the settings hold those
    // three values only.
    void WriteSettings();
    // Writes the picture of the preview through a save dialog (".png" added),
    // asking before it replaces a file; `png` gives the picture encoded for
    // the chosen name. A failure raises EditorError and leaves no partial
    // file. True when written.
    bool savePreview(const std::function<QByteArray(const QString&)>& png, FileDialog& dialog);

    // Every page to its standard values, the first page shown, untitled,
    // the caption, and Modified false last.
    void ResetAll();
    // Writes the skin the view shows to the file (".kvz" added when the
    // name lacks it) and makes that the document's name. The whole file is
    // written or nothing is: a failure raises EditorError and changes nothing.
    void SaveToFile(const QString& FileName);
    // Reads the file into the pages. A missing file changes nothing; a newer
    // version or a file too short to hold a skin is refused with a message
    // and changes nothing; a file that can't be opened raises EditorError.
    // True when the file was loaded.
    bool LoadFromFile(const QString& FileName);
    // Save: through the save dialog when untitled. True when written.
    bool SaveDocument();
    // Save As. True when a name was chosen and the skin written.
    bool SaveAsDialog();

    // The menu commands and the close query.
    void newSkin();
    void open();
    // Opens the named file as Open does once its dialog has returned it (a
    // file dropped on the window or sent by the desktop), but leaves the
    // open folder: only a confirmed open dialog moves it. A file that is not
    // there raises EditorError "Cannot open file ..." before anything is
    // asked, where the open dialog would have refused it.
    void openFile(const QString& FileName);
    void save();
    void saveAs();
    bool canClose();

private:
    // Asks about unsaved changes; false when the command must stop. A
    // successful save from the question leaves the skin unchanged.
    bool confirmDiscardingChanges();
    void markSaved();
    // A loaded file: unchanged, its history starting there.
    void startUnchanged();
    bool confirmReplacing(const QString& target);
    // The name a save dialog run from `folder` chose (completed by
    // `complete`, absolute and clean), asked about before it replaces a
    // file; nothing when the dialog was cancelled.
    std::optional<QString> chooseTarget(FileDialog& dialog, const QString& folder,
                                        const std::function<QString(const QString&)>& complete);
    MessageAnswer ask(const QString& text, MessageKind kind);
    // Tells the user which of the old file's attributes a write left behind.
    void warnAboutLost(const QString& fileName, const LostAttributes& lost);

    QString m_fileName = NewSkinFileName;
    bool m_modified = false;
    QString m_openDir = QStringLiteral(".");
    QString m_saveDir = QStringLiteral(".");
    // The folder of the last preview picture saved in this run, where the
    // next one's dialog starts; empty until then (it starts in the save
    // folder). It is not remembered: the settings hold only the two folders.
    QString m_previewDir;

    SkinView& m_view;
    PromptsSource m_prompts;
    FileDialog& m_openDialog;
    FileDialog& m_saveDialog;
};
