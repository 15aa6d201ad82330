// The subject list window.
#include "authoring/windows/subject_list_window.h"

#include "authoring/subject_table.h"
#include "platform/windows/message_box.h"
#include "session/windows/controls.h"
#include "storage/records.h"
#include "storage/shared_files.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tavel {
namespace {

const QString kCaption = QStringLiteral("Список предметов");

} // namespace

TSpisPredm::TSpisPredm(InstallFolder home, QWidget* parent)
    : QDialog(parent), home_(std::move(home)), model_(new SubjectTableModel(this))
{
    using namespace controls;
    setObjectName(QStringLiteral("TSpisPredm"));
    setWindowTitle(kCaption);
    setModal(true);

    Papki = named(new QTableView(this), QStringLiteral("Papki"));
    Papki->setModel(model_);
    Papki->verticalHeader()->hide();
    Papki->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Papki->verticalHeader()->setDefaultSectionSize(18);
    Papki->horizontalHeader()->setHighlightSections(false);
    Papki->setSelectionBehavior(QAbstractItemView::SelectItems);
    Papki->setSelectionMode(QAbstractItemView::SingleSelection);
    Papki->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                           | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    int width = 0;
    for (int c = 0; c < kSubjectColumns; ++c) {
        Papki->setColumnWidth(c, subjectColumnWidth(c));
        width += subjectColumnWidth(c);
    }
    Papki->horizontalHeader()->setStretchLastSection(true);
    connect(Papki->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { currentRowChanged(now.row()); });

    Plus = button(this, QStringLiteral("Plus"), QStringLiteral("+"), QStringLiteral("Добавить строку "));
    Udal = button(this, QStringLiteral("Udal"), QStringLiteral("0"), QStringLiteral("Удалить эту строку в таблице"));
    SaveTab = button(this, QStringLiteral("SaveTab"), QStringLiteral("Запомнить таблицу"));
    Plus->setAutoDefault(false);
    Udal->setAutoDefault(false);
    SaveTab->setAutoDefault(false);
    for (QPushButton* b : {Plus, Udal})
        b->setMinimumWidth(60);
    connect(Plus, &QPushButton::clicked, this, &TSpisPredm::PlusClick);
    connect(Udal, &QPushButton::clicked, this, &TSpisPredm::UdalClick);
    connect(SaveTab, &QPushButton::clicked, this, &TSpisPredm::SaveTabClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Plus);
    buttons->addWidget(Udal);
    buttons->addStretch(1);
    buttons->addWidget(SaveTab);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Papki, 1);
    layout->addLayout(buttons);
    resize(width + 60, 440);
}

void TSpisPredm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TSpisPredm::FormActivate()
{
    model_->setRecords({});
    dialogs::guarded(this, [this] {
        const CatalogueLoad load = loadCatalogue(home_.path(paths::catalogue));
        model_->setRecords(load.records);
        if (!load.damage.isEmpty())
            dialogs::warning(this, kCaption,
                             load.damage.join(u'\n')
                                 + QStringLiteral("\n\nПосле «Запомнить таблицу» файл будет записан так, как "
                                                  "показывает таблица."));
    });
    if (model_->rowCount() > 0)
        Papki->setCurrentIndex(model_->index(0, ColumnName));
    Udal->setText(QStringLiteral("0")); // no row chosen yet
}

int TSpisPredm::currentRow() const
{
    const QModelIndex current = Papki->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TSpisPredm::currentRowChanged(int row)
{
    if (row >= 0 && !deleting_)
        Udal->setText(QString::number(row + 1));
}

void TSpisPredm::PlusClick()
{
    const int row = std::max(0, currentRow());
    model_->insertSubject(row);
    Papki->setCurrentIndex(model_->index(row, ColumnName));
    Papki->setFocus();
}

void TSpisPredm::UdalClick()
{
    const int row = currentRow();
    if (row < 0)
        return;
    // The current row moves to the next one; the caption stays as it was.
    deleting_ = true;
    model_->removeSubject(row);
    deleting_ = false;
}

void TSpisPredm::SaveTabClick()
{
    CatalogueRows rows;
    if (!dialogs::guarded(this, [&] { rows = catalogueFromRows(model_->rows()); }))
        return;
    if (!rows.notes.isEmpty()
        && !dialogs::askYesNo(this, kCaption,
                              rows.notes.join(u'\n') + QStringLiteral("\n\nЗаписать таблицу так?")))
        return;
    const bool written = dialogs::guarded(
        this, [&] { writeRecords(home_.path(paths::catalogue, true), rows.records); });
    if (!written)
        return;
    if (saved_)
        saved_(rows.records);
    dialogs::information(this, kCaption,
                         QStringLiteral("Список предметов записан: предметов %1.").arg(rows.records.size()));
}

} // namespace tavel
