// The package list window.
#include "sets/windows/package_list.h"

#include "platform/windows/message_box.h"
#include "reports/windows/workbook_window.h"
#include "session/windows/controls.h"
#include "sets/windows/package_editor.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavel {
namespace {

QTableWidgetItem* item(const QString& text, bool number = false)
{
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return it;
}

} // namespace

QString TSpisokPaketov::caption()
{
    return QStringLiteral("Список пакетов для выбора нужного");
}

TSpisokPaketov::TSpisokPaketov(TNaborWopr* editor, QWidget* parent) : QDialog(parent), editor_(editor)
{
    using namespace controls;
    setObjectName(QStringLiteral("TSpisokPaketov"));
    setWindowTitle(caption());
    setModal(true);

    Papka = valueBox(this, QStringLiteral("Papka"), QStringLiteral("Папка предмета"));
    Paketi = named(new QTableWidget(0, 2, this), QStringLiteral("Paketi"));
    Paketi->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Имя файла пакета")});
    Paketi->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Paketi->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    Paketi->verticalHeader()->hide();
    Paketi->setSelectionBehavior(QAbstractItemView::SelectRows);
    Paketi->setSelectionMode(QAbstractItemView::SingleSelection);
    Paketi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    WiibranFile = valueBox(this, QStringLiteral("WiibranFile"), QStringLiteral("Полный путь к файлу с Пакетом вопросов"));
    TemWopr = named(new QTableWidget(0, 5, this), QStringLiteral("TemWopr"));
    TemWopr->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TemWopr->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    TemWopr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TemWopr->setSelectionBehavior(QAbstractItemView::SelectRows);
    RedaktSpis = button(this, QStringLiteral("RedaktSpis"), QStringLiteral("Редактировать пакет вопросов"));
    DelPaket = button(this, QStringLiteral("DelPaket"), QStringLiteral("Удалить пакет вопросов"));
    Pusk = button(this, QStringLiteral("Pusk"), QStringLiteral("Пуск выбранного пакета"));
    Pusk->setStyleSheet(QStringLiteral("font-weight: bold"));
    SpisTem = button(this, QStringLiteral("SpisTem"), QStringLiteral("Печать списка Экзаменов"));
    Pusk->hide();
    showTopics({});

    connect(Paketi, &QTableWidget::currentCellChanged, this, [this](int row) { PaketiSelect(row); });
    connect(Paketi, &QTableWidget::cellDoubleClicked, this, [this] {
        if (Pusk->isVisible())
            PuskClick();
    });
    connect(RedaktSpis, &QPushButton::clicked, this, &TSpisokPaketov::RedaktSpisClick);
    connect(DelPaket, &QPushButton::clicked, this, &TSpisokPaketov::DelPaketClick);
    connect(Pusk, &QPushButton::clicked, this, &TSpisokPaketov::PuskClick);
    connect(SpisTem, &QPushButton::clicked, this, &TSpisokPaketov::SpisTemClick);
    if (editor_)
        connect(editor_, &TNaborWopr::saved, this, [this] {
            if (isVisible())
                FormShow();
        });

    auto* folder = new QHBoxLayout;
    folder->addWidget(label(this, QStringLiteral("Папка"), Papka));
    folder->addWidget(Papka, 1);
    auto* chosen = new QHBoxLayout;
    chosen->addWidget(label(this, QStringLiteral("Пакет"), WiibranFile));
    chosen->addWidget(WiibranFile, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Pusk);
    buttons->addWidget(RedaktSpis);
    buttons->addWidget(DelPaket);
    buttons->addStretch(1);
    buttons->addWidget(SpisTem);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folder);
    layout->addWidget(Paketi, 1);
    layout->addLayout(chosen);
    layout->addWidget(TemWopr, 2);
    layout->addLayout(buttons);
    resize(900, 620);
}

void TSpisokPaketov::setChoosing(bool choosing)
{
    Pusk->setVisible(choosing);
    Pusk->setDefault(choosing); // Enter starts the chosen package
    RedaktSpis->setVisible(!choosing);
    DelPaket->setVisible(!choosing);
}

void TSpisokPaketov::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TSpisokPaketov::FormShow()
{
    Papka->setText(QDir::toNativeSeparators(subjectFolder_));
    const QStringList files = packageFiles(subjectFolder_);
    const QSignalBlocker block(Paketi);
    Paketi->setRowCount(int(files.size()));
    for (int r = 0; r < files.size(); ++r) {
        Paketi->setItem(r, 0, item(QString::number(r + 1), true));
        Paketi->setItem(r, 1, item(QDir::toNativeSeparators(files[r])));
    }
    WiibranFile->clear();
    showTopics({});
    if (!files.isEmpty()) {
        Paketi->setCurrentCell(0, 1);
        PaketiSelect(0);
    }
}

void TSpisokPaketov::showTopics(const PackageView& view)
{
    TemWopr->setRowCount(int(view.rows.size()));
    TemWopr->setHorizontalHeaderLabels({QStringLiteral("Предмет"), QStringLiteral("Тема"),
                                        QStringLiteral("Список тем в пакете"), QString::number(view.sums.total),
                                        QString::number(view.sums.wanted)});
    for (int r = 0; r < int(view.rows.size()); ++r) {
        const PackageRecord& row = view.rows[size_t(r)];
        TemWopr->setItem(r, 0, item(row.subjectCode));
        TemWopr->setItem(r, 1, item(row.topicCode));
        TemWopr->setItem(r, 2, item(row.topicName));
        TemWopr->setItem(r, 3, item(row.totalCount, true));
        TemWopr->setItem(r, 4, item(row.wantedCount, true));
    }
}

void TSpisokPaketov::PaketiSelect(int row)
{
    const QTableWidgetItem* path = row >= 0 ? Paketi->item(row, 1) : nullptr;
    if (!path)
        return;
    WiibranFile->setText(path->text());
    showTopics({});
    dialogs::guarded(this, [&] {
        const PackageFile file = readPackage(QDir::fromNativeSeparators(path->text()));
        if (file.trailingBytes)
            throw Error(partialRecordMessage(file));
        const PackageView view = packageView(file);
        showTopics(view);
        Q_EMIT totalShown(view.sums.total);
    });
}

void TSpisokPaketov::RedaktSpisClick()
{
    if (!editor_)
        return;
    if (trimmed(WiibranFile->text()).isEmpty()) {
        dialogs::warning(this, caption(), QStringLiteral("Пакет не выбран: в списке нет ни одного пакета."));
        return;
    }
    editor_->WiibranFile->setText(QDir::fromNativeSeparators(trimmed(WiibranFile->text())));
    editor_->setSubjectFolder(subjectFolder_);
    dialogs::execModal(editor_);
}

void TSpisokPaketov::DelPaketClick()
{
    const QString path = QDir::fromNativeSeparators(trimmed(WiibranFile->text()));
    if (path.isEmpty())
        return;
    if (!dialogs::askYesNo(this, QStringLiteral("Чистка списка"), QStringLiteral("Удалить пакет из списка?")))
        return;
    QFile file(path);
    if (file.exists() && !file.remove())
        dialogs::error(this, QStringLiteral("Не удалось удалить пакет %1: %2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
    FormShow();
}

void TSpisokPaketov::SpisTemClick()
{
    QStringList paths;
    for (int r = 0; r < Paketi->rowCount(); ++r)
        if (const QTableWidgetItem* path = Paketi->item(r, 1))
            paths << path->text();
    WorkbookWindow::showWorkbook(std::make_shared<const Workbook>(packageListWorkbook(paths)), this);
}

void TSpisokPaketov::PuskClick()
{
    accept();
}

} // namespace tavel
