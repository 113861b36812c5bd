// Unit3: the about window; see Unit3.h.
#include "app/Unit3.h"
#include "ui_Unit3.h"

#include "platform/toolkit/Application.h"

#include <QIcon>
#include <QShowEvent>

namespace {

constexpr TColor Background = 0x00400800;
constexpr TColor TextColor = 0x00FFFFFF;
constexpr TColor TextShadow = 0x00FF0000;
constexpr TColor TitleColor = 0x000000FF;
constexpr int GapHeight = 7;
// The text is only ever visible from this row down, below the title.
constexpr int TextClipTop = 50;
constexpr int IconSize = 32;

bool isGap(const QString& line)
{
    return line == QLatin1String(" ");
}

} // namespace

const QString TfrmAbout::Title = QStringLiteral("ZLATOVIR VEDU DOZEZI  0.4");

const QStringList TfrmAbout::AboutLines = {
    QStringLiteral("Autor:"),
    QStringLiteral("Razvojni tim VEDU Dozezi, Tavrin"),
    QStringLiteral("skinovi@zlatovir.example, www.zlatovir.example/tim"),
    QStringLiteral(" "),
    QStringLiteral("Kako se program dorađuje i dopunjuje, molim Vas da me"),
    QStringLiteral("za bilo kakvu grešku ili sugestiju obavestite."),
    QStringLiteral(" "),
    QStringLiteral("Program je besplatan i slobodno se deli,"),
    QStringLiteral("ali se ne sme prodavati niti menjati bez dozvole."),
    QStringLiteral(" "),
    QStringLiteral("Program služi za kreiranje SKIN-ova za Vaš ZLATOVIR."),
    QStringLiteral("Ako želite da se Vaši SKIN-ovi nađu u slobodnom DOWNLOAD-u"),
    QStringLiteral("pošaljite *.KVZ datoteke na skinovi@zlatovir.example"),
    QStringLiteral(" "),
    QStringLiteral("Podržite i Vi kreiranje SKIN-ova!"),
    QStringLiteral(" "),
    QStringLiteral("www.zlatovir.example"),
};

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(587, 386);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor::fromRgb(resolveColor(Background)));
    setPalette(p);
    setAutoFillBackground(true);

    tmrUp.setInterval(100);
    tmrWait.setInterval(10000);
    connect(&tmrUp, &QTimer::timeout, this, TApplication::guarded(this, &TfrmAbout::tmrUpTimer));
    connect(&tmrWait, &QTimer::timeout, this, TApplication::guarded(this, &TfrmAbout::tmrWaitTimer));
    connect(m_ui->Image1, &TImage::OnDblClick, this, TApplication::guarded(this, &TfrmAbout::Image1DblClick));
    TApplication::guard([this] { FormCreate(); });
}

TfrmAbout::~TfrmAbout()
{
    FormDestroy();
}

void TfrmAbout::FormCreate()
{
    FTextBitmap = std::make_unique<TBitmap>();
    // The window's font: Tahoma, 15-pixel characters, bold.
    TFont windowFont;
    windowFont.Height = -15;
    windowFont.Styles = TFont::Bold;
    FTextBitmap->Canvas().Font = windowFont;

    // The title font; DrawTitle sets it on Image1's canvas. Image1's own
    // 587 x 386 picture is made when the window is first shown, not at
    // start-up, when nobody sees it.
    m_titleFont.Name = QStringLiteral("Tahoma");
    m_titleFont.SetSize(18);
    m_titleFont.Styles = TFont::Bold | TFont::Italic;
    BuildTextBitmap();
}

void TfrmAbout::BuildTextBitmap()
{
    ++m_textBuilds;
    TCanvas& measure = FTextBitmap->Canvas();
    int height = 0, widest = 0;
    for (const QString& line : AboutLines) {
        if (isGap(line)) {
            height += GapHeight;
            continue;
        }
        height += measure.TextHeight();
        widest = std::max(widest, measure.TextWidth(line));
    }
    FTextBitmap->SetSize(widest + 10, height);
    TCanvas& c = FTextBitmap->Canvas();
    c.Brush = {Background, bsSolid};
    // The outline falls outside the bitmap; only the fill shows.
    c.Rectangle(-1, -1, FTextBitmap->Width() + 1, height + 1);
    c.Brush.Style = bsClear;
    int y = 0;
    for (const QString& line : AboutLines) {
        if (isGap(line)) {
            y += GapHeight;
            continue;
        }
        const int x = (FTextBitmap->Width() - c.TextWidth(line)) / 2;
        c.Font.Color = TextShadow;
        c.TextOut(x + 1, y + 1, line);
        c.Font.Color = TextColor;
        c.TextOut(x, y, line);
        y += c.TextHeight();
    }
    const QImage icon = QApplication::windowIcon().pixmap(IconSize, IconSize).toImage();
    const int w = FTextBitmap->Width();
    for (const QPoint& corner : {QPoint(0, 0), QPoint(w - icon.width(), 0), QPoint(0, height - icon.height()),
                                 QPoint(w - icon.width(), height - icon.height())})
        c.DrawImage(corner.x(), corner.y(), icon);
}

void TfrmAbout::ClearImage()
{
    TCanvas& c = m_ui->Image1->Canvas();
    c.Brush = {Background, bsSolid};
    c.Rectangle(-1, -1, m_ui->Image1->width() + 1, m_ui->Image1->height() + 1);
}

void TfrmAbout::DrawTitle()
{
    TCanvas& c = m_ui->Image1->Canvas();
    c.Brush.Style = bsClear;
    c.Font = m_titleFont;
    const int x = (m_ui->Image1->width() - c.TextWidth(Title)) / 2;
    c.Font.Color = TextColor;
    c.TextOut(x + 1, 11, Title);
    c.Font.Color = TitleColor;
    c.TextOut(x, 10, Title);
}

void TfrmAbout::PaintText()
{
    const int x = (m_ui->Image1->width() - FTextBitmap->Width()) / 2;
    if (FTextTop > TextClipTop) {
        BitBlt(m_ui->Image1->Canvas(), x, FTextTop, FTextBitmap->Width(), FTextBitmap->Height(), FTextBitmap->Canvas(), 0, 0);
        return;
    }
    const int hidden = TextClipTop - FTextTop;
    BitBlt(m_ui->Image1->Canvas(), x, TextClipTop, FTextBitmap->Width(), FTextBitmap->Height() - hidden,
           FTextBitmap->Canvas(), 0, hidden);
}

void TfrmAbout::FormShow()
{
    ClearImage();
    FEntering = true;
    FTextTop = m_ui->Image1->height();
    tmrUp.start();
    m_ui->Image1->Invalidate();
}

void TfrmAbout::tmrUpTimer()
{
    const int textHeight = FTextBitmap->Height();
    FTextTop -= 2;
    if (FTextTop < TextClipTop - textHeight) {
        FTextTop = m_ui->Image1->height();
        FEntering = true;
    }
    if (FEntering && FTextTop <= (m_ui->Image1->height() - textHeight) / 2 + 25) {
        FEntering = false;
        tmrUp.stop();
        tmrWait.start();
    }
    ClearImage();
    DrawTitle();
    PaintText();
    m_ui->Image1->Invalidate();
}

void TfrmAbout::tmrWaitTimer()
{
    tmrWait.stop();
    tmrUp.start();
}

void TfrmAbout::FormClose()
{
    tmrWait.stop();
    tmrUp.stop();
}

void TfrmAbout::Image1DblClick()
{
    close();
}

void TfrmAbout::FormDestroy()
{
    FTextBitmap.reset();
}

// Only a real showing starts the window afresh: the window system's show
// events (a restore from minimised) leave the animation where it was.
void TfrmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(this);
    TApplication::guard([this] { FormShow(); });
}

// Every way the window closes (a double-click, the close button, Escape)
// ends here.
void TfrmAbout::done(int result)
{
    FormClose();
    QDialog::done(result);
}
