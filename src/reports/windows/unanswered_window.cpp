// The unanswered-questions window: the list, the filter and the printout.
#include "reports/windows/unanswered_window.h"

#include "platform/windows/gauge_progress.h"
#include "platform/windows/message_box.h"
#include "reports/unanswered_printout.h"
#include "reports/windows/document_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tavel {

void UnansweredModel::fill(const QuestionList& rows)
{
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int UnansweredModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int UnansweredModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant UnansweredModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= rows_.size())
        return {};
    const QuestionRow& row = rows_[size_t(index.row())];
    if (role == Qt::TextAlignmentRole && index.column() != 1)
        return int(Qt::AlignCenter);
    if (role == Qt::ToolTipRole && index.column() == 1)
        return row.questionText;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0: return QString::number(index.row() + 1);
    case 1: return row.questionText;
    default: return shownMark(row.mark);
    }
}

QVariant UnansweredModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titles{QStringLiteral("№"), QStringLiteral("                 Вопрос"),
                                    QStringLiteral("Метка")};
    return titles.value(section);
}

TNeotWopr::TNeotWopr(ListGetter list, InstallFolder home, QWidget* parent)
    : QWidget(parent, Qt::Window), list_(std::move(list)), home_(std::move(home))
{
    setObjectName(QStringLiteral("NeotWopr"));

    auto* topicLabel = new QLabel(QStringLiteral("Тема:"), this);
    NeotTema = new QLineEdit(this);
    NeotTema->setObjectName(QStringLiteral("NeotTema"));
    NeotTema->setReadOnly(true);
    topicLabel->setBuddy(NeotTema);

    WoprP = new QTableView(this);
    WoprP->setObjectName(QStringLiteral("WoprP"));
    WoprP->setModel(&model_);
    WoprP->verticalHeader()->hide();
    WoprP->setSelectionBehavior(QAbstractItemView::SelectRows);
    WoprP->setEditTriggers(QAbstractItemView::NoEditTriggers);
    WoprP->setWordWrap(false);
    WoprP->setColumnWidth(0, 25 + 10);
    WoprP->setColumnWidth(1, 852);
    WoprP->setColumnWidth(2, 44 + 10);
    WoprP->horizontalHeader()->setStretchLastSection(true);

    DelPraw = new QPushButton(QStringLiteral("Оставить неотвеченные вопросы"), this);
    DelPraw->setObjectName(QStringLiteral("DelPraw"));
    DelPraw->setToolTip(QStringLiteral("Убрать из списка вопросы, на которые ответили правильно"));
    ProtNew = new QPushButton(QStringLiteral("Печать"), this);
    ProtNew->setObjectName(QStringLiteral("ProtNew"));
    ProtNew->setToolTip(QStringLiteral("Печать этих вопросов"));
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 1);
    Gauge1->setValue(0);

    auto* top = new QHBoxLayout;
    top->addWidget(topicLabel);
    top->addWidget(NeotTema, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DelPraw);
    buttons->addWidget(ProtNew);
    buttons->addWidget(Gauge1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(WoprP, 1);
    layout->addLayout(buttons);

    connect(DelPraw, &QPushButton::clicked, this, &TNeotWopr::DelPrawClick);
    connect(ProtNew, &QPushButton::clicked, this, &TNeotWopr::ProtNewClick);
    resize(980, 600);
}

void TNeotWopr::N17Click(const QString& subjectName)
{
    setWindowTitle(subjectName);
    show();
    raise();
    activateWindow();
    FormActivate(); // the offscreen and some window managers never activate
}

bool TNeotWopr::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TNeotWopr::FormActivate()
{
    const UnansweredList& list = list_();
    model_.fill(list.rows);
    NeotTema->setText(list.topicName);
}

void TNeotWopr::DelPrawClick()
{
    keepUnanswered(list_());
    FormActivate();
}

void TNeotWopr::ProtNewClick()
{
    // A copy: the checker may mark the running test's list meanwhile.
    const UnansweredList list = list_();
    if (!hasQuestions(list)) {
        dialogs::warning(this, QStringLiteral("Вопросов нет"), QStringLiteral("Повторите Выбор темы Старт"));
        return;
    }
    Document& document = holder_.newDocument();
    Gauge1->setValue(0);
    ProtNew->setEnabled(false);
    GaugeProgress gauge(Gauge1);
    QStringList problems;
    dialogs::guarded(this, [&] {
        problems = printUnanswered(document, list, home_, [&gauge](int done, int total) { gauge(done, total); });
    });
    ProtNew->setEnabled(true);
    DocumentWindow::showDocument(holder_.current(), this);
    if (!problems.isEmpty())
        dialogs::warning(this, QStringLiteral("Не все файлы вошли в документ"),
                         QStringLiteral("Эти файлы названы в документе там, где они должны были стоять:\n")
                             + problems.join(u'\n'));
}

} // namespace tavel
