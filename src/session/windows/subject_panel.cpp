// The subject and topic choice strip of the main window.
#include "session/windows/subject_panel.h"

#include "session/windows/controls.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavel {
namespace {

QComboBox* textList(QWidget* parent, QObject* filter, const QString& name, const QString& hint)
{
    auto* combo = controls::named(new QComboBox(parent), name, hint);
    controls::makeEditable(combo);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setReadOnly(true);
    combo->lineEdit()->installEventFilter(filter);
    combo->setMaxVisibleItems(25);
    return combo;
}

} // namespace

QString SubjectPanel::subjectPrompt()
{
    return QStringLiteral("Выберите предмет мышкой");
}

QString SubjectPanel::topicPrompt()
{
    return QStringLiteral("Мышкой нажмите справа стрелочку, выберите тему и нажмите Старт");
}

SubjectPanel::SubjectPanel(QWidget* parent) : QWidget(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("SubjectPanel"));

    auto* subjectBox = group(this, QStringLiteral("PredmetGB"), QStringLiteral("Предмет"));
    PredmetName = textList(subjectBox, this, QStringLiteral("PredmetName"), QStringLiteral("Выберите предмет"));
    PredmetName->setEditText(subjectPrompt());
    PredmetName->setFont(boldFont(PredmetName, 10));
    PredmetName->setMinimumWidth(220);
    (new QVBoxLayout(subjectBox))->addWidget(PredmetName);

    WTema = group(this, QStringLiteral("WTema"), QStringLiteral("Тема"));
    WiborTema = textList(WTema, this, QStringLiteral("WiborTema"), {});
    WiborTema->setEditText(topicPrompt());
    WiborTema->lineEdit()->setCursorPosition(0);
    WiborTema->setFont(boldFont(WiborTema, 10));
    WiborTema->setEnabled(false);
    KolWoprTema = textList(WTema, this, QStringLiteral("KolWoprTema"), QStringLiteral("Количество вопросов в теме"));
    KolWoprTema->setFixedWidth(80);
    auto* topicLayout = new QHBoxLayout(WTema);
    topicLayout->addWidget(WiborTema, 1);
    topicLayout->addWidget(label(WTema, QStringLiteral("вопросов")));
    topicLayout->addWidget(KolWoprTema);

    Pusk = named(new FaceButton(QStringLiteral("Старт"), this), QStringLiteral("Pusk"), QStringLiteral("Выбранная тема"));
    Pusk->setFont(boldFont(Pusk, 14));
    Pusk->setMinimumSize(120, 52);
    showStartFace();

    auto* studentBox = group(this, QStringLiteral("StudentGB"), QStringLiteral("Студент"));
    INN_New = named(new QLineEdit(QStringLiteral("Иванов И.И. гр.17_П"), studentBox), QStringLiteral("INN_New"),
                    QStringLiteral("Фамилия Имя Отчество № группы"));
    INN_New->setFont(boldFont(INN_New, 10));
    INN_New->setMinimumWidth(170);
    (new QVBoxLayout(studentBox))->addWidget(INN_New);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(subjectBox, 3);
    layout->addWidget(WTema, 5);
    layout->addWidget(Pusk);
    layout->addWidget(studentBox, 2);
}

void SubjectPanel::showStartFace()
{
    Pusk->setText(QStringLiteral("Старт"));
    Pusk->setFace({QColor(0, 157, 0), QColor(255, 255, 0), QColor(150, 190, 150), QColor(235, 235, 200)});
}

void SubjectPanel::showStopFace()
{
    Pusk->setText(QStringLiteral("Стоп"));
    Pusk->setFace({Qt::red, Qt::white, Qt::red, Qt::white});
}

void SubjectPanel::lockForTest()
{
    showStopFace();
    PredmetName->setEnabled(false);
    WiborTema->setEnabled(false);
}

void SubjectPanel::unlockAfterTest()
{
    showStartFace();
    PredmetName->setEnabled(true);
    WiborTema->setEnabled(true);
}

void SubjectPanel::showTopicPrompt()
{
    showTopic(topicPrompt());
}

void SubjectPanel::showTopic(const QString& name)
{
    WiborTema->setEditText(name);
    WiborTema->lineEdit()->setCursorPosition(0); // long names show their start
}

bool SubjectPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (QComboBox* combo : {PredmetName, WiborTema, KolWoprTema}) {
            if (watched == combo->lineEdit() && combo->isEnabled()) {
                combo->showPopup();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tavel
