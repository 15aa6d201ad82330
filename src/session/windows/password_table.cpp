// The password table window.
#include "session/windows/password_table.h"

#include "platform/windows/message_box.h"
#include "session/password_rows.h"
#include "session/windows/controls.h"
#include "storage/shared_files.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavel {

TForm5::TForm5(InstallFolder home, QWidget* parent) : QDialog(parent), home_(std::move(home))
{
    using namespace controls;
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Пароли пользователей"));
    setModal(true);

    TabDost = named(new QTableWidget(kPasswordRows, 5, this), QStringLiteral("TabDost"),
                    QStringLiteral("Первый код и доступ не менять!!!"));
    TabDost->setHorizontalHeaderLabels(passwordColumnTitles());
    TabDost->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TabDost->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    TabDost->setFont(boldFont(TabDost, 10));

    ZapDostup = button(this, QStringLiteral("ZapDostup"), QStringLiteral("Запомнить"),
                       QStringLiteral("Записать пароли в файл пользователей"));
    Zakrit = button(this, QStringLiteral("Zakrit"), QStringLiteral("Закрыть"), QStringLiteral("Закрыть без записи"));
    connect(ZapDostup, &QPushButton::clicked, this, &TForm5::ZapDostupClick);
    connect(Zakrit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ZapDostup);
    buttons->addWidget(Zakrit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabDost);
    layout->addLayout(buttons);
    resize(620, 400);
}

void TForm5::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm5::FormShow()
{
    TabDost->clearContents();
    QStringList notes;
    dialogs::guarded(this, [this, &notes] {
        const auto rows = passwordRows(loadUsers(home_.path(paths::users)), &notes);
        for (int r = 0; r < int(rows.size()) && r < kPasswordRows; ++r) {
            const PasswordRow& row = rows[size_t(r)];
            const QString cells[] = {row.code, row.date, row.fullName, row.password, row.access};
            for (int c = 0; c < 5; ++c)
                TabDost->setItem(r, c, new QTableWidgetItem(cells[c]));
        }
    });
    if (!notes.isEmpty())
        dialogs::warning(this, QStringLiteral("Испорчены даты"),
                         QStringLiteral("Файл %1:\n%2")
                             .arg(QDir::toNativeSeparators(home_.path(paths::users)), notes.join(QLatin1Char('\n'))));
}

void TForm5::ZapDostupClick()
{
    std::vector<PasswordRow> rows;
    for (int r = 0; r < TabDost->rowCount(); ++r) {
        const auto cell = [&](int c) {
            const QTableWidgetItem* item = TabDost->item(r, c);
            return item ? item->text() : QString();
        };
        rows.push_back({cell(0), cell(1), cell(2), cell(3), cell(4)});
    }
    // What the file cannot hold is cut, and the teacher is told first.
    const QStringList cut = overlongCells(rows);
    if (!cut.isEmpty())
        dialogs::warning(this, QStringLiteral("Слишком длинные значения"),
                         cut.join(u'\n') + QStringLiteral("\nОни будут обрезаны."));
    const bool saved = dialogs::guarded(this, [&] { savePasswordRows(home_.path(paths::users, true), rows); });
    if (saved)
        dialogs::warning(this, QStringLiteral("Изменения вступят после этого"), QStringLiteral("Перезапустите программу!!!"));
}

} // namespace tavel
