// The editor window's controls and their placement.
#include "authoring/windows/zagruzka.h"

#include "platform/windows/hint.h"
#include "session/windows/controls.h"
#include "session/windows/main_window.h"
#include "reports/document.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace tavel {

using authoring::Grid;
using namespace controls;

namespace {

// A grid view over its model: no fixed columns, edited in place, columns
// resizable, rows 20 pixels high (all rows of a big grid the same height, so
// scrolling never measures them).
QTableView* gridView(QWidget* parent, authoring::GridModel& model)
{
    auto* view = named(new QTableView(parent), authoring::gridName(model.grid()));
    view->setModel(&model);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setWordWrap(false);
    QHeaderView* rows = view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(20);
    rows->setMinimumSectionSize(20);
    QHeaderView* columns = view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setDefaultSectionSize(44);
    // Where the text is the last column, it takes the width that is left.
    const int last = model.columns() - 1;
    columns->setStretchLastSection(model.grid() != Grid::Questions);
    columns->resizeSection(last, 120);
    return view;
}

void widen(QTableView* view, int column, int width)
{
    view->horizontalHeader()->resizeSection(column, width);
}

QPushButton* dbfButton(QWidget* parent, const QString& name)
{
    QPushButton* b = button(parent, name, QStringLiteral("dbf"));
    b->setEnabled(false);
    return b;
}

// The column of buttons and status boxes beside a grid.
QVBoxLayout* sideColumn()
{
    auto* column = new QVBoxLayout;
    column->setSpacing(3);
    return column;
}

// A column of controls in a box of its own width.
QWidget* fixedWidth(QLayout* layout, int width)
{
    auto* box = new QWidget;
    box->setLayout(layout);
    layout->setContentsMargins(0, 0, 0, 0);
    box->setFixedWidth(width);
    return box;
}

QWidget* statusRow(QWidget* parent, const QString& caption, QLineEdit* box)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!caption.isEmpty())
        layout->addWidget(label(row, caption, box));
    layout->addWidget(box, 1);
    box->setMinimumWidth(60);
    return row;
}

} // namespace

QString TZagruzka::caption()
{
    return QStringLiteral("Импорт новых тем, вопросов, ответов. Редактирование имеющихся.");
}

TZagruzka::TZagruzka(TForm1& form, WindowSet& windows)
    : QDialog(&form), form_(form), windows_(windows), listings_(std::make_unique<DocumentHolder>())
{
    setObjectName(QStringLiteral("TZagruzka"));
    setWindowTitle(caption());
    setModal(true);
    buildGrids();

    auto* left = new QSplitter(Qt::Vertical, this);
    left->setObjectName(QStringLiteral("gridSplitter"));
    left->addWidget(buildTopicGroup());
    left->addWidget(buildQuestionGroup());
    left->addWidget(buildAnswerGroup());
    left->setStretchFactor(0, 2);
    left->setStretchFactor(1, 4);
    left->setStretchFactor(2, 4);
    left->setChildrenCollapsible(false);

    auto* right = new QVBoxLayout;
    right->addWidget(buildSectionGroup(), 1);
    right->addWidget(buildImportGroup(), 3);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(left, 7);
    layout->addLayout(right, 3);
    resize(1260, 940);

    connectHandlers();
}

TZagruzka::~TZagruzka() = default;

void TZagruzka::buildGrids()
{
    RazdelTab = gridView(this, grids_.sectionGrid);
    TemaTabl = gridView(this, grids_.topicGrid);
    WopTabl = gridView(this, grids_.questionGrid);
    widen(WopTabl, wopros::QuestionText, 280);
    OtwTabl = gridView(this, grids_.answerGrid);
    IzTXT = gridView(this, grids_.importGrid);
}

QWidget* TZagruzka::buildTopicGroup()
{
    temaGroup = group(this, QStringLiteral("temaGroup"), QStringLiteral("Тема"));
    ZapTema = button(temaGroup, QStringLiteral("ZapTema"), QStringLiteral("3"), QStringLiteral("Запомнить"));
    TemaMin = button(temaGroup, QStringLiteral("TemaMin"), QStringLiteral("−"), QStringLiteral("Удалить строку"));
    TemaPlus = button(temaGroup, QStringLiteral("TemaPlus"), QStringLiteral("+"), QStringLiteral("Вставить строку"));
    BitBtn1 = button(temaGroup, QStringLiteral("BitBtn1"), QStringLiteral("Печать темы"), QStringLiteral("Печать темы"));
    Tema = dbfButton(temaGroup, QStringLiteral("Tema"));
    KolTem = valueBox(temaGroup, QStringLiteral("KolTem"), QStringLiteral("Тем"));
    NoTem = valueBox(temaGroup, QStringLiteral("NoTem"), QStringLiteral("Выбрана строка"));

    auto* side = sideColumn();
    auto* buttons = new QGridLayout;
    buttons->addWidget(ZapTema, 0, 0);
    buttons->addWidget(TemaMin, 0, 1);
    buttons->addWidget(TemaPlus, 0, 2);
    side->addLayout(buttons);
    side->addWidget(BitBtn1);
    side->addWidget(statusRow(temaGroup, QStringLiteral("Тем"), KolTem));
    side->addWidget(statusRow(temaGroup, QStringLiteral("Строка"), NoTem));
    side->addStretch(1);
    side->addWidget(Tema);

    TemaTabl->setParent(temaGroup);
    auto* layout = new QHBoxLayout(temaGroup);
    layout->addWidget(TemaTabl, 1);
    layout->addWidget(fixedWidth(side, 215));
    return temaGroup;
}

QWidget* TZagruzka::buildQuestionGroup()
{
    woprGroup = group(this, QStringLiteral("woprGroup"), QStringLiteral("Вопросы"));
    ZapWopr = button(woprGroup, QStringLiteral("ZapWopr"), QStringLiteral("4"), QStringLiteral("Запомнить"));
    WopMin = button(woprGroup, QStringLiteral("WopMin"), QStringLiteral("−"), QStringLiteral("Удалить строку"));
    WoprPlus = button(woprGroup, QStringLiteral("WoprPlus"), QStringLiteral("+"), QStringLiteral("Выше Вставить строку"));
    Wwerh9 = button(woprGroup, QStringLiteral("Wwerh9"), QStringLiteral("▲"),
                    QStringLiteral("Поменять местами с верхней строкой"));
    Wniz9 = button(woprGroup, QStringLiteral("Wniz9"), QStringLiteral("▼"),
                   QStringLiteral("Поменять местами с нижней строкой"));
    BitBtn2 = button(woprGroup, QStringLiteral("BitBtn2"), QStringLiteral("Балл"), QStringLiteral("1 балл везде поставить"));
    BitBtn3 = button(woprGroup, QStringLiteral("BitBtn3"), QStringLiteral("Редак"), QStringLiteral("Редактирование вопроса"));
    PtiwGif = button(woprGroup, QStringLiteral("PtiwGif"), QStringLiteral("Рис."),
                     QStringLiteral("Привязать рисунок к этому вопросу"));
    WoprZ = dbfButton(woprGroup, QStringLiteral("WoprZ"));
    KolWop = valueBox(woprGroup, QStringLiteral("KolWop"), QStringLiteral("Вопросов"));
    NoWop = valueBox(woprGroup, QStringLiteral("NoWop"), QStringLiteral("Номер строки"));
    ImyFile = valueBox(woprGroup, QStringLiteral("ImyFile"), QStringLiteral("Код вопроса. Имя файла gif к вопросу"));

    auto* side = sideColumn();
    auto* buttons = new QGridLayout;
    buttons->addWidget(ZapWopr, 0, 0);
    buttons->addWidget(WopMin, 0, 1);
    buttons->addWidget(WoprPlus, 0, 2);
    buttons->addWidget(Wwerh9, 1, 1);
    buttons->addWidget(Wniz9, 1, 2);
    buttons->addWidget(BitBtn2, 2, 0);
    buttons->addWidget(BitBtn3, 2, 1);
    buttons->addWidget(PtiwGif, 2, 2);
    side->addLayout(buttons);
    side->addWidget(statusRow(woprGroup, QStringLiteral("Вопросов"), KolWop));
    side->addWidget(statusRow(woprGroup, QStringLiteral("Строка"), NoWop));
    side->addWidget(statusRow(woprGroup, QStringLiteral("Код"), ImyFile));
    side->addStretch(1);
    side->addWidget(WoprZ);

    WopTabl->setParent(woprGroup);
    auto* layout = new QHBoxLayout(woprGroup);
    layout->addWidget(WopTabl, 1);
    layout->addWidget(fixedWidth(side, 215));
    return woprGroup;
}

QWidget* TZagruzka::buildAnswerGroup()
{
    otwGroup = group(this, QStringLiteral("otwGroup"), QStringLiteral("Ответы"));
    ZapOtw = button(otwGroup, QStringLiteral("ZapOtw"), QStringLiteral("5"), QStringLiteral("Запомнить"));
    OtwMin = button(otwGroup, QStringLiteral("OtwMin"), QStringLiteral("−"), QStringLiteral("Удалить строку"));
    OtwPlus = button(otwGroup, QStringLiteral("OtwPlus"), QStringLiteral("+"), QStringLiteral("Вставить строку"));
    OtwetZ = dbfButton(otwGroup, QStringLiteral("OtwetZ"));
    KolOtw = valueBox(otwGroup, QStringLiteral("KolOtw"), QStringLiteral("Ответов"));
    NoOtw = valueBox(otwGroup, QStringLiteral("NoOtw"), QStringLiteral("Выбрана строка"));
    KOtwWopr = valueBox(otwGroup, QStringLiteral("KOtwWopr"), QStringLiteral("Количество ответов"));

    auto* side = sideColumn();
    auto* buttons = new QGridLayout;
    buttons->addWidget(ZapOtw, 0, 0);
    buttons->addWidget(OtwMin, 0, 1);
    buttons->addWidget(OtwPlus, 0, 2);
    side->addLayout(buttons);
    side->addWidget(statusRow(otwGroup, QStringLiteral("Ответов"), KolOtw));
    side->addWidget(statusRow(otwGroup, QStringLiteral("Строка"), NoOtw));
    side->addWidget(statusRow(otwGroup, QStringLiteral("У вопроса"), KOtwWopr));
    side->addStretch(1);
    side->addWidget(OtwetZ);

    OtwTabl->setParent(otwGroup);
    auto* layout = new QHBoxLayout(otwGroup);
    layout->addWidget(OtwTabl, 1);
    layout->addWidget(fixedWidth(side, 215));
    return otwGroup;
}

QWidget* TZagruzka::buildSectionGroup()
{
    razdelGroup = group(this, QStringLiteral("razdelGroup"), QStringLiteral("Раздел"));
    ZapRazdel = button(razdelGroup, QStringLiteral("ZapRazdel"), QStringLiteral("Запомнить"));
    RazdelZ = dbfButton(razdelGroup, QStringLiteral("RazdelZ"));
    RazdelTab->setParent(razdelGroup);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ZapRazdel);
    buttons->addStretch(1);
    buttons->addWidget(RazdelZ);
    auto* layout = new QVBoxLayout(razdelGroup);
    layout->addWidget(RazdelTab, 1);
    layout->addLayout(buttons);
    return razdelGroup;
}

QWidget* TZagruzka::buildImportGroup()
{
    importGroup = group(this, QStringLiteral("importGroup"), QStringLiteral("Импорт темы"));
    readGroup = group(importGroup, QStringLiteral("readGroup"), QStringLiteral("Читать txt файл"));
    EGE = button(readGroup, QStringLiteral("EGE"), QStringLiteral("1  ЕГЭ"), QStringLiteral("Из ЕГЭ вопросы"));
    ZagTXT = button(readGroup, QStringLiteral("ZagTXT"), QStringLiteral("С цифры"), QStringLiteral("Вопрос начинается с цифры"));
    wVopros = button(readGroup, QStringLiteral("wVopros"), QStringLiteral("С буквы w"),
                     QStringLiteral("Вопрос начинается с буквы w"));
    IzGener = button(readGroup, QStringLiteral("IzGener"), QStringLiteral("Из генер."));
    Dekodir = button(importGroup, QStringLiteral("Dekodir"), QStringLiteral("2  Декодер"),
                     QStringLiteral("Из этой таблицы заполнить верхние таблицы"));
    TemExam = button(importGroup, QStringLiteral("TemExam"), QStringLiteral("6 Тему в Экз"));
    Gauge1 = named(new QProgressBar(importGroup), QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);

    auto* read = new QGridLayout(readGroup);
    read->addWidget(EGE, 0, 0);
    read->addWidget(ZagTXT, 0, 1);
    read->addWidget(wVopros, 1, 0);
    read->addWidget(IzGener, 1, 1);

    IzTXT->setParent(importGroup);
    auto* steps = new QHBoxLayout;
    steps->addWidget(Dekodir);
    steps->addWidget(TemExam);
    auto* layout = new QVBoxLayout(importGroup);
    layout->addWidget(readGroup);
    layout->addLayout(steps);
    layout->addWidget(Gauge1);
    // The readers leave "Predm", "Tema" and "Test" empty: room for the text.
    for (int column : {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode})
        IzTXT->setColumnWidth(column, 24);
    IzTXTFile = named(new QLabel(importGroup), QStringLiteral("IzTXTFile"));
    IzTXTFile->setWordWrap(true);
    layout->addWidget(IzTXTFile);
    layout->addWidget(IzTXT, 1);
    return importGroup;
}

QTableView* TZagruzka::view(Grid grid) const
{
    switch (grid) {
    case Grid::Sections:
        return RazdelTab;
    case Grid::Topics:
        return TemaTabl;
    case Grid::Questions:
        return WopTabl;
    case Grid::Answers:
        return OtwTabl;
    case Grid::Import:
        break;
    }
    return IzTXT;
}

void TZagruzka::connectHandlers()
{
    const auto on = [this](QPushButton* b, void (TZagruzka::*handler)()) {
        connect(b, &QPushButton::clicked, this, handler);
    };
    on(ZapRazdel, &TZagruzka::ZapRazdelClick);
    on(ZapTema, &TZagruzka::ZapTemaClick);
    on(ZapWopr, &TZagruzka::ZapWoprClick);
    on(ZapOtw, &TZagruzka::ZapOtwClick);
    on(TemaMin, &TZagruzka::TemaMinClick);
    on(WopMin, &TZagruzka::WopMinClick);
    on(OtwMin, &TZagruzka::OtwMinClick);
    on(TemaPlus, &TZagruzka::TemaPlusClick);
    on(WoprPlus, &TZagruzka::WoprPlusClick);
    on(OtwPlus, &TZagruzka::OtwPlusClick);
    on(Wwerh9, &TZagruzka::Wwerh9Click);
    on(Wniz9, &TZagruzka::Wniz9Click);
    on(BitBtn2, &TZagruzka::BitBtn2Click);
    on(BitBtn3, &TZagruzka::BitBtn3Click);
    on(PtiwGif, &TZagruzka::PtiwGifClick);
    on(TemExam, &TZagruzka::TemExamClick);
    on(BitBtn1, &TZagruzka::BitBtn1Click);
    on(EGE, &TZagruzka::EGEClick);
    on(ZagTXT, &TZagruzka::ZagTXTClick);
    on(wVopros, &TZagruzka::wVoprosClick);
    on(IzGener, &TZagruzka::IzGenerClick);
    on(Dekodir, &TZagruzka::DekodirClick);
    connect(TemaTabl, &QTableView::pressed, this, [this](const QModelIndex& i) { TemaTablMouseDown(i.row()); });
    connect(WopTabl, &QTableView::pressed, this, [this](const QModelIndex& i) { WopTablMouseDown(i.row()); });
    connect(OtwTabl, &QTableView::pressed, this, [this](const QModelIndex& i) { OtwTablMouseDown(i.row()); });
    for (Grid g : {Grid::Sections, Grid::Topics, Grid::Questions, Grid::Answers})
        connect(&grids_.of(g), &authoring::GridModel::modifiedChanged, this, [this] { updateCaptions(); });
}

} // namespace tavel
