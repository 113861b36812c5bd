// Unit1: the main window of the skin editor; see Unit1.h.
#include "app/Unit1.h"
#include "ui_Unit1.h"

#include "app/Unit3.h"
#include "platform/base/Errors.h"
#include "platform/raster/Graphics.h"
#include "platform/raster/Pictures.h"
#include "platform/system/Resources.h"
#include "platform/toolkit/Application.h"
#include "app/ReadabilityTip.h"
#include "skin/Preview.h"
#include "skin/Readability.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QActionGroup>
#include <QHelpEvent>
#include <QToolTip>

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

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmMain>()), regPitanje(this), RegOdgovor(this),
      m_document(*this, []() -> Prompts& { return Application()->prompts(); }, dlgOpen, dlgSave)
{
    m_ui->setupUi(this);
    setAcceptDrops(true);
    usePixelFonts(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The window is white: the preview's shapes are cut against that white.
    // The menu bar and the pages keep the desktop theme's own colours, so
    // that their texts stay readable under a dark theme too.
    // Every role of the theme's palette is set explicitly, or the children
    // would take the window's white for the roles left open.
    QPalette theme = palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            theme.setColor(group, QPalette::ColorRole(role), theme.color(group, QPalette::ColorRole(role)));
    QPalette white = theme;
    white.setColor(QPalette::Window, QColor::fromRgb(resolveColor(clWhite)));
    setPalette(white);
    setAutoFillBackground(true);
    menuBar()->setPalette(theme);
    menuBar()->setAutoFillBackground(true);
    m_ui->PageControl1->setPalette(theme);
    // Each direction group's bold caption covers the bevel line behind it.
    for (QLabel* caption : {m_ui->Label38, m_ui->Label40, m_ui->Label41, m_ui->Label42, m_ui->Label43, m_ui->Label44, m_ui->Label45})
        coverSiblingsBelow(caption);
    // The client area is 800 pixels wide, so that the cells at x = 0 and 400
    // fill it, and reaches below the last row of cells (y = 407).
    setFixedSize(800, menuBar()->sizeHint().height() + 434);
    // The client area takes its size now, not only when first shown.
    layout()->activate();

    const QString filter = QStringLiteral("Zlatovir SKIN datoteke|*.kvz");
    dlgOpen.Filter = filter;
    using enum FileDialogOption;
    dlgOpen.Options = HideReadOnly | PathMustExist | FileMustExist | EnableSizing;
    dlgSave.Filter = filter;
    dlgSave.Options = OverwritePrompt | HideReadOnly | PathMustExist | EnableSizing;

    readShapeData();
    definePages();
    // The controls start at the standard skin, which the images are first
    // painted in; the handlers are bound only afterwards.
    showRecord(standardSkinRecord());
    nameControls();
    createHistory();
    bindEvents();
    TApplication::guard([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() = default;

// The history reads a page as what its controls hold, and shows one by
// setting them and running the page's handler once (the direction buttons
// set without their click, which would run it twice).
void TfrmMain::createHistory()
{
    std::vector<EditHistory::Page> pages;
    for (int i = 0; i <= OstaloPage; ++i) {
        const PageWidgets& page = m_pages[size_t(i)];
        pages.push_back({pageTitle(i), [this, i] { return controlsValue(i); },
                         [this, &page, i](const PageValue& value) {
                             showColours(i, value);
                             if (i == OstaloPage) {
                                 cbTacanOdgovorChange();
                                 return;
                             }
                             const QSignalBlocker desno(page.desno), dole(page.dole);
                             (value.direction.value_or(1) ? page.desno : page.dole)->setChecked(true);
                             pageChanged(PageIndex(i));
                         }});
    }
    // Undo and redo run the page's change handler, which marks the skin
    // changed, as every change does: there is no other record of changes.
    m_history = std::make_unique<EditHistory>(std::move(pages));
}

// The label standing in front of a control, on its row of the page.
QLabel* TfrmMain::labelOf(const QWidget* control) const
{
    for (QLabel* label : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->geometry().top() == control->geometry().top() && label->geometry().right() < control->x())
            return label;
    return nullptr;
}

// A label's words without its colon ("Boja 1").
QString TfrmMain::labelText(const QWidget* control) const
{
    const QLabel* label = labelOf(control);
    return label ? label->text().remove(QLatin1Char(':')).trimmed() : QString();
}

// Screen readers announce a box by its page and label, and the preview
// cells by the page they show.
void TfrmMain::nameControls()
{
    for (int i = 0; i <= OstaloPage; ++i) {
        const PageWidgets& page = m_pages[size_t(i)];
        for (TColorBox* box : page.boxes) {
            box->setAccessibleName(pageTitle(i) + QStringLiteral(", ") + labelText(box));
            if (QLabel* label = labelOf(box))
                label->setBuddy(box);
        }
        if (page.cell)
            page.cell->setAccessibleName(QStringLiteral("Pregled: ") + pageTitle(i));
    }
}

// A page's title, as the skin table names it.
// The local files a drag carries ("file://localhost/..." is local too), or
// nothing when it carries anything else.
std::optional<QStringList> TfrmMain::droppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        const std::optional<QString> file = localFileOf(url);
        if (!file)
            return std::nullopt;
        files << *file;
    }
    if (files.isEmpty())
        return std::nullopt;
    return files;
}

// A drop is taken as a copy, whatever the source proposes: a source that
// is told "moved" may delete its file, and opening a skin never takes it
// from where it lies.
bool TfrmMain::acceptAsCopy(QDropEvent* event)
{
    if (!droppedFiles(event->mimeData()) || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    acceptAsCopy(event);
}

void TfrmMain::dragMoveEvent(QDragMoveEvent* event)
{
    acceptAsCopy(event);
}

// The drag source is told at once that the drop is done; the question
// about unsaved changes, or why the files can't be opened, comes after, so
// that the file manager never waits on a box.
void TfrmMain::dropEvent(QDropEvent* event)
{
    if (!acceptAsCopy(event))
        return;
    const QStringList files = *droppedFiles(event->mimeData());
    const bool oneSkin = files.size() == 1 && files.first().endsWith(QStringLiteral(".kvz"), Qt::CaseInsensitive);
    openHanded(oneSkin ? files.first() : QString(), QStringLiteral("Prevlačenjem se otvara jedna SKIN datoteka (.kvz)."));
}

// At most one request waits, the latest: a user's last double-click wins,
// and a flood of requests costs one run.
void TfrmMain::openHanded(const QString& file, const QString& refusal)
{
    m_handed = HandedFile{file, refusal};
    runHandedLater();
}

void TfrmMain::runHandedLater()
{
    if (m_handedPosted)
        return;
    m_handedPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_handedPosted = false;
            runHanded();
        },
        Qt::QueuedConnection);
}

// A question never opens inside another box or dialog, nor while an
// earlier request is still asking: the request waits, and the modal
// window's closing (WindowUnblocked) wakes it. It then belongs to the
// document open at that moment.
void TfrmMain::runHanded()
{
    if (!m_handed || m_runningHanded || QApplication::activeModalWidget())
        return;
    const HandedFile request = std::move(*m_handed);
    m_handed.reset();
    m_runningHanded = true;
    TApplication::guard([&] {
        const std::optional<QString> unusable = request.file.isEmpty() ? std::nullopt : unusablePath(request.file);
        if (!request.file.isEmpty() && !unusable)
            m_document.openFile(request.file);
        else
            Application()->prompts().MessageBox(unusable.value_or(request.refusal), RefusalCaption, MessageKind::Error);
    });
    m_runningHanded = false;
    if (m_handed)
        runHandedLater();
}

bool TfrmMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowUnblocked && m_handed)
        runHandedLater();
    return QMainWindow::event(event);
}

void TfrmMain::contextMenuEvent(QContextMenuEvent* event)
{
    if (menuBar()->geometry().contains(event->pos())) {
        event->ignore();
        return;
    }
    showContextMenu(event->globalPos(), m_ui->PageControl1->currentWidget());
}

void TfrmMain::showContextMenu(const QPoint& globalPos, QWidget* page)
{
    QUndoStack& stack = m_history->stack();
    QMenu menu(this);
    // A step's name follows its entry; with nothing to undo or redo the
    // greyed entry is the bare word.
    const auto stepEntry = [&menu](const QString& word, bool can, const QString& step) {
        QAction* entry = menu.addAction(can ? word + QStringLiteral(": ") + step : word);
        entry->setEnabled(can);
        return entry;
    };
    QAction* undo = stepEntry(QStringLiteral("Ponisti"), stack.canUndo(), stack.undoText());
    QAction* redo = stepEntry(QStringLiteral("Ponovi"), stack.canRedo(), stack.redoText());
    menu.addSeparator();
    QAction* standard = menu.addAction(QStringLiteral("Standardne boje ove strane"));
    menu.addSeparator();
    QAction* preview = menu.addAction(QStringLiteral("Sacuvaj pregled kao..."));
    QMenu* view = menu.addMenu(QStringLiteral("Prikaz"));
    auto* visions = new QActionGroup(view);
    for (const Vision vision : Visions) {
        QAction* entry = visions->addAction(view->addAction(visionTitle(vision)));
        entry->setCheckable(true);
        entry->setChecked(vision == m_ui->mPitanje->shownVision());
        connect(entry, &QAction::triggered, this, [this, vision] { showVision(vision); });
    }
    connect(preview, &QAction::triggered, this, [this] {
        TApplication::guard([this] {
            TSaveDialog dialog;
            dialog.Filter = QStringLiteral("PNG slike|*.png");
            m_document.savePreview([this](const QString& name) { return encodePicture(previewImage(), name, "PNG"); },
                                   dialog);
        });
    });
    connect(undo, &QAction::triggered, this, [&stack] { TApplication::guard([&] { stack.undo(); }); });
    connect(redo, &QAction::triggered, this, [&stack] { TApplication::guard([&] { stack.redo(); }); });
    // The page's own "Standarno", with the page brought forward.
    connect(standard, &QAction::triggered, this, [this, page] {
        m_ui->PageControl1->setCurrentWidget(page);
        const QList<QToolButton*> buttons = page->findChildren<QToolButton*>();
        if (!buttons.isEmpty())
            buttons.first()->click();
    });
    menu.exec(globalPos);
}

void TfrmMain::showVision(Vision vision)
{
    for (const PageWidgets& page : m_pages)
        if (page.cell)
            page.cell->setShownVision(vision);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QMainWindow::eventFilter(watched, event);
    TApplication::guard([&] {
        auto* cell = static_cast<TZlatovirCelija*>(watched);
        std::vector<TZlatovirCelija*> cells;
        for (const PageWidgets& page : m_pages)
            if (page.cell)
                cells.push_back(page.cell);
        const int image = cell->shownImage();
        if (image < 0)
            return;
        QStringList system;
        for (TColorBox* box : m_pages[size_t(image)].boxes)
            if (isSystemColor(box->Selected()))
                system << labelText(box);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           readabilityTip(measureReadability(cells), image, system), cell);
    });
    return true;
}

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
    m_ui->mPitanje->setMask(regPitanje.traced());
    // The six answer and confirmation cells share one shape, traced once.
    const QRegion answer = RegOdgovor.traced();
    for (TZlatovirOdgovor* cell : {m_ui->mOdgovor1, m_ui->mOdgovor2, m_ui->mOdgovor3, m_ui->mOdgovor4, m_ui->mYES, m_ui->mNO})
        cell->setMask(answer);
}

void TfrmMain::bindEvents()
{
    // Each page's handlers, in the skin table's order of the pages.
    using Handler = void (TfrmMain::*)();
    static constexpr Handler change[] = {
        &TfrmMain::cbPitanjeTextChange,   &TfrmMain::cbOdgovorNormalTextChange, &TfrmMain::cbOdgovorInTextChange,
        &TfrmMain::cbOdgovorChechTextChange, &TfrmMain::cbOdgovorOKTextChange, &TfrmMain::cbOdgovorYESTextChange,
        &TfrmMain::cbOdgovorNOTextChange, &TfrmMain::cbTacanOdgovorChange};
    static constexpr Handler standard[] = {
        &TfrmMain::spbPitanjeClick,    &TfrmMain::spbOdgovorNormalClick, &TfrmMain::spbOdgovorInClick,
        &TfrmMain::spbOdgovorChechClick, &TfrmMain::spbOdgovorOKClick,   &TfrmMain::spbOdgovorYESClick,
        &TfrmMain::spbOdgovorNOClick,  &TfrmMain::spbOstaloClick};
    static_assert(std::size(change) == PageCount + 1 && std::size(standard) == PageCount + 1);
    // One handler serves the whole page: every colour box's change and both
    // radio buttons' click. What the user touched names the history's step;
    // it is noted before the handler runs.
    for (size_t i = 0; i < m_pages.size(); ++i) {
        const PageWidgets& page = m_pages[i];
        for (TColorBox* box : page.boxes) {
            connect(box, &TColorBox::OnChange, this, [this, box] { m_editedControl = labelText(box); });
            connect(box, &TColorBox::OnChange, this, TApplication::guarded(this, change[i]));
        }
        for (TRadioButton* button : {page.desno, page.dole}) {
            if (!button)
                continue;
            connect(button, &TRadioButton::OnClick, this, [this] { m_editedControl = QStringLiteral("Prelivanje"); });
            connect(button, &TRadioButton::OnClick, this, TApplication::guarded(this, change[i]));
        }
        connect(page.standard, &QToolButton::clicked, this, TApplication::guarded(this, standard[i]));
        // A preview cell's menu acts on the page the cell shows.
        if (TZlatovirCelija* cell = page.cell) {
            cell->installEventFilter(this);
            cell->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(cell, &QWidget::customContextMenuRequested, this,
                    [this, cell, sheet = page.sheet](const QPoint& pos) { showContextMenu(cell->mapToGlobal(pos), sheet); });
        }
    }
    // Window shortcuts: the menu bar stays as the layout gives it.
    const std::pair<QKeySequence, void (QUndoStack::*)()> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), &QUndoStack::undo},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &QUndoStack::redo},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), &QUndoStack::redo},
    };
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, step = step] { TApplication::guard([&] { (m_history->stack().*step)(); }); });
    }
    const std::pair<QAction*, void (TfrmMain::*)()> commands[] = {
        {m_ui->Nov1, &TfrmMain::Nov1Click},         {m_ui->Otvori1, &TfrmMain::Otvori1Click},
        {m_ui->mnmSave, &TfrmMain::mnmSaveClick},   {m_ui->mnmSaveAs, &TfrmMain::mnmSaveAsClick},
        {m_ui->Zatvori1, &TfrmMain::Zatvori1Click}, {m_ui->Oprogramu1, &TfrmMain::Oprogramu1Click},
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

// What the window shows there is each cell's own picture inside its shape
// on the window's white.
QImage TfrmMain::previewImage()
{
    std::vector<const TZlatovirCelija*> cells;
    for (const TZlatovirCelija* cell : centralWidget()->findChildren<TZlatovirCelija*>())
        if (cell->isVisibleTo(this))
            cells.push_back(cell);
    return composePreview(cells, m_ui->mPitanje->pos());
}

// The creation handler runs once, when every control holds its layout
// default and the skin images already hold the same colours; it paints no
// image.
void TfrmMain::FormCreate()
{
    m_document.setOpenDir(QStringLiteral("."));
    m_document.setSaveDir(QStringLiteral("."));
    m_document.setModified(false);
    m_document.ReadSettings();
    regPitanje.SetEnabled(true);
    RegOdgovor.SetEnabled(true);
    ShapePreviews();
    regPitanje.SetEnabled(false);
    RegOdgovor.SetEnabled(false);
    m_document.setCurrentFile(NewSkinFileName);
}

void TfrmMain::FormClose()
{
    m_document.WriteSettings();
}

void TfrmMain::showCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TfrmMain::showFirstPage()
{
    m_ui->PageControl1->setCurrentWidget(m_ui->pagePitanje);
}

// Each page of the skin table, its widgets in the order of the page's colours.
namespace {

// A control of the window's own layout; every name asked for is there.
template <class T>
T* namedPart(const QObject* window, const QString& name)
{
    T* part = window->findChild<T*>(name);
    if (!part) // a field of the skin table without its control in the layout
        throw EditorError(QStringLiteral("The layout has no component \"%1\".").arg(name));
    return part;
}

} // namespace

// Each page of the skin table finds its controls in the layout by name: a
// colour box is "cb" and its field, "Desno" is "rb" and the direction field,
// "Dole" the same with "Dole" in its place, the cell as the table names it.
void TfrmMain::definePages()
{
    for (const SkinPage& page : skinPages()) {
        PageWidgets widgets;
        for (const PageColour& colour : page.colours)
            widgets.boxes.push_back(namedPart<TColorBox>(this, QLatin1String("cb") + QLatin1String(fieldName(colour.field))));
        if (page.direction) {
            const QString desno = QLatin1String("rb") + QLatin1String(fieldName(page.direction));
            widgets.desno = namedPart<TRadioButton>(this, desno);
            widgets.dole = namedPart<TRadioButton>(this, QString(desno).replace(QLatin1String("Desno"), QLatin1String("Dole")));
        }
        if (page.cell)
            widgets.cell = namedPart<TZlatovirCelija>(this, QLatin1String(page.cell));
        // The tab the page's boxes stand on, and its "Standarno" button.
        for (int tab = 0; tab < m_ui->PageControl1->count() && !widgets.sheet; ++tab)
            if (m_ui->PageControl1->widget(tab)->isAncestorOf(widgets.boxes.front()))
                widgets.sheet = m_ui->PageControl1->widget(tab);
        if (!widgets.sheet)
            throw EditorError(QStringLiteral("The layout has no tab for the page \"%1\".").arg(QString::fromUtf8(page.title)));
        widgets.standard = widgets.sheet->findChild<QToolButton*>();
        if (!widgets.standard)
            throw EditorError(QStringLiteral("The layout has no \"Standarno\" button on \"%1\".").arg(QString::fromUtf8(page.title)));
        m_pages.push_back(widgets);
    }
}

PageValue TfrmMain::controlsValue(int index) const
{
    const PageWidgets& page = m_pages[size_t(index)];
    PageValue value;
    for (const TColorBox* box : page.boxes)
        value.colours.push_back(box->Selected());
    if (page.desno)
        value.direction = page.desno->isChecked() ? 1 : 0;
    return value;
}

void TfrmMain::showColours(int index, const PageValue& value)
{
    const PageWidgets& page = m_pages[size_t(index)];
    for (size_t i = 0; i < page.boxes.size(); ++i)
        page.boxes[i]->setSelected(value.colours.at(i));
}

// A page's change: the direction from "Desno" (the "Dole" button is not
// read), the colours as the boxes hold them, its image repainted, exactly
// its one cell repainted at once, and the skin marked changed.
void TfrmMain::pageChanged(PageIndex index)
{
    PaintPageImage(index, controlsValue(index));
    m_pages[index].cell->Redraw();
    m_document.setModified(true);
    if (m_history)
        m_history->changed(index, m_editedControl);
}

// Checking a button that was not checked unchecks its partner and raises its
// click, which runs the page handler with the new colours already in place;
// the handler then runs once more here, whether or not a button changed.
void TfrmMain::setPage(int index, const PageValue& value)
{
    if (index == OstaloPage) {
        showColours(index, value);
        return;
    }
    m_history->quietly([&] {
        const PageWidgets& page = m_pages[size_t(index)];
        showColours(index, value);
        const GradientDirection direction = value.direction.value_or(1);
        if (direction == 0)
            page.dole->setChecked(true);
        else if (direction == 1 || !skinPages()[size_t(index)].onlyZeroOrOneMovesDirection)
            page.desno->setChecked(true);
        pageChanged(PageIndex(index));
    });
}

void TfrmMain::setFields(int page, std::initializer_list<std::pair<TColor TSkinRecord::*, TColor>> colours,
                         std::optional<GradientDirection> direction)
{
    const SkinPage& table = skinPages()[size_t(page)];
    TSkinRecord record;
    setPageValue(record, table, controlsValue(page));
    for (const auto& [field, colour] : colours)
        record.*field = colour;
    PageValue value = pageValue(record, table);
    if (direction)
        value.direction = direction;
    setPage(page, value);
}

void TfrmMain::standardPage(int index)
{
    m_history->edit(index, QStringLiteral("Standarno"),
                    [&] { setPage(index, pageValue(standardSkinRecord(), skinPages()[index])); });
    m_document.setModified(true);
}

void TfrmMain::cbPitanjeTextChange() { pageChanged(PitanjePage); }
void TfrmMain::cbOdgovorNormalTextChange() { pageChanged(NormalPage); }
void TfrmMain::cbOdgovorInTextChange() { pageChanged(InPage); }
void TfrmMain::cbOdgovorChechTextChange() { pageChanged(ChechPage); }
void TfrmMain::cbOdgovorOKTextChange() { pageChanged(OKPage); }
void TfrmMain::cbOdgovorNOTextChange() { pageChanged(NOPage); }
void TfrmMain::cbOdgovorYESTextChange() { pageChanged(YESPage); }

// The six colours of "Ostalo" are only stored; nothing draws them.
void TfrmMain::cbTacanOdgovorChange()
{
    m_document.setModified(true);
    m_history->changed(OstaloPage, m_editedControl);
}

void TfrmMain::spbPitanjeClick() { standardPage(PitanjePage); }
void TfrmMain::spbOdgovorNormalClick() { standardPage(NormalPage); }
void TfrmMain::spbOdgovorInClick() { standardPage(InPage); }
void TfrmMain::spbOdgovorChechClick() { standardPage(ChechPage); }
void TfrmMain::spbOdgovorOKClick() { standardPage(OKPage); }
void TfrmMain::spbOdgovorYESClick() { standardPage(YESPage); }
void TfrmMain::spbOdgovorNOClick() { standardPage(NOPage); }

void TfrmMain::spbOstaloClick() { standardPage(OstaloPage); }

void TfrmMain::standardAllPages()
{
    m_history->quietly([this] { standardPagesByHandlers(); });
}

void TfrmMain::standardPagesByHandlers()
{
    spbPitanjeClick();
    spbOdgovorNormalClick();
    spbOdgovorInClick();
    spbOdgovorChechClick();
    spbOdgovorOKClick();
    spbOdgovorYESClick();
    spbOdgovorNOClick();
    spbOstaloClick();
}

// The skin the controls hold, page by page of the skin table.
TSkinRecord TfrmMain::currentRecord() const
{
    TSkinRecord record;
    for (int i = 0; i <= OstaloPage; ++i)
        setPageValue(record, skinPages()[size_t(i)], controlsValue(i));
    return record;
}

// The controls take the record's values; no handler runs and nothing is
// painted (the window is built with the standard skin this way).
void TfrmMain::showRecord(const TSkinRecord& record)
{
    for (int i = 0; i <= OstaloPage; ++i) {
        const PageValue value = pageValue(record, skinPages()[size_t(i)]);
        showColours(i, value);
        if (const PageWidgets& page = m_pages[size_t(i)]; page.desno)
            (*value.direction ? page.desno : page.dole)->setChecked(true);
    }
}

// "Zatvori" closes the window through the close query.
void TfrmMain::Zatvori1Click()
{
    close();
}

void TfrmMain::Oprogramu1Click()
{
    if (frmAbout)
        frmAbout->ShowModal();
}
