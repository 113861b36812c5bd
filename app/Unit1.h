#pragma once

#include "Prompts.h"
#include "Region.h"
#include "ZlatovirButtons.h"
#include "ui_Unit1.h"

#include <QMainWindow>

class TfrmAbout;

// The main window: eight tabbed pages of colour boxes, direction buttons and
// "Standarno" buttons, the preview cells below them, and the menu. The
// controls are the only store of the skin being edited.
class TfrmMain : public QMainWindow, public Ui::frmMain
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The shapes of the question panel and of an answer box, read with the
    // layout; decoded only while ShapePreviews runs.
    TRegion regPitanje;
    TRegion RegOdgovor;
    TOpenDialog dlgOpen;
    TSaveDialog dlgSave;
    // The about window, made once at start-up and shown by "O programu...".
    TfrmAbout* frmAbout = nullptr;

    // Event handlers, bound to the layout's components in the constructor.
    void FormCreate();
    void FormCloseQuery(bool& CanClose);
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

    void Nov1Click();
    void Otvori1Click();
    void mnmSaveClick();
    void mnmSaveAsClick();
    void Zatvori1Click();
    void Oprogramu1Click();

    // Cuts the seven preview cells to the panel shapes.
    void ShapePreviews();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void bindEvents();
    void readShapeData();
};
