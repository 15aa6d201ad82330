// The test parameter and exam setting groups of the main window.
#include "session/windows/test_settings_panel.h"

#include "session/entry_check.h"
#include "session/windows/controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {
namespace {

QSpinBox* spin(QWidget* parent, const QString& name, const QString& hint, int least, int most, int value)
{
    auto* box = controls::named(new QSpinBox(parent), name, hint);
    box->setRange(least, most);
    box->setValue(value);
    box->setFont(controls::boldFont(box, 10));
    return box;
}

QLineEdit* seconds(QWidget* parent, const QString& name, const QString& hint)
{
    auto* box = controls::named(new QLineEdit(parent), name, hint);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(controls::boldFont(box, 10));
    // Five digits show whole in the box's own font ("1500" was clipped).
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 24);
    box->setMaximumWidth(std::max(box->minimumWidth(), 80));
    return box;
}

} // namespace

TestSettingsPanel::TestSettingsPanel(QWidget* parent) : QWidget(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("TestSettingsPanel"));

    ParamExam = group(this, QStringLiteral("ParamExam"), QStringLiteral("Вопросы темы и время"));
    PervNomVopr = spin(ParamExam, QStringLiteral("PervNomVopr"), QStringLiteral("Номер первого вопроса темы"), 1,
                       500, 1);
    PoslNomVopr = spin(ParamExam, QStringLiteral("PoslNomVopr"), QStringLiteral("Номер последнего вопроса темы"),
                       1, 500, 500);
    MaxTime = spin(ParamExam, QStringLiteral("MaxTime"), QStringLiteral("Отведено минут для всего теста"), 0, 500,
                   10);
    Protokol_Wkl = named(new QCheckBox(QStringLiteral("Включить"), ParamExam), QStringLiteral("Protokol_Wkl"),
                         QStringLiteral("Полный протокол ВКЛ / ВЫКЛ"));
    auto* params = new QGridLayout(ParamExam);
    params->addWidget(label(ParamExam, QStringLiteral("С вопроса"), PervNomVopr), 0, 0);
    params->addWidget(PervNomVopr, 0, 1);
    params->addWidget(label(ParamExam, QStringLiteral("по"), PoslNomVopr), 0, 2);
    params->addWidget(PoslNomVopr, 0, 3);
    params->addWidget(label(ParamExam, QStringLiteral("Минут"), MaxTime), 1, 0);
    params->addWidget(MaxTime, 1, 1);
    params->addWidget(label(ParamExam, QStringLiteral("Протокол")), 1, 2);
    params->addWidget(Protokol_Wkl, 1, 3);
    connect(PervNomVopr, &QSpinBox::editingFinished, this, &TestSettingsPanel::rangeEdited);
    connect(PoslNomVopr, &QSpinBox::editingFinished, this, &TestSettingsPanel::rangeEdited);

    Nastroi = group(this, QStringLiteral("Nastroi"), QStringLiteral("В экзамене"));
    MaxKW = button(Nastroi, QStringLiteral("MaxKW"), QStringLiteral("500"),
                   QStringLiteral("Максимально вопросов в экзамене"));
    MaxKW->setFont(boldFont(MaxKW, 10));

    RegimGB = group(Nastroi, QStringLiteral("RegimGB"), QStringLiteral("Режим"));
    Regim = named(new QListWidget(RegimGB), QStringLiteral("Regim"), QStringLiteral("Режим тренажёра"));
    for (const QString& text : {QStringLiteral("Подсказать"), QStringLiteral("По порядку")}) {
        auto* item = new QListWidgetItem(text, Regim);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    Regim->item(kHintsItem)->setCheckState(Qt::Checked);
    Regim->setFixedHeight(2 * Regim->sizeHintForRow(0) + 2 * Regim->frameWidth() + 2);
    (new QVBoxLayout(RegimGB))->addWidget(Regim);
    connect(Regim, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        Q_EMIT modeClicked(Regim->row(item), item->checkState() == Qt::Checked);
    });

    WremIzm = group(Nastroi, QStringLiteral("WremIzm"), QStringLiteral("Время показа"),
                    QStringLiteral("В секундах. Можно изменить"));
    WoprSek = seconds(WremIzm, QStringLiteral("WoprSek"), QStringLiteral("Секунд на вопрос. Можно изменить"));
    OtwSek = seconds(WremIzm, QStringLiteral("OtwSek"), QStringLiteral("Секунд за каждый вариант ответа. Можно изменить"));
    WremaZadat = button(WremIzm, QStringLiteral("WremaZadat"), QStringLiteral("Применить"),
                        QStringLiteral("Применить новое время показа"));
    auto* times = new QGridLayout(WremIzm);
    times->addWidget(label(WremIzm, QStringLiteral("вопрос"), WoprSek), 0, 0);
    times->addWidget(WoprSek, 0, 1);
    times->addWidget(label(WremIzm, QStringLiteral("+ ответ"), OtwSek), 1, 0);
    times->addWidget(OtwSek, 1, 1);
    times->addWidget(WremaZadat, 2, 0, 1, 2);

    KTem = valueBox(Nastroi, QStringLiteral("KTem"), QStringLiteral("Тем в предмете"), QStringLiteral("0"));
    RWoprWseh = valueBox(Nastroi, QStringLiteral("RWoprWseh"), QStringLiteral("Вопросов в предмете"),
                         QStringLiteral("0"));
    auto* nastroi = new QGridLayout(Nastroi);
    nastroi->addWidget(label(Nastroi, QStringLiteral("Не больше вопросов"), MaxKW), 0, 0);
    nastroi->addWidget(MaxKW, 0, 1);
    nastroi->addWidget(RegimGB, 1, 0);
    nastroi->addWidget(WremIzm, 1, 1);
    auto* counts = new QHBoxLayout;
    counts->addWidget(label(Nastroi, QStringLiteral("Тем"), KTem));
    counts->addWidget(KTem);
    counts->addWidget(label(Nastroi, QStringLiteral("Вопросов"), RWoprWseh));
    counts->addWidget(RWoprWseh);
    nastroi->addLayout(counts, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ParamExam);
    layout->addWidget(Nastroi);
}

void TestSettingsPanel::lockForTest()
{
    Nastroi->hide();
    ParamExam->setEnabled(false);
    Regim->setEnabled(false);
    WremIzm->setEnabled(false);
}

void TestSettingsPanel::unlockAfterTest(const Rights& rights)
{
    Regim->setEnabled(rights.modes);
    WremIzm->setEnabled(rights.displayTimes);
    ParamExam->setEnabled(rights.testParameters);
    Nastroi->show();
}

bool TestSettingsPanel::isTicked(int item) const
{
    return Regim->item(item)->checkState() == Qt::Checked;
}

void TestSettingsPanel::setTicked(int item, bool ticked)
{
    const QSignalBlocker block(Regim);
    Regim->item(item)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

} // namespace tavel
