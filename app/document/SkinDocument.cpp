#include "app/document/SkinDocument.h"

#include "platform/base/Errors.h"
#include "platform/system/Files.h"
#include "platform/system/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

const QString NewSkinFileName = QStringLiteral("NovaSkinDatoteka");
const QString SettingsKey = QStringLiteral("Software\\Tavrin\\Zlatovir Vedu Dozezi");

namespace {

const QString ConfirmCaption = QStringLiteral("Potvrda");

} // namespace

SkinDocument::SkinDocument(SkinView& view, PromptsSource prompts, FileDialog& openDialog, FileDialog& saveDialog)
    : m_view(view), m_prompts(std::move(prompts)), m_openDialog(openDialog), m_saveDialog(saveDialog)
{
}

void SkinDocument::warnAboutLost(const QString& fileName, const LostAttributes& lost)
{
    if (!lost.isEmpty())
        m_prompts().MessageBox(lostAttributesMessage(fileName, lost), WarningCaption, MessageKind::Warning);
}

MessageAnswer SkinDocument::ask(const QString& text, MessageKind kind)
{
    return m_prompts().MessageBox(text, ConfirmCaption, kind);
}

void SkinDocument::UpdateCaption()
{
    m_view.showCaption(QStringLiteral("Zlatovir VODU Editor [ %1 ]").arg(fileNamePart(m_fileName)));
}

void SkinDocument::setCurrentFile(const QString& name)
{
    m_fileName = name;
    UpdateCaption();
}

void SkinDocument::ReadSettings()
{
    try {
        TRegistry registry;
        if (!registry.KeyExists(SettingsKey))
            registry.OpenKey(SettingsKey, true);
        if (!registry.OpenKey(SettingsKey, true))
            return;
        if (!registry.ValueExists(QStringLiteral("Putanja")))
            registry.WriteString(QStringLiteral("Putanja"), QCoreApplication::applicationFilePath());
        for (const char* name : {"OpenDir", "SaveDir"})
            if (!registry.ValueExists(QString::fromLatin1(name)))
                registry.WriteString(QString::fromLatin1(name), QStringLiteral("."));
        m_openDir = registry.ReadString(QStringLiteral("OpenDir"));
        m_saveDir = registry.ReadString(QStringLiteral("SaveDir"));
        registry.CloseKey();
    } catch (const ERegistryException&) {
        // The editor carries on with what was read before the failing step.
    }
}

void SkinDocument::WriteSettings()
{
    try {
        TRegistry registry;
        if (!registry.OpenKey(SettingsKey, true))
            return;
        registry.WriteString(QStringLiteral("Putanja"), QCoreApplication::applicationFilePath());
        registry.WriteString(QStringLiteral("OpenDir"), m_openDir);
        registry.WriteString(QStringLiteral("SaveDir"), m_saveDir);
        registry.DeleteValue(QStringLiteral("PregledDir"));
        registry.CloseKey();
    } catch (const ERegistryException&) {
    }
}

void SkinDocument::ResetAll()
{
    m_view.standardAllPages();
    m_view.showFirstPage();
    setCurrentFile(NewSkinFileName);
    m_modified = false;
    m_view.startHistory();
}

void SkinDocument::SaveToFile(const QString& FileName)
{
    const TSkinRecord record = m_view.currentRecord();
    const QString name = absoluteCleanPath(withSkinExtension(FileName));
    const LostAttributes lost = writeSkinFile(name, record);
    setCurrentFile(name);
    warnAboutLost(name, lost);
}

bool SkinDocument::LoadFromFile(const QString& FileName)
{
    const SkinFileContents contents = readSkinFile(FileName);
    if (contents.status == SkinFileContents::Missing)
        return false;
    if (contents.status != SkinFileContents::Loaded) {
        m_prompts().MessageBox(refusalMessage(contents.status), RefusalCaption, MessageKind::Error);
        return false;
    }
    applySkinRecord(contents.record, m_view);
    m_view.showFirstPage();
    setCurrentFile(absoluteCleanPath(FileName));
    return true;
}

bool SkinDocument::confirmDiscardingChanges()
{
    if (!m_modified)
        return true;
    switch (ask(QStringLiteral("Da li zelite prvo da sacuvate promene?"), MessageKind::YesNoCancel)) {
    case MessageAnswer::Yes:
        if (!SaveDocument())
            return false;
        markSaved();
        return true;
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void SkinDocument::newSkin()
{
    if (!confirmDiscardingChanges())
        return;
    ResetAll();
}

// Open asks about unsaved changes first, as New does, and clears Modified
// only when a file was actually loaded: a refused or vanished file leaves
// the pages, and so their unsaved edits, as they were.
void SkinDocument::open()
{
    if (!confirmDiscardingChanges())
        return;
    m_openDialog.InitialDir = m_openDir;
    if (!m_prompts().RunFileDialog(m_openDialog))
        return;
    const bool loaded = LoadFromFile(m_openDialog.FileName);
    m_openDir = directoryPart(absoluteCleanPath(m_openDialog.FileName));
    if (loaded)
        startUnchanged();
}

// A file handed over (dropped on the window, sent by the desktop) opens as
// Open does, the dialog aside; the open folder stays, as only a confirmed
// open dialog moves it.
void SkinDocument::openFile(const QString& FileName)
{
    // What no dialog chose may not exist: said as the open's error, before
    // anything is asked.
    if (const PathState state = inspectPath(FileName);
        state.kind == PathState::Absent || state.kind == PathState::DanglingLink)
        throw EditorError(QStringLiteral("Cannot open file \"%1\". %2").arg(absoluteCleanPath(FileName), MissingFileReason));
    if (!confirmDiscardingChanges())
        return;
    if (LoadFromFile(FileName))
        startUnchanged();
}

void SkinDocument::startUnchanged()
{
    m_modified = false;
    m_view.startHistory();
}

void SkinDocument::save()
{
    if (SaveDocument())
        markSaved();
}

void SkinDocument::saveAs()
{
    if (SaveAsDialog())
        markSaved();
}

void SkinDocument::markSaved()
{
    m_modified = false;
}

// Save rewrites the file even when nothing has changed.
bool SkinDocument::SaveDocument()
{
    if (m_fileName == NewSkinFileName)
        return SaveAsDialog();
    SaveToFile(m_fileName);
    return true;
}

bool SkinDocument::savePreview(const std::function<QByteArray(const QString&)>& png, FileDialog& dialog)
{
    dialog.Options |= FileDialogOption::OverwritePrompt;
    // The skin's own name is offered for its picture.
    QString name = fileNamePart(m_fileName);
    if (name.endsWith(QStringLiteral(".kvz"), Qt::CaseInsensitive))
        name.chop(4);
    dialog.FileName = name + QStringLiteral(".png");
    const std::optional<QString> target =
        chooseTarget(dialog, m_previewDir.isEmpty() ? m_saveDir : m_previewDir, [](const QString& name) {
            return name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? name : name + QStringLiteral(".png");
        });
    if (!target)
        return false;
    warnAboutLost(*target, writeWholeFile(*target, png(*target)));
    m_previewDir = directoryPart(*target);
    return true;
}

// Replacing an existing file is asked about once; what can't be replaced
// (a folder, a FIFO, a device, a link that leads nowhere, a file the user
// may not write) is refused before anything is asked.
bool SkinDocument::confirmReplacing(const QString& target)
{
    if (refuseUnwritable(target).kind == PathState::Absent)
        return true;
    const QString question = QStringLiteral("Datoteka \"%1\" vec postoji. Da li zelite da je zamenite?")
                                 .arg(fileNamePart(target));
    return ask(question, MessageKind::YesNo) == MessageAnswer::Yes;
}

// The question about replacing belongs to the dialog, as the system's
// dialog with its overwrite option asks it: "Ne" returns to the dialog (in
// the folder of the name refused) to choose another name. The name asked
// about is the one that will be written, its extension completed.
std::optional<QString> SkinDocument::chooseTarget(FileDialog& dialog, const QString& folder,
                                                  const std::function<QString(const QString&)>& complete)
{
    dialog.InitialDir = folder;
    for (;;) {
        if (!m_prompts().RunFileDialog(dialog))
            return std::nullopt;
        const QString target = absoluteCleanPath(complete(dialog.FileName));
        if (!(dialog.Options & FileDialogOption::OverwritePrompt) || confirmReplacing(target))
            return target;
        dialog.InitialDir = directoryPart(target);
    }
}

bool SkinDocument::SaveAsDialog()
{
    const std::optional<QString> target = chooseTarget(m_saveDialog, m_saveDir, withSkinExtension);
    if (!target)
        return false;
    SaveToFile(*target);
    m_saveDir = directoryPart(*target);
    return true;
}

bool SkinDocument::canClose()
{
    return confirmDiscardingChanges();
}
