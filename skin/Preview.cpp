#include "skin/Preview.h"

#include <QPainter>

QImage composePreview(const std::vector<const TZlatovirCelija*>& cells, QPoint origin)
{
    QImage preview(800, 191, QImage::Format_RGB32);
    preview.fill(resolveColor(clWhite));
    QPainter painter(&preview);
    for (const TZlatovirCelija* cell : cells) {
        painter.save();
        painter.translate(cell->pos() - origin);
        painter.setClipRegion(cell->mask().isEmpty() ? QRegion(cell->rect()) : cell->mask());
        painter.drawImage(0, 0, cell->bitmap().image());
        painter.restore();
    }
    return preview;
}

namespace {

// The answer cells as the main window's layout has them.
struct AnswerCell
{
    QPoint place;
    const char* caption;
    TOdgovorNo box;
    TDugmeStatus status;
};
const AnswerCell answerCells[] = {
    {{0, 288}, "Odgovor (normalno)", odA, dsNoEnable},  {{400, 288}, "Odgovor (ulaz)", odB, dsSelect},
    {{0, 328}, "Odgovor (označen)", odC, dsCheched},    {{400, 328}, "Odgovor (tačan)", odD, dsSelectYES},
    {{0, 376}, "Potvrda (normalno)", odYES, dsNoEnable}, {{400, 376}, "Potvrda (ulaz)", odNO, dsCheched},
};
const QPoint questionPlace(0, 216);

} // namespace

OffscreenPreview::OffscreenPreview(const QRegion& questionShape, const QRegion& answerShape)
{
    m_area.setAttribute(Qt::WA_DontShowOnScreen);
    const QFont captionFont(QStringLiteral("Tahoma"), 14);
    auto* question = new TZlatovirPitanje(&m_area);
    question->move(questionPlace);
    question->setTextFont(captionFont);
    question->setLblCaption(QStringLiteral("Dobrodošli u ZLATOVIR-ov VEDU DOZEZI"));
    question->setMask(questionShape);
    m_cells.push_back(question);
    for (const AnswerCell& layout : answerCells) {
        auto* cell = new TZlatovirOdgovor(&m_area);
        cell->move(layout.place);
        cell->setTextFont(captionFont);
        cell->setOdgovorNo(layout.box);
        cell->setDStatus(layout.status);
        cell->setLblCaption(QString::fromUtf8(layout.caption));
        cell->setMask(answerShape);
        m_cells.push_back(cell);
    }
}

QImage OffscreenPreview::picture()
{
    std::vector<const TZlatovirCelija*> cells;
    for (TZlatovirCelija* cell : m_cells) {
        cell->Redraw();
        cells.push_back(cell);
    }
    return composePreview(cells, questionPlace);
}
