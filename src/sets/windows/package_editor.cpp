// The package editor window.
#include "sets/windows/package_editor.h"

#include "platform/windows/gauge_progress.h"
#include "platform/open_file.h"
#include "platform/windows/message_box.h"
#include "reports/windows/workbook_window.h"
#include "session/windows/controls.h"
#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavel {
namespace {

QStringList columnTitles()
{
    return {QStringLiteral("Предмет"), QStringLiteral("Тема"), QStringLiteral("Название темы"),
            QStringLiteral("Всего"), QStringLiteral("Надо")};
}

QString cell(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

QString TNaborWopr::caption()
{
    return QStringLiteral("Редактор пакетов. Задать число вопросов из каждой темы для экзамена");
}

TNaborWopr::TNaborWopr(InstallFolder home, QWidget* parent) : QDialog(parent), home_(std::move(home))
{
    using namespace controls;
    setObjectName(QStringLiteral("TNaborWopr"));
    setWindowTitle(caption());
    setModal(true);

    WiibranFile = named(new QLineEdit(this), QStringLiteral("WiibranFile"),
                        QStringLiteral("Полный путь к файлу с Пакетом вопросов"));
    WiibranFile->setReadOnly(true);
    TemWopr = named(new QTableWidget(0, 5, this), QStringLiteral("TemWopr"));
    TemWopr->setHorizontalHeaderLabels(columnTitles());
    TemWopr->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TemWopr->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    TemWopr->verticalHeader()->setDefaultSectionSize(22);
    KolTem = valueBox(this, QStringLiteral("KolTem"), QStringLiteral("Число тем в пакете"), QStringLiteral("0"));
    WsegoW = valueBox(this, QStringLiteral("WsegoW"), QStringLiteral("Сумма ВСЕХ"), QStringLiteral("0"));
    WsegoNado = valueBox(this, QStringLiteral("WsegoNado"), QStringLiteral("Сумма ВСЕХ надо"), QStringLiteral("0"));
    KolW = named(new QLineEdit(QStringLiteral("5"), this), QStringLiteral("KolW"),
                 QStringLiteral("Сколько вопросов вставить из каждой темы в Надо"));
    KolW->setMaximumWidth(60);
    PredW = valueBox(this, QStringLiteral("PredW"), QStringLiteral("Предмет"));
    TemaW = valueBox(this, QStringLiteral("TemaW"), QStringLiteral("Тема"));
    TekstW = valueBox(this, QStringLiteral("TekstW"), QStringLiteral("Название темы"));
    for (QLineEdit* box : {KolTem, WsegoW, WsegoNado, PredW, TemaW})
        box->setMaximumWidth(70);
    Gauge1 = named(new QProgressBar(this), QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Label1 = new QLabel(QStringLiteral(" Можно редактировать столбец Надо "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    Label1->hide();

    Wse = button(this, QStringLiteral("Wse"), QStringLiteral("Пересчитать"),
                 QStringLiteral("пересчитать Всего вопросов в темах"));
    Wstawit = button(this, QStringLiteral("Wstawit"), QStringLiteral("Вставить"),
                     QStringLiteral("Указанное число вопросов ВСТАВИТЬ во все темы в столбец Надо"));
    BitBtn1 = button(this, QStringLiteral("BitBtn1"), QStringLiteral("Всего->Надо"));
    SumStolb = button(this, QStringLiteral("SumStolb"), QStringLiteral("Сумма"),
                      QStringLiteral("Сумму ВСЕХ Надо посчитать"));
    Vverh = button(this, QStringLiteral("Vverh"), QStringLiteral("▲"),
                   QStringLiteral("Вверх выбранную строку поднять"));
    Wniz = button(this, QStringLiteral("Wniz"), QStringLiteral("▼"), QStringLiteral("Вниз выбранную строку опустить"));
    WerhNa4 = button(this, QStringLiteral("WerhNa4"), QStringLiteral("⇈"),
                     QStringLiteral("На самый Верх выбранную строку поднять"));
    NizKon = button(this, QStringLiteral("NizKon"), QStringLiteral("⇊"),
                    QStringLiteral("В самый Низ выбранную строку опустить"));
    Udal = button(this, QStringLiteral("Udal"), QStringLiteral("Удалить"), QStringLiteral("Удалить выбранную строку"));
    Redak = button(this, QStringLiteral("Redak"), QStringLiteral("Редактор"),
                   QStringLiteral("Включить/Выключить Редактирование таблицы"));
    Redak->setCheckable(true);
    SaveTXT = button(this, QStringLiteral("SaveTXT"), QStringLiteral("В блокнот"),
                     QStringLiteral("Открыть список в блокноте Paint"));
    SpisTem = button(this, QStringLiteral("SpisTem"), QStringLiteral("Печать списка тем"),
                     QStringLiteral("Печать списка тем"));
    OtkrPak = button(this, QStringLiteral("OtkrPak"), QStringLiteral("Открыть пакет"),
                     QStringLiteral("Открыть пакет"));
    Zapomn = button(this, QStringLiteral("Zapomn"), QStringLiteral("Запомнить"),
                    QStringLiteral("Запомнить таблицу в этом файле"));
    vTemi = button(this, QStringLiteral("vTemi"), QStringLiteral("Заменить темы"), QStringLiteral("в основной базе"));

    connect(Wse, &QPushButton::clicked, this, &TNaborWopr::WseClick);
    connect(Wstawit, &QPushButton::clicked, this, &TNaborWopr::WstawitClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TNaborWopr::BitBtn1Click);
    connect(SumStolb, &QPushButton::clicked, this, &TNaborWopr::SumStolbClick);
    connect(Vverh, &QPushButton::clicked, this, &TNaborWopr::VverhClick);
    connect(Wniz, &QPushButton::clicked, this, &TNaborWopr::WnizClick);
    connect(WerhNa4, &QPushButton::clicked, this, &TNaborWopr::WerhNa4Click);
    connect(NizKon, &QPushButton::clicked, this, &TNaborWopr::NizKonClick);
    connect(Udal, &QPushButton::clicked, this, &TNaborWopr::UdalClick);
    connect(Redak, &QPushButton::clicked, this, &TNaborWopr::RedakClick);
    connect(SaveTXT, &QPushButton::clicked, this, &TNaborWopr::SaveTXTClick);
    connect(SpisTem, &QPushButton::clicked, this, &TNaborWopr::SpisTemClick);
    connect(OtkrPak, &QPushButton::clicked, this, &TNaborWopr::OtkrPakClick);
    connect(Zapomn, &QPushButton::clicked, this, &TNaborWopr::ZapomnClick);
    connect(vTemi, &QPushButton::clicked, this, &TNaborWopr::vTemiClick);
    connect(TemWopr, &QTableWidget::currentCellChanged, this, [this] { showSelected(); });

    auto* top = new QHBoxLayout;
    top->addWidget(label(this, QStringLiteral("Пакет:"), WiibranFile));
    top->addWidget(WiibranFile, 1);
    top->addWidget(OtkrPak);

    auto* selected = new QHBoxLayout;
    selected->addWidget(PredW);
    selected->addWidget(TemaW);
    selected->addWidget(TekstW, 1);

    auto* sums = new QGridLayout;
    sums->addWidget(label(this, QStringLiteral("Тем"), KolTem), 0, 0);
    sums->addWidget(KolTem, 0, 1);
    sums->addWidget(label(this, QStringLiteral("Всего"), WsegoW), 1, 0);
    sums->addWidget(WsegoW, 1, 1);
    sums->addWidget(label(this, QStringLiteral("Надо"), WsegoNado), 2, 0);
    sums->addWidget(WsegoNado, 2, 1);
    sums->addWidget(SumStolb, 3, 0, 1, 2);

    auto* fill = new QHBoxLayout;
    fill->addWidget(KolW);
    fill->addWidget(Wstawit, 1);

    auto* moves = new QGridLayout;
    moves->addWidget(WerhNa4, 0, 0);
    moves->addWidget(Vverh, 0, 1);
    moves->addWidget(Wniz, 1, 1);
    moves->addWidget(NizKon, 1, 0);

    auto* side = new QVBoxLayout;
    side->addLayout(sums);
    side->addSpacing(8);
    side->addWidget(Wse);
    side->addLayout(fill);
    side->addWidget(BitBtn1);
    side->addSpacing(8);
    side->addLayout(moves);
    side->addWidget(Udal);
    side->addWidget(Redak);
    side->addSpacing(8);
    side->addWidget(SaveTXT);
    side->addWidget(SpisTem);
    side->addStretch(1);
    side->addWidget(Zapomn);
    side->addWidget(vTemi);

    auto* middle = new QHBoxLayout;
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(Label1);
    gridColumn->addWidget(TemWopr, 1);
    gridColumn->addLayout(selected);
    middle->addLayout(gridColumn, 1);
    middle->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(Gauge1);
    resize(1000, 640);

    RedakClick(); // the normal state: whole rows selected
    RedakClick();
}

void TNaborWopr::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

PackageRows TNaborWopr::rows() const
{
    PackageRows out;
    out.reserve(size_t(TemWopr->rowCount()));
    for (int r = 0; r < TemWopr->rowCount(); ++r)
        out.push_back({cell(TemWopr, r, 0), cell(TemWopr, r, 1), cell(TemWopr, r, 2), cell(TemWopr, r, 3),
                       cell(TemWopr, r, 4)});
    return out;
}

void TNaborWopr::setRows(const PackageRows& rows)
{
    TemWopr->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const PackageRecord& row = rows[size_t(r)];
        const QString cells[] = {row.subjectCode, row.topicCode, row.topicName, row.totalCount, row.wantedCount};
        for (int c = 0; c < 5; ++c) {
            QTableWidgetItem* item = TemWopr->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                TemWopr->setItem(r, c, item);
            }
            item->setText(cells[c]);
            if (c >= 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    KolTem->setText(QString::number(rows.size()));
}

void TNaborWopr::select(int row)
{
    if (row >= 0 && row < TemWopr->rowCount())
        TemWopr->setCurrentCell(row, std::max(0, TemWopr->currentColumn()));
    showSelected();
}

void TNaborWopr::showSelected()
{
    const int r = TemWopr->currentRow();
    PredW->setText(r >= 0 ? cell(TemWopr, r, 0) : QString());
    TemaW->setText(r >= 0 ? cell(TemWopr, r, 1) : QString());
    TekstW->setText(r >= 0 ? cell(TemWopr, r, 2) : QString());
    TekstW->setCursorPosition(0);
}

void TNaborWopr::showSums(const PackageSums& sums)
{
    WsegoW->setText(QString::number(sums.total));
    WsegoNado->setText(QString::number(sums.wanted));
}

bool TNaborWopr::load(const QString& path, bool withSums)
{
    return dialogs::guarded(this, [&] {
        const PackageFile file = readPackage(trimmed(path));
        setRows(file.rows);
        select(file.rows.empty() ? -1 : 0);
        if (withSums) {
            showSums({});
            showSums(sumCounts(file.rows, QStringLiteral("Файл пакета %1").arg(QDir::toNativeSeparators(path))));
        }
        if (file.trailingBytes)
            dialogs::warning(this, caption(),
                             partialRecordMessage(file) +
                                 QStringLiteral(" Показаны целые записи; «Запомнить» сохранит только их."));
    });
}

void TNaborWopr::FormActivate()
{
    load(WiibranFile->text(), true);
}

void TNaborWopr::WseClick()
{
    dialogs::guarded(this, [this] {
        PackageRows rows = this->rows();
        GaugeProgress gauge(Gauge1);
        recountTotals(rows, subjectFile(subjectFolder_, subject_files::questions),
                      [&gauge](int done, int total) { gauge(done, total); });
        const int selected = TemWopr->currentRow();
        setRows(rows);
        select(selected);
    });
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
}

void TNaborWopr::WstawitClick()
{
    dialogs::guarded(this, [this] {
        PackageRows rows = this->rows();
        fillWanted(rows, KolW->text(), QStringLiteral("Таблица пакета"));
        setRows(rows);
    });
}

void TNaborWopr::BitBtn1Click()
{
    PackageRows rows = this->rows();
    totalsToWanted(rows);
    setRows(rows);
}

void TNaborWopr::SumStolbClick()
{
    showSums({});
    dialogs::guarded(this, [this] { showSums(sumCounts(rows(), QStringLiteral("Таблица пакета"))); });
}

void TNaborWopr::move(int (*operation)(PackageRows&, int))
{
    PackageRows rows = this->rows();
    const int selected = operation(rows, TemWopr->currentRow());
    setRows(rows);
    select(selected);
}

void TNaborWopr::VverhClick()
{
    move(&moveUp);
}

void TNaborWopr::WnizClick()
{
    move(&moveDown);
}

void TNaborWopr::WerhNa4Click()
{
    move(&moveToTop);
}

void TNaborWopr::NizKonClick()
{
    move(&moveToBottom);
}

void TNaborWopr::UdalClick()
{
    move(&removeRow);
}

void TNaborWopr::RedakClick()
{
    editing_ = !editing_;
    Redak->setChecked(editing_);
    QFont font = TemWopr->font();
    if (editing_) {
        TemWopr->setSelectionBehavior(QAbstractItemView::SelectItems);
        TemWopr->setSelectionMode(QAbstractItemView::SingleSelection);
        TemWopr->setEditTriggers(QAbstractItemView::AllEditTriggers);
        font.setBold(false);
    } else {
        TemWopr->setSelectionBehavior(QAbstractItemView::SelectRows);
        TemWopr->setSelectionMode(QAbstractItemView::SingleSelection);
        TemWopr->setEditTriggers(QAbstractItemView::NoEditTriggers);
        font.setBold(true);
    }
    TemWopr->setFont(font);
    Label1->setVisible(editing_);
}

void TNaborWopr::SaveTXTClick()
{
    dialogs::guarded(this, [this] {
        QStringList names;
        for (const PackageRecord& row : rows())
            names << row.topicName;
        const QString path = home_.path(u"111.txt");
        writeTextLines(path, names);
        if (!openLocalFile(path))
            dialogs::warning(this, caption(),
                             QStringLiteral("Список тем записан в %1, но открыть его не удалось.")
                                 .arg(QDir::toNativeSeparators(path)));
    });
}

void TNaborWopr::SpisTemClick()
{
    WorkbookWindow::showWorkbook(std::make_shared<const Workbook>(packageGridWorkbook(rows())), this);
}

void TNaborWopr::OtkrPakClick()
{
    const auto chosen = dialogs::openFileName(this, QStringLiteral("Открыть пакет"), subjectFolder_,
                                          QStringLiteral("Пакеты (Exam*.dat);;Все файлы (*)"));
    if (chosen)
        load(*chosen, false); // WiibranFile stays: "Запомнить" writes these rows into this package
}

bool TNaborWopr::save()
{
    const bool done = dialogs::guarded(this, [this] { savePackage(trimmed(WiibranFile->text()), rows()); });
    if (done)
        Q_EMIT saved();
    return done;
}

void TNaborWopr::ZapomnClick()
{
    save();
}

void TNaborWopr::vTemiClick()
{
    if (!dialogs::askYesNo(this, QStringLiteral("Заменить список тем в главной базе"), QStringLiteral("Оно Вам надо?")))
        return;
    // The package is checked first, so that a bad row leaves both files as
    // they were.
    const PackageRows rows = this->rows();
    const bool topics = dialogs::guarded(this, [&] {
        checkPackageRows(rows);
        replaceTopics(subjectFile(subjectFolder_, subject_files::topics), rows);
    });
    if (topics)
        save();
}

} // namespace tavel
