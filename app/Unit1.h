// Unit1: the main window of the skin editor (TfrmMain), its pages of colours
// and directions, the live preview cells, and the menu commands.
#pragma once

#include "app/EditHistory.h"
#include "app/document/SkinDocument.h"
#include "platform/system/Prompts.h"
#include "region/Region.h"
#include "skin/ZlatovirButtons.h"
#include "platform/toolkit/ColorBox.h"
#include "platform/toolkit/Controls.h"

#include <QMainWindow>

#include <functional>
#include <optional>
#include <memory>
#include <vector>

class TfrmAbout;
class QLabel;
class QToolButton;
namespace Ui {
class frmMain;
}

// The main window: eight tabbed pages of colour boxes, direction buttons and
// "Standarno" buttons, the preview cells below them, and the menu. The
// controls are the only store of the skin being edited.
class TfrmMain : public QMainWindow, public SkinView
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The document: its file (or NewSkinFileName), whether the pages hold
    // unsaved changes (`Modified`), where the open and save dialogs start,
    // the caption, the settings and the commands.
    SkinDocument& document() { return m_document; }
    const SkinDocument& document() const { return m_document; }

    // The about window, made once at start-up and shown by "O programu...";
    // a child of this window, which owns it.
    TfrmAbout* aboutWindow() const { return frmAbout; }
    void setAboutWindow(TfrmAbout* about) { frmAbout = about; }

    // The colour pages, in the skin table's order (YES before NO); "Ostalo"
    // follows them there.
    enum PageIndex { PitanjePage, NormalPage, InPage, ChechPage, OKPage, YESPage, NOPage, PageCount };
    // Puts a page's values into its controls and runs its change handler
    // ("Ostalo": only its boxes, no handler, Modified unchanged). Only 0
    // and 1 move the direction buttons of the question and the normal
    // answer box; on the other pages anything but 0 checks "Desno".
    void setPage(int page, const PageValue& value) override;
    // The eight set-page operations. The argument order is binding: it is
    // the order of the page's fields in the skin file. Each sets the fields
    // it names; any other colour of the page keeps what its box holds.
    void SetPitanje(TColor Text, TColor Linija, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(PitanjePage, {{&R::PitanjeText, Text}, {&R::PitanjeLinija, Linija}, {&R::PitanjeC1, C1}, {&R::PitanjeC2, C2}},
                  Direction);
    }
    void SetOdgovorNormal(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(NormalPage,
                  {{&R::OdgovorNormalText, Text}, {&R::OdgovorNormalChar, Char}, {&R::OdgovorNormalLine, Line},
                   {&R::OdgovorNormalC1, C1}, {&R::OdgovorNormalC2, C2}},
                  Direction);
    }
    void SetOdgovorIn(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(InPage,
                  {{&R::OdgovorInText, Text}, {&R::OdgovorInChar, Char}, {&R::OdgovorInLine, Line}, {&R::OdgovorInC1, C1},
                   {&R::OdgovorInC2, C2}},
                  Direction);
    }
    void SetOdgovorChech(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(ChechPage,
                  {{&R::OdgovorChechText, Text}, {&R::OdgovorChechChar, Char}, {&R::OdgovorChechLine, Line},
                   {&R::OdgovorChechC1, C1}, {&R::OdgovorChechC2, C2}},
                  Direction);
    }
    void SetOdgovorOK(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(OKPage,
                  {{&R::OdgovorOKText, Text}, {&R::OdgovorOKChar, Char}, {&R::OdgovorOKLine, Line}, {&R::OdgovorOKC1, C1},
                   {&R::OdgovorOKC2, C2}},
                  Direction);
    }
    void SetOdgovorYES(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(YESPage, {{&R::OdgovorYESText, Text}, {&R::OdgovorYESLine, Line}, {&R::OdgovorYESC1, C1}, {&R::OdgovorYESC2, C2}},
                  Direction);
    }
    void SetOdgovorNO(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
    {
        using R = TSkinRecord;
        setFields(NOPage, {{&R::OdgovorNOText, Text}, {&R::OdgovorNOLine, Line}, {&R::OdgovorNOC1, C1}, {&R::OdgovorNOC2, C2}},
                  Direction);
    }
    void SetOstalo(TColor TacanOdgovor, TColor NetacanOdgovor, TColor Voditelj, TColor PrijateljHalo,
                   TColor Prijatelj, TColor PrijateljSenka)
    {
        using R = TSkinRecord;
        setFields(OstaloPage,
                  {{&R::TacanOdgovor, TacanOdgovor}, {&R::NetacanOdgovor, NetacanOdgovor}, {&R::Voditelj, Voditelj},
                   {&R::PrijateljHalo, PrijateljHalo}, {&R::Prijatelj, Prijatelj}, {&R::PrijateljSenka, PrijateljSenka}},
                  std::nullopt);
    }

    // The skin the window shows: its controls read into a record.
    TSkinRecord currentRecord() const override;

    // Event handlers, bound to the layout's components in the constructor.
    void FormCreate();
    void FormCloseQuery(bool& CanClose) { CanClose = m_document.canClose(); }
    void FormClose();

    void cbPitanjeTextChange();
    void cbOdgovorNormalTextChange();
    void cbOdgovorInTextChange();
    void cbOdgovorChechTextChange();
    void cbOdgovorOKTextChange();
    void cbOdgovorNOTextChange();
    void cbOdgovorYESTextChange();
    void cbTacanOdgovorChange();

    void spbPitanjeClick();
    void spbOdgovorNormalClick();
    void spbOdgovorInClick();
    void spbOdgovorChechClick();
    void spbOdgovorOKClick();
    void spbOdgovorYESClick();
    void spbOdgovorNOClick();
    void spbOstaloClick();

    void Nov1Click() { m_document.newSkin(); }
    void Otvori1Click() { m_document.open(); }
    void mnmSaveClick() { m_document.save(); }
    void mnmSaveAsClick() { m_document.saveAs(); }
    void Zatvori1Click();
    void Oprogramu1Click();

    // The history of the user's edits (undo and redo).
    EditHistory& history() { return *m_history; }

    // A file handed to the window from outside (dropped, or sent by the
    // desktop) opens as Open does; with no file, `refusal` is shown, and a
    // path the system could not take is refused with why. Either happens
    // from the event loop, after whoever handed it has had its answer, and
    // never while a box or dialog is open; of requests that wait, only the
    // latest runs.
    void openHanded(const QString& file, const QString& refusal);

    // Cuts the seven preview cells to the panel shapes.
    void ShapePreviews();
    // The preview area as the window shows it: 800 x 191 pixels of the client
    // area from the question cell's top-left corner down to the bottom of the
    // last row of cells, the window's white wherever no cell shows. Made
    // without rendering the widgets.
    QImage previewImage();

protected:
    // A modal window closing wakes the request that waits for it.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Right button on the pages or the preview: undo, redo, and a page's
    // "Standarno" (which takes no focus, so a keyboard reaches it here): the
    // page of the preview cell clicked, else the visible page.
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Local files dropped on the window are taken as a copy: one .kvz file
    // opens as Open does, anything else is answered with a message. What
    // is not local files, or a source that offers no copy, is not accepted.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A preview cell's tooltip: the readability figures of the look it
    // shows, measured when asked, so that no edit pays for them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The widgets of one page of the skin table: its colour boxes in the
    // order of the page's colours, its direction buttons and the cell that
    // shows its image ("Ostalo" has neither).
    struct PageWidgets
    {
        std::vector<TColorBox*> boxes;
        TRadioButton* desno = nullptr;
        TRadioButton* dole = nullptr;
        TZlatovirCelija* cell = nullptr;
        QWidget* sheet = nullptr;          // its tab
        QToolButton* standard = nullptr;   // its "Standarno"
    };

    // What a page's controls hold: the boxes' colours, and 1 when "Desno"
    // is checked, else 0.
    PageValue controlsValue(int page) const;
    // The boxes take the value's colours (no handler runs).
    void showColours(int page, const PageValue& value);
    // The named fields of a page set through setPage; its other colours
    // keep what its boxes hold, its direction too when none is given.
    void setFields(int page, std::initializer_list<std::pair<TColor TSkinRecord::*, TColor>> colours,
                   std::optional<GradientDirection> direction);
    void showRecord(const TSkinRecord& record);

    void bindEvents();
    void readShapeData();
    void definePages();
    void pageChanged(PageIndex page);
    void standardPage(int page);

    void standardAllPages() override;
    void standardPagesByHandlers();
    void showFirstPage() override;
    void showCaption(const QString& caption) override;
    void startHistory() override { m_history->restart(); }

    void createHistory();
    void nameControls();
    // The label in front of a control on its page, and its words ("Boja 1").
    QLabel* labelOf(const QWidget* control) const;
    QString labelText(const QWidget* control) const;
    // The right-button menu; its "Standarno" entry acts on `page`.
    void showContextMenu(const QPoint& globalPos, QWidget* page);
    // The preview cells show the skin as players with `vision` see it
    // (chosen in the right-button menu, for this run only); what is saved
    // stays what the game paints.
    void showVision(Vision vision);
    static std::optional<QStringList> droppedFiles(const QMimeData* data);
    // Accepts the drag or drop as a copy when it carries local files and a
    // copy is offered; otherwise ignores it. True when accepted.
    static bool acceptAsCopy(QDropEvent* event);

    struct HandedFile
    {
        QString file; // empty: refused
        QString refusal;
    };
    void runHandedLater();
    void runHanded();

    std::unique_ptr<Ui::frmMain> m_ui; // the layout
    // The shapes of the question panel and of an answer box, read with the
    // layout; decoded only while ShapePreviews runs.
    TRegion regPitanje;
    TRegion RegOdgovor;
    TOpenDialog dlgOpen;
    TSaveDialog dlgSave;
    TfrmAbout* frmAbout = nullptr;
    SkinDocument m_document;
    std::vector<PageWidgets> m_pages; // every page of the skin table
    std::optional<HandedFile> m_handed; // the latest request not yet run
    bool m_handedPosted = false;         // a run of it is queued
    bool m_runningHanded = false;        // one runs (its questions may be open)
    std::unique_ptr<EditHistory> m_history;
    QString m_editedControl; // what the user's edit in progress touched
};
