// The question and answer work area of the main window.
#include "session/windows/question_area.h"

#include "session/windows/answer_rows.h"
#include "session/windows/controls.h"

#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tavel {
namespace {

QPushButton* hiddenButton(QWidget* parent, const QString& name, const QString& caption, const QString& hint)
{
    auto* b = controls::button(parent, name, caption, hint);
    b->hide();
    return b;
}

QTableWidget* grid(QWidget* parent, const QString& name, const QStringList& titles)
{
    auto* table = controls::named(new QTableWidget(0, int(titles.size()), parent), name);
    table->setHorizontalHeaderLabels(titles);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

QuestionArea::QuestionArea(QWidget* parent) : QWidget(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("QuestionArea"));

    WoprosGB = group(this, QStringLiteral("WoprosGB"), QStringLiteral("Вопрос"));
    WoprosRE = named(new QTextEdit(WoprosGB), QStringLiteral("WoprosRE"), QStringLiteral("Текст вопроса"));
    WoprosRE->setReadOnly(true);
    WoprosRE->setTabChangesFocus(true); // Tab goes on to "Готов"
    WoprosRE->setFont(boldFont(WoprosRE, 12));
    WoprosRE->setMinimumHeight(90);
    Itog1 = button(WoprosGB, QStringLiteral("Itog1"), QStringLiteral("Готов"),
                   QStringLiteral("Перейти к следующему вопросу"));
    Itog1->setFont(boldFont(Itog1, 12));
    Itog1->setMinimumWidth(110);
    Otlogit = button(WoprosGB, QStringLiteral("Otlogit"), QStringLiteral("Отложить"), QStringLiteral("Отложить вопрос"));
    Fifti = button(WoprosGB, QStringLiteral("Fifti"), QStringLiteral("Подсказка"), QStringLiteral("Подсказать"));
    for (QPushButton* b : {Itog1, Otlogit, Fifti})
        b->setEnabled(false);
    BolBuk = button(WoprosGB, QStringLiteral("BolBuk"), QStringLiteral("A"), QStringLiteral("Увеличить шрифт"));
    BolBuk->setFont(boldFont(BolBuk, 13));
    MalBuk = button(WoprosGB, QStringLiteral("MalBuk"), QStringLiteral("A"), QStringLiteral("Уменьшить шрифт"));
    MalBuk->setFont(boldFont(MalBuk, 8));
    for (QPushButton* b : {BolBuk, MalBuk})
        b->setFixedWidth(36);

    TipOt = group(WoprosGB, QStringLiteral("TipOt"), QStringLiteral("Вид вопроса"));
    TipOtweta = valueBox(TipOt, QStringLiteral("TipOtweta"), QStringLiteral("Вид вопроса"));
    TipOtweta->setFont(boldFont(TipOtweta, 10));
    KPraw = valueBox(TipOt, QStringLiteral("KPraw"), QStringLiteral("Правильных ответов"));
    TekBal = valueBox(TipOt, QStringLiteral("TekBal"), QStringLiteral("Баллов за вопрос"));
    for (QLineEdit* box : {KPraw, TekBal})
        box->setFixedWidth(44);
    auto* kind = new QGridLayout(TipOt);
    kind->setContentsMargins(6, 4, 6, 4);
    kind->addWidget(TipOtweta, 0, 0, 1, 2);
    kind->addWidget(label(TipOt, QStringLiteral("Верных ответов")), 1, 0);
    kind->addWidget(KPraw, 1, 1);
    kind->addWidget(label(TipOt, QStringLiteral("Баллов")), 2, 0);
    kind->addWidget(TekBal, 2, 1);
    TipOt->setFixedWidth(180);

    NomerWoprosa = valueBox(WoprosGB, QStringLiteral("NomerWoprosa"), QStringLiteral("Системный № вопроса"));
    NomerWoprosa->setFixedWidth(130);
    NomerWoprosa->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Itog1);
    buttons->addWidget(Otlogit);
    buttons->addWidget(Fifti);
    buttons->addWidget(BolBuk);
    buttons->addWidget(MalBuk);
    buttons->addStretch(1);
    buttons->addWidget(NomerWoprosa);
    auto* question = new QGridLayout(WoprosGB);
    question->addWidget(WoprosRE, 0, 0);
    question->addWidget(TipOt, 0, 1);
    question->addLayout(buttons, 1, 0, 1, 2);
    question->setColumnStretch(0, 1);

    OtwetiOtm = new AnswerRows(this);

    OdinTo4 = group(this, QStringLiteral("OdinTo4"), QStringLiteral("Один точный ответ"));
    OdinOt = named(new QLineEdit(OdinTo4), QStringLiteral("OdinOt"), QStringLiteral("Введите ответ"));
    OdinOt->setFont(boldFont(OdinOt, 12));
    InputRules = named(new QPlainTextEdit(OdinTo4), QStringLiteral("InputRules"));
    InputRules->setReadOnly(true);
    InputRules->setTabChangesFocus(true);
    InputRules->setPlainText(QStringLiteral(
        "Правила ввода ответов\n"
        "Фамилия: Пушкин\n"
        "Год, без предлогов: 1941\n"
        "Точная дата, день.месяц.год: 03.09.1974\n"
        "Точный период: две даты через дефис\n"
        "Век: арабскими цифрами\n"
        "Период лет: 1845-1861\n"
        "Месяц и год: 09.1974  или год и месяц: 1974.09"));
    auto* exact = new QVBoxLayout(OdinTo4);
    exact->addWidget(OdinOt);
    exact->addWidget(InputRules, 1);
    OdinTo4->hide();

    Soot = group(this, QStringLiteral("Soot"), QStringLiteral("Соответствие"));
    Ispravit = button(Soot, QStringLiteral("Ispravit"), QStringLiteral("Исправить"), QStringLiteral("Исправить"));
    Ispravit->setEnabled(false);
    auto* matching = new QVBoxLayout(Soot);
    matching->addWidget(Ispravit, 0, Qt::AlignLeft);
    Soot->hide();

    Dalshe = hiddenButton(this, QStringLiteral("Dalshe"), QStringLiteral("Дальше"), QStringLiteral("Следующий вопрос"));
    Kl = hiddenButton(this, QStringLiteral("Kl"), QStringLiteral("Кл"), QStringLiteral("Окно классификации показать"));
    RangPok = hiddenButton(this, QStringLiteral("RangPok"), QStringLiteral("Ранг"), QStringLiteral("Окно ранжирования"));
    OdinProt = hiddenButton(this, QStringLiteral("OdinProt"), QStringLiteral("Итог"), QStringLiteral("Без ответов"));
    PlusSim1 = hiddenButton(this, QStringLiteral("PlusSim1"), QStringLiteral("+"), QStringLiteral("Вставить правильный ответ"));
    RichEdit1 = named(new QTextEdit(this), QStringLiteral("RichEdit1"));
    RichEdit1->hide();

    PictureNote = named(new QLabel(QStringLiteral("Размеры и расположение окон подстройте под себя"), this),
                        QStringLiteral("PictureNote"));
    PictureNote->setWordWrap(true);
    PictureNote->setGeometry(286, 81, 177, 37);
    PictureNote->setAutoFillBackground(true);
    QPalette note = PictureNote->palette();
    note.setColor(QPalette::Window, QColor(255, 255, 193));
    PictureNote->setPalette(note);
    PictureNote->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WoprosGB, 2);
    layout->addWidget(OtwetiOtm, 5);
    layout->addWidget(OdinTo4, 5);
    layout->addWidget(Soot, 5);
}

void QuestionArea::makeMatchingGrids()
{
    if (sootTab_)
        return;
    sootTab_ = grid(Soot, QStringLiteral("SootTab"), {QStringLiteral("№"), QStringLiteral("Не изменяемый столбец"),
                                                      QStringLiteral("Строки переставить"), QStringLiteral("№")});
    widimSoot_ = grid(Soot, QStringLiteral("WidimSoot"),
                      {QStringLiteral("Не изменяемый столбец"), QStringLiteral("Строки переставить")});
    // Above "Исправить", in this order.
    auto* matching = static_cast<QVBoxLayout*>(Soot->layout());
    matching->insertWidget(0, sootTab_);
    matching->insertWidget(1, widimSoot_);
}

QTableWidget* QuestionArea::SootTab()
{
    makeMatchingGrids();
    return sootTab_;
}

QTableWidget* QuestionArea::WidimSoot()
{
    makeMatchingGrids();
    return widimSoot_;
}

QTableWidget* QuestionArea::OtwTek()
{
    if (!otwTek_) {
        otwTek_ = grid(this, QStringLiteral("OtwTek"),
                       {QStringLiteral("Predm"), QStringLiteral("Tema"), QStringLiteral("Test"), QStringLiteral("Wopr"),
                        QStringLiteral("Otwe"), QStringLiteral("Kod_P"), QStringLiteral("Nazwan")});
        otwTek_->setMaximumHeight(170);
        otwTek_->hide();
        static_cast<QVBoxLayout*>(layout())->addWidget(otwTek_, 2);
    }
    return otwTek_;
}

int QuestionArea::questionPointSize() const
{
    return WoprosRE->font().pointSize();
}

void QuestionArea::setQuestionPointSize(int points)
{
    QFont f = WoprosRE->font();
    f.setPointSize(points);
    WoprosRE->setFont(f);
}

} // namespace tavel
