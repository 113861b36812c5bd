#include "Unit1.h"

#include "Application.h"
#include "BitmapToRegion.h"
#include "Resources.h"
#include "Graphics.h"
#include "Unit3.h"

#include <QBuffer>
#include <QCloseEvent>

namespace {

// Layout fonts are points at 96 pixels per inch; they become pixel sizes so
// that the window looks the same whatever the screen's resolution.
void usePixelFonts(QWidget* root)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (!w->testAttribute(Qt::WA_SetFont) || w->font().pointSize() <= 0)
            continue;
        QFont f = w->font();
        f.setPixelSize(pointsToPixels(f.pointSize()));
        w->setFont(f);
    }
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), regPitanje(this), RegOdgovor(this)
{
    setupUi(this);
    usePixelFonts(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QPalette white = palette();
    white.setColor(QPalette::Window, QColor::fromRgb(resolveColor(clWhite)));
    setPalette(white);
    setAutoFillBackground(true);
    // The client area is 800 pixels wide, so that the cells at x = 0 and 400
    // fill it, and reaches below the last row of cells (y = 407).
    setFixedSize(800, menuBar()->sizeHint().height() + 434);

    const QString filter = QStringLiteral("Zlatovir SKIN datoteke|*.kvz");
    dlgOpen.Filter = filter;
    dlgOpen.Options = ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing;
    dlgSave.Filter = filter;
    dlgSave.Options = ofOverwritePrompt | ofHideReadOnly | ofPathMustExist | ofEnableSizing;

    readShapeData();
    bindEvents();
    TApplication::guard([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() = default;

// The components' "Data" blocks are stored with the layout; they are read
// while the window is built, before its creation handler runs. Neither
// component is stored enabled: enabling before the data is read would decode
// nothing.
void TfrmMain::readShapeData()
{
    for (TRegion* component : {&regPitanje, &RegOdgovor}) {
        component->setObjectName(component == &regPitanje ? QStringLiteral("regPitanje") : QStringLiteral("RegOdgovor"));
        QByteArray block = loadResource(component->objectName(), QStringLiteral("Unit1"));
        QBuffer stream(&block);
        stream.open(QIODevice::ReadOnly);
        component->ReadRegData(stream);
    }
}

void TfrmMain::ShapePreviews()
{
    TBitmap mask, work;
    regPitanje.PaintToBitmap(&mask, clWhite, clBlack);
    work.Assign(mask);
    mPitanje->setMask(funkcije::BitmapToRegion(work, mPitanje));
    RegOdgovor.PaintToBitmap(&mask, clWhite, clBlack);
    // Tracing grows the picture by a row: each window gets a fresh copy.
    for (QWidget* cell : {static_cast<QWidget*>(mOdgovor1), static_cast<QWidget*>(mOdgovor2),
                          static_cast<QWidget*>(mOdgovor3), static_cast<QWidget*>(mOdgovor4),
                          static_cast<QWidget*>(mYES), static_cast<QWidget*>(mNO)}) {
        work.Assign(mask);
        cell->setMask(funkcije::BitmapToRegion(work, cell));
    }
}

void TfrmMain::bindEvents()
{
    struct Page
    {
        QWidget* page;
        void (TfrmMain::*change)();
        QToolButton* standard;
        void (TfrmMain::*standardClick)();
    };
    const Page pages[] = {
        {pagePitanje, &TfrmMain::cbPitanjeTextChange, spbPitanje, &TfrmMain::spbPitanjeClick},
        {TabSheet2, &TfrmMain::cbOdgovorNormalTextChange, spbOdgovorNormal, &TfrmMain::spbOdgovorNormalClick},
        {TabSheet3, &TfrmMain::cbOdgovorInTextChange, spbOdgovorIn, &TfrmMain::spbOdgovorInClick},
        {TabSheet4, &TfrmMain::cbOdgovorChechTextChange, spbOdgovorChech, &TfrmMain::spbOdgovorChechClick},
        {TabSheet5, &TfrmMain::cbOdgovorOKTextChange, spbOdgovorOK, &TfrmMain::spbOdgovorOKClick},
        {TabSheet7, &TfrmMain::cbOdgovorNOTextChange, spbOdgovorNO, &TfrmMain::spbOdgovorNOClick},
        {TabSheet8, &TfrmMain::cbOdgovorYESTextChange, spbOdgovorYES, &TfrmMain::spbOdgovorYESClick},
        {TabSheet6, &TfrmMain::cbTacanOdgovorChange, spbOstalo, &TfrmMain::spbOstaloClick},
    };
    // One handler serves the whole page: every colour box's change and both
    // radio buttons' click.
    for (const Page& p : pages) {
        for (TColorBox* box : p.page->findChildren<TColorBox*>())
            connect(box, &TColorBox::OnChange, this, TApplication::guarded(this, p.change));
        for (TRadioButton* button : p.page->findChildren<TRadioButton*>())
            connect(button, &TRadioButton::OnClick, this, TApplication::guarded(this, p.change));
        connect(p.standard, &QToolButton::clicked, this, TApplication::guarded(this, p.standardClick));
    }
    const std::pair<QAction*, void (TfrmMain::*)()> commands[] = {
        {Nov1, &TfrmMain::Nov1Click},         {Otvori1, &TfrmMain::Otvori1Click},
        {mnmSave, &TfrmMain::mnmSaveClick},   {mnmSaveAs, &TfrmMain::mnmSaveAsClick},
        {Zatvori1, &TfrmMain::Zatvori1Click}, {Oprogramu1, &TfrmMain::Oprogramu1Click},
    };
    for (const auto& [action, handler] : commands)
        connect(action, &QAction::triggered, this, TApplication::guarded(this, handler));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    if (!TApplication::guard([&] { FormCloseQuery(canClose); }))
        canClose = false;
    if (!canClose) {
        event->ignore();
        return;
    }
    TApplication::guard([this] { FormClose(); });
    event->accept();
}

void TfrmMain::FormCreate()
{
    regPitanje.SetEnabled(true);
    RegOdgovor.SetEnabled(true);
    ShapePreviews();
    regPitanje.SetEnabled(false);
    RegOdgovor.SetEnabled(false);
}
void TfrmMain::FormCloseQuery(bool&) {}
void TfrmMain::FormClose() {}

void TfrmMain::cbPitanjeTextChange() {}
void TfrmMain::cbOdgovorNormalTextChange() {}
void TfrmMain::cbOdgovorInTextChange() {}
void TfrmMain::cbOdgovorChechTextChange() {}
void TfrmMain::cbOdgovorOKTextChange() {}
void TfrmMain::cbOdgovorNOTextChange() {}
void TfrmMain::cbOdgovorYESTextChange() {}
void TfrmMain::cbTacanOdgovorChange() {}

void TfrmMain::spbPitanjeClick() {}
void TfrmMain::spbOdgovorNormalClick() {}
void TfrmMain::spbOdgovorInClick() {}
void TfrmMain::spbOdgovorChechClick() {}
void TfrmMain::spbOdgovorOKClick() {}
void TfrmMain::spbOdgovorYESClick() {}
void TfrmMain::spbOdgovorNOClick() {}
void TfrmMain::spbOstaloClick() {}

void TfrmMain::Nov1Click() {}
void TfrmMain::Otvori1Click() {}
void TfrmMain::mnmSaveClick() {}
void TfrmMain::mnmSaveAsClick() {}
void TfrmMain::Zatvori1Click() {}
void TfrmMain::Oprogramu1Click()
{
    if (frmAbout)
        frmAbout->ShowModal();
}
