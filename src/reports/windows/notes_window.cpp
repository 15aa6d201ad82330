// The reference notes window.
#include "reports/windows/notes_window.h"

#include "platform/open_file.h"
#include "platform/windows/message_box.h"
#include "session/windows/controls.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavel {
namespace {

const QString kCaption = QStringLiteral("Справочные материалы по предмету");
constexpr int kEntryRole = Qt::UserRole;

} // namespace

TTeoriya::TTeoriya(QString installFolder, std::function<Subject()> subject, QWidget* parent)
    : QDialog(parent), installFolder_(std::move(installFolder)), subject_(std::move(subject))
{
    using namespace controls;
    setObjectName(QStringLiteral("TTeoriya"));
    setWindowTitle(kCaption);
    setModal(true);

    auto* top = group(this, QStringLiteral("GroupBox1"),
                      QStringLiteral("Предмет                                                    Папка"));
    ImaPredm = named(new QLineEdit(top), QStringLiteral("ImaPredm"));
    ImaPredm->setReadOnly(true);
    ImaPredm->setFont(boldFont(ImaPredm, 10));
    NamePapka = named(new QLineEdit(top), QStringLiteral("NamePapka"));
    NamePapka->setReadOnly(true);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->addWidget(ImaPredm, 2);
    topLayout->addWidget(NamePapka, 3);

    auto* list = group(this, QStringLiteral("GroupBox2"),
                       QStringLiteral("Список документов в папке. Выберите нужный документ."));
    ListBox1 = named(new QListWidget(list), QStringLiteral("ListBox1"));
    ListBox1->setFont(boldFont(ListBox1, 10));
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    (new QVBoxLayout(list))->addWidget(ListBox1);
    // A double click or Enter on an entry.
    connect(ListBox1, &QListWidget::itemActivated, this, [this] { PokDokClick(); });

    PokDok = button(this, QStringLiteral("PokDok"), QStringLiteral("Открыть файл"),
                    QStringLiteral("Показать выбранный документ или запустить приложение"));
    SaveTXT = button(this, QStringLiteral("SaveTXT"), QStringLiteral("Список в файл"),
                     QStringLiteral("Открыть список в блокноте Paint"));
    PokDok->setAutoDefault(false);
    SaveTXT->setAutoDefault(false);
    connect(PokDok, &QPushButton::clicked, this, &TTeoriya::PokDokClick);
    connect(SaveTXT, &QPushButton::clicked, this, &TTeoriya::SaveTXTClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PokDok);
    buttons->addStretch(1);
    buttons->addWidget(SaveTXT);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    resize(720, 520);
}

void TTeoriya::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TTeoriya::FormShow()
{
    ListBox1->clear();
    const Subject subject = subject_ ? subject_() : Subject{};
    ImaPredm->setText(subject.name);
    listing_ = listNotes(notesFolder(subject.folderPath));
    NamePapka->setText(listing_.folderShown);
    if (!listing_.folderExists) {
        ListBox1->addItem(QStringLiteral("Нет папки с конспектами"));
        return;
    }
    if (listing_.entries.empty()) {
        ListBox1->addItem(QStringLiteral("Папка с конспектами пуста"));
        return;
    }
    for (int i = 0; i < int(listing_.entries.size()); ++i) {
        auto* item = new QListWidgetItem(listing_.entries[size_t(i)].shown, ListBox1);
        item->setData(kEntryRole, i);
        item->setToolTip(QDir::toNativeSeparators(listing_.entries[size_t(i)].fullPath));
    }
    ListBox1->setCurrentRow(0);
}

void TTeoriya::PokDokClick()
{
    const QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected()) {
        if (!listing_.entries.empty())
            dialogs::information(this, kCaption, QStringLiteral("Выберите документ в списке."));
        return;
    }
    const QVariant index = item->data(kEntryRole);
    if (!index.isValid())
        return; // the line that says there is nothing to open
    const NotesEntry& entry = listing_.entries[size_t(index.toInt())];
    if (const QString reason = refuseToOpenNote(entry); !reason.isEmpty()) {
        dialogs::warning(this, kCaption, reason);
        return;
    }
    if (!openLocalFile(openablePath(entry)))
        dialogs::warning(this, kCaption,
                         QStringLiteral("Для «%1» не нашлось программы, которая его откроет.").arg(entry.shown));
}

void TTeoriya::SaveTXTClick()
{
    QStringList lines;
    for (int i = 0; i < ListBox1->count(); ++i)
        lines << ListBox1->item(i)->text();
    const QString path = QDir(installFolder_).filePath(QStringLiteral("111.txt"));
    if (!dialogs::guarded(this, [&] { saveNotesList(path, lines); }))
        return;
    if (!openLocalFile(path))
        dialogs::warning(this, kCaption,
                         QStringLiteral("Список записан в %1, но программы для его просмотра не нашлось.")
                             .arg(QDir::toNativeSeparators(path)));
}

} // namespace tavel
