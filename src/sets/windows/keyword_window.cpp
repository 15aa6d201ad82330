// The keyword window.
#include "sets/windows/keyword_window.h"

#include "platform/windows/message_box.h"
#include "session/windows/controls.h"
#include "sets/dictionary.h"
#include "sets/windows/dictionary_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavel {

QString TPoSlovu::caption()
{
    return QStringLiteral("Набрать вопросы из всего предмета");
}

TPoSlovu::TPoSlovu(TRedak* redak, QWidget* parent) : QDialog(parent), redak_(redak)
{
    using namespace controls;
    setObjectName(QStringLiteral("TPoSlovu"));
    setWindowTitle(caption());
    setModal(true);

    Tip_Temi = group(this, QStringLiteral("Tip_Temi"), QStringLiteral("Тема"));
    kinds_ = new QButtonGroup(this);
    auto* kindsLayout = new QVBoxLayout(Tip_Temi);
    for (const TopicKind kind : {TopicKind::Any, TopicKind::Ege, TopicKind::Gia, TopicKind::Neither}) {
        auto* radio = new QRadioButton(topicKindText(kind), Tip_Temi);
        kinds_->addButton(radio, int(kind));
        kindsLayout->addWidget(radio);
    }
    setKind(TopicKind::Any);

    const QString hint = QStringLiteral("Укажите ключевое слово и нажмите Искать");
    for (QComboBox** box : {&Slovo1, &Slovo2}) {
        *box = named(new QComboBox(this), box == &Slovo1 ? QStringLiteral("Slovo1") : QStringLiteral("Slovo2"), hint);
        (*box)->setEditable(true);
        (*box)->setInsertPolicy(QComboBox::NoInsert);
        (*box)->setMaxVisibleItems(32);
        (*box)->setMinimumWidth(220);
        (*box)->setFont(boldFont(*box, 11));
    }
    Label1 = named(new QLabel(QStringLiteral(" и "), this), QStringLiteral("Label1"), QStringLiteral("Логическое И"));
    Label4 = named(new QLabel(QStringLiteral(" и "), this), QStringLiteral("Label4"), QStringLiteral("Логическое И"));
    Label2 = named(new QLabel(QStringLiteral("Указать одно или два ключевых слова для поиска"), this),
                   QStringLiteral("Label2"));
    QGroupBox* found = group(this, QStringLiteral("GroupBox1"), QStringLiteral("Найдено Справочник"));
    NaidSlov = valueBox(found, QStringLiteral("NaidSlov"), QString(), QStringLiteral("0"));
    NaidSlov->setMaximumWidth(80);
    FIOSpr = button(found, QStringLiteral("FIOSpr"), QStringLiteral("Справочник"),
                    QStringLiteral("Редактирование справочника"));
    Iskat = button(this, QStringLiteral("Iskat"), QStringLiteral("Искать"), QStringLiteral("Вопросы с указанным словом"));
    Iskat->setDefault(true);
    ZastPogasit1 = button(this, QStringLiteral("ZastPogasit1"), QStringLiteral("Дальше"),
                          QStringLiteral("Перейти к вопросам"));

    connect(FIOSpr, &QPushButton::clicked, this, &TPoSlovu::FIOSprClick);
    connect(Iskat, &QPushButton::clicked, this, &TPoSlovu::IskatClicked);
    connect(ZastPogasit1, &QPushButton::clicked, this, &QDialog::accept);

    auto* foundLayout = new QHBoxLayout(found);
    foundLayout->addWidget(NaidSlov);
    foundLayout->addWidget(FIOSpr);

    auto* words = new QHBoxLayout;
    words->addWidget(Slovo1, 1);
    words->addWidget(Label1);
    words->addWidget(Slovo2, 1);
    words->addWidget(Label4);

    auto* right = new QVBoxLayout;
    right->addWidget(Label2);
    right->addLayout(words);
    right->addWidget(found);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Iskat);
    buttons->addWidget(ZastPogasit1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Tip_Temi);
    layout->addLayout(right, 1);
    resize(700, 260);
}

void TPoSlovu::setSubject(const QString& folder, const QString& name)
{
    folder_ = folder;
    subjectName_ = name;
}

TopicKind TPoSlovu::kind() const
{
    const int id = kinds_->checkedId();
    return id < 0 ? TopicKind::Any : TopicKind(id);
}

void TPoSlovu::setKind(TopicKind kind)
{
    kinds_->button(int(kind))->setChecked(true);
}

void TPoSlovu::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TPoSlovu::offer(QComboBox* box, const QStringList& items)
{
    box->clear();
    box->addItems(items);
}

void TPoSlovu::FormActivate()
{
    QStringList items;
    dialogs::guarded(this, [&] {
        const QString path = dictionaryPath(folder_);
        ensureDictionary(path);
        items = keywordItems(readDictionary(path));
    });
    offer(Slovo1, items);
    offer(Slovo2, items);
    // An empty dictionary offers nothing: both boxes start empty.
    Slovo1->setCurrentIndex(items.isEmpty() ? -1 : 0);
    Slovo2->setCurrentIndex(-1);
    Slovo2->setEditText(QString());
    setKind(TopicKind::Any);
}

void TPoSlovu::FIOSprClick()
{
    if (!redak_)
        return;
    QStringList current;
    for (int i = 0; i < Slovo1->count(); ++i)
        current << Slovo1->itemText(i);
    const QStringList edited = redak_->edit(subjectName_, current);
    FormActivate();
    const QStringList items = keywordItems(edited);
    offer(Slovo1, items);
    Slovo1->setCurrentIndex(items.isEmpty() ? -1 : 0);
    dialogs::guarded(this, [&] { writeDictionary(dictionaryPath(folder_), items); });
}

} // namespace tavel
