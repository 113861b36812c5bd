#include "platform/toolkit/QtPrompts.h"

#include "platform/raster/Colors.h"
#include "platform/toolkit/Application.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

// The editor speaks Serbian in plain ASCII, as its own texts do: its buttons too.
void nameButtons(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Yes, "&Da"}, {QMessageBox::No, "&Ne"}, {QMessageBox::Cancel, "Otkazi"}};
    for (const auto& [button, text] : names)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromLatin1(text));
}

} // namespace

QString qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

MessageAnswer QtPrompts::MessageBox(const QString& text, const QString& caption, MessageKind kind)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(kind == MessageKind::Error     ? QMessageBox::Critical
                : kind == MessageKind::Warning ? QMessageBox::Warning
                                               : QMessageBox::Question);
    if (kind == MessageKind::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        nameButtons(box);
        box.setDefaultButton(QMessageBox::Yes);
        // Closing the box without a button counts as Cancel.
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;
        }
    }
    if (kind == MessageKind::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        nameButtons(box);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

bool QtPrompts::RunFileDialog(FileDialog& dialog)
{
    QFileDialog box(QApplication::activeWindow());
    box.setNameFilter(qtNameFilters(dialog.Filter));
    box.setDirectory(QDir::current().absoluteFilePath(dialog.InitialDir));
    if (dialog.DialogKind == FileDialog::Open) {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode((dialog.Options & FileDialogOption::FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        // The caller asks about replacing, in the editor's language and about
        // the name that will really be written (".kvz" may still be added).
        box.setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    if (!dialog.FileName.isEmpty())
        box.selectFile(dialog.FileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return false;
    dialog.FileName = box.selectedFiles().first();
    return true;
}

std::optional<TColor> QtPrompts::ChooseColor(TColor initial)
{
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(resolveColor(initial)), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColor(chosen.red(), chosen.green(), chosen.blue());
}
