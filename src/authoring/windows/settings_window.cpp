// The settings window.
#include "authoring/windows/settings_window.h"

#include "platform/windows/message_box.h"
#include "platform/windows/window_print.h"
#include "session/app_state.h"
#include "session/windows/controls.h"
#include "session/windows/main_window.h"
#include "storage/colours.h"
#include "storage/shared_files.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavel {
namespace {

const QString kCaption = QStringLiteral("Настройки программы");

QLineEdit* edit(QWidget* parent, const QString& name, const QString& hint, int width)
{
    auto* box = controls::named(new QLineEdit(parent), name, hint);
    box->setFixedWidth(width);
    return box;
}

} // namespace

TNastroika::TNastroika(AppState& state, TForm1* form1) : QDialog(form1), state_(state), form1_(form1)
{
    using namespace controls;
    setObjectName(QStringLiteral("TNastroika"));
    setWindowTitle(kCaption);
    setModal(true);

    Label11 = named(new QLabel(this), QStringLiteral("Label11"));
    Label11->setFont(boldFont(Label11, 10));
    Label11->setWordWrap(true);

    LabeledEditFima = named(new QLineEdit(this), QStringLiteral("LabeledEditFima"), QStringLiteral("вставляется в счета"));
    BitBtn4 = button(this, QStringLiteral("BitBtn4"), QStringLiteral("Цвет фона"), QStringLiteral("Основного экрана"));

    MSOffice = group(this, QStringLiteral("MSOffice"), QStringLiteral(" MSOffice "));
    VerOff = edit(MSOffice, QStringLiteral("VerOff"), QStringLiteral("2003 или другая"), 90);
    VerOff->setText(QStringLiteral("VerOff"));
    (new QHBoxLayout(MSOffice))->addWidget(VerOff);

    TimeProc = group(this, QStringLiteral("TimeProc"), QString());
    BazWrWopr = edit(TimeProc, QStringLiteral("BazWrWopr"), QStringLiteral("секунд"), 70);
    DeltaOtw = edit(TimeProc, QStringLiteral("DeltaOtw"), QStringLiteral("секунд"), 70);
    MaxWopr = edit(TimeProc, QStringLiteral("MaxWopr"), QStringLiteral("штук"), 70);
    Ocenki = group(TimeProc, QStringLiteral("Ocenki"), QStringLiteral("         %  Оценка"),
                   QStringLiteral("Правила выставления оценок"));
    TriProc = edit(Ocenki, QStringLiteral("TriProc"), QString(), 50);
    ChetProc = edit(Ocenki, QStringLiteral("ChetProc"), QString(), 50);
    PaytProc = edit(Ocenki, QStringLiteral("PaytProc"), QString(), 50);
    auto* grades = new QFormLayout(Ocenki);
    for (int n = GradeThree; n <= GradeFive; ++n)
        grades->addRow(label(Ocenki, settingsNumberCaption(n), numberBox(n)), numberBox(n));
    auto* times = new QGridLayout(TimeProc);
    int row = 0;
    for (int n : {int(BaseSeconds), int(VariantSeconds), int(QuestionLimit)}) {
        times->addWidget(label(TimeProc, settingsNumberCaption(n), numberBox(n)), row, 0);
        times->addWidget(numberBox(n), row, 1);
        ++row;
    }
    times->addWidget(Ocenki, 0, 2, row, 1);
    TimeProc->setEnabled(false);

    BitBtn3 = button(this, QStringLiteral("BitBtn3"), QStringLiteral("Изменить"),
                     QStringLiteral("Разрешить изменение времени, оценок и числа вопросов"));
    BitBtn1 = button(this, QStringLiteral("BitBtn1"), QStringLiteral("Печать"), QStringLiteral("Окна прямо на принтер"));
    SaveNastr = button(this, QStringLiteral("SaveNastr"), QStringLiteral("Записать настройки"),
                       QStringLiteral("Записать настройки в файл; они вступят в силу при следующем запуске"));
    for (QPushButton* b : {BitBtn4, BitBtn3, BitBtn1, SaveNastr})
        b->setAutoDefault(false);
    connect(BitBtn4, &QPushButton::clicked, this, &TNastroika::BitBtn4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TNastroika::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TNastroika::BitBtn3Click);
    connect(SaveNastr, &QPushButton::clicked, this, &TNastroika::SaveNastrClick);

    auto* top = new QGridLayout;
    top->addWidget(label(this, QStringLiteral(" Имя пользователя "), LabeledEditFima), 0, 0);
    top->addWidget(LabeledEditFima, 1, 0);
    top->addWidget(BitBtn4, 1, 1);
    top->addWidget(MSOffice, 0, 2, 2, 1);
    top->setColumnStretch(0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(SaveNastr);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label11);
    layout->addLayout(top);
    layout->addWidget(TimeProc);
    layout->addLayout(buttons);
    resize(620, 330);

    FormCreate();
}

QLineEdit* TNastroika::numberBox(int number) const
{
    QLineEdit* const boxes[kSettingsNumbers] = {BazWrWopr, DeltaOtw, TriProc, ChetProc, PaytProc, MaxWopr};
    return boxes[number];
}

void TNastroika::FormCreate()
{
    const SettingsRead read = readSettingsTexts(state_.home.path(paths::settings));
    reserved_ = read.texts.reserved;
    colourRead_ = read.values.colourText;
    LabeledEditFima->setText(read.texts.userName);
    VerOff->setText(read.texts.officeVersion);
    for (int n = 0; n < kSettingsNumbers; ++n)
        numberBox(n)->setText(read.texts.numbers[size_t(n)]);
    int* const current[kSettingsNumbers] = {&state_.questionSeconds, &state_.variantSeconds, &state_.gradeThree,
                                            &state_.gradeFour,       &state_.gradeFive,      &state_.questionLimit};
    const int values[kSettingsNumbers] = {read.values.questionSeconds, read.values.variantSeconds,
                                          read.values.gradeThree,      read.values.gradeFour,
                                          read.values.gradeFive,       read.values.questionLimit};
    for (int n = 0; n < read.numbersRead; ++n)
        *current[n] = values[n];
    readError_ = read.error;
}

void TNastroika::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TNastroika::FormShow()
{
    Label11->setText(QLatin1Char(' ') + (form1_ ? form1_->windowTitle() : QString()) + QLatin1Char(' '));
    if (readError_)
        dialogs::error(this, *readError_
                                 + QStringLiteral("\nПоля после этой строки показывают значения по умолчанию."));
}

void TNastroika::BitBtn4Click()
{
    if (!form1_)
        return;
    if (const auto colour = dialogs::chooseColour(this, form1_->windowColour()))
        form1_->setWindowColour(*colour);
}

void TNastroika::paintTextArea(const QColor& colour)
{
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, colour);
        box->setPalette(p);
    }
}

void TNastroika::BitBtn1Click()
{
    paintTextArea(Qt::white);
    printWindowImage(this, kCaption);
    paintTextArea(QColor(0x00, 0xFF, 0x00));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x00, 0xFF, 0xFF));
    setPalette(p);
    setAutoFillBackground(true);
}

void TNastroika::BitBtn3Click()
{
    const auto answer = dialogs::input(this, QStringLiteral("А оно Вам надо"), QStringLiteral("Вы кто?"),
                                       QStringLiteral("Гость"));
    if (answer && unlocksSettings(*answer))
        TimeProc->setEnabled(true);
}

void TNastroika::SaveNastrClick()
{
    SettingsTexts texts;
    texts.reserved = reserved_;
    texts.userName = LabeledEditFima->text();
    texts.officeVersion = VerOff->text();
    for (int n = 0; n < kSettingsNumbers; ++n)
        texts.numbers[size_t(n)] = numberBox(n)->text();
    QString colour = colourRead_;
    if (form1_) {
        const QColor c = form1_->windowColour();
        colour = colourText(colourFromRgb(c.red(), c.green(), c.blue()));
    }
    const bool saved =
        dialogs::guarded(this, [&] { saveSettingsTexts(state_.home.path(paths::settings, true), texts, colour); });
    if (!saved)
        return;
    dialogs::warning(this, kCaption, QStringLiteral("Закройте программу Тавел и откройте её снова"));
    accept();
}

} // namespace tavel
