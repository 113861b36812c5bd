// Unit3: the about window (TfrmAbout) with its scrolling text.
#pragma once

#include "platform/raster/Graphics.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <memory>

// The about window: a borderless dark-blue panel with the title at the top
// and a block of centred text that scrolls up from the bottom edge, rests in
// the middle for ten seconds, scrolls on until it has vanished at a line
// below the title, and comes back from the bottom. A double-click closes it.
// It is created once, hidden, and shown modally again and again.
namespace Ui {
class frmAbout;
}

class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override;

    int ShowModal() { return exec(); }

    QTimer tmrUp;   // one animation step every 100 ms
    QTimer tmrWait; // the 10-second rest

    // The whole text, drawn once at creation.
    std::unique_ptr<TBitmap> FTextBitmap;
    // Where the top of the text bitmap stands in Image1.
    int FTextTop = 0;
    // True while the text scrolls in toward its resting place.
    bool FEntering = false;
    // How many times the text bitmap was built (once per window object).
    int textBuilds() const { return m_textBuilds; }

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void tmrUpTimer();
    void tmrWaitTimer();
    void Image1DblClick();

    // The text lines; a line that is exactly one space is a 7-pixel gap.
    static const QStringList AboutLines;
    static const QString Title;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void BuildTextBitmap();
    void ClearImage();
    void DrawTitle();
    void PaintText();

    TFont m_titleFont;
    int m_textBuilds = 0;
    std::unique_ptr<Ui::frmAbout> m_ui; // the layout
};
