// The question edit window.
#include "authoring/windows/redak_wopros.h"

#include "authoring/question_edit.h"
#include "authoring/windows/zagruzka.h"
#include "platform/windows/message_box.h"
#include "session/windows/controls.h"
#include "session/windows/explanation_window.h"
#include "session/windows/picture_windows.h"
#include "session/windows/window_set.h"
#include "storage/text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QScrollArea>
#include <QStyle>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tavel {

using namespace controls;

namespace {

constexpr int kLineStep = 43;

// Keeps a rich edit box at no more than `limit` characters, as a box with a
// length limit would: what is typed or pasted beyond it is dropped.
void limitLength(QTextEdit* box, int limit)
{
    QObject::connect(box, &QTextEdit::textChanged, box, [box, limit] {
        const QString text = box->toPlainText();
        if (text.size() <= limit)
            return;
        QTextCursor cursor = box->textCursor();
        const int at = std::min(cursor.position(), limit);
        box->setPlainText(text.left(limit));
        cursor = box->textCursor();
        cursor.setPosition(at);
        box->setTextCursor(cursor);
    });
}

void setIfChanged(authoring::GridModel& grid, int row, int column, const QString& text)
{
    if (grid.cell(row, column) != text)
        grid.setCell(row, column, text);
}

} // namespace

TRedakWopros::TRedakWopros(WindowSet& windows, QWidget* parent) : QDialog(parent), windows_(windows)
{
    setObjectName(QStringLiteral("TRedakWopros"));
    setWindowTitle(QStringLiteral("Редактирование вопроса"));
    setModal(true);

    Ball = named(new QLineEdit(this), QStringLiteral("Ball"), QStringLiteral("Степень сложности вопроса"));
    Ball->setMaximumWidth(60);
    Label2 = named(label(this, QStringLiteral("Ball"), Ball), QStringLiteral("Label2"));
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QString(), this),
                    QStringLiteral("BitBtn1"), QStringLiteral("Внести изменения в таблицы без записи на диск"));
    BitBtn1->setMinimumWidth(60);
    TemaRed = named(new QLineEdit(this), QStringLiteral("TemaRed"));
    TemaRed->setReadOnly(true);
    Label3 = named(label(this, QStringLiteral("Тема"), TemaRed), QStringLiteral("Label3"));
    KodWopr = named(new QLineEdit(this), QStringLiteral("KodWopr"), QStringLiteral("Код вопроса"));
    KodWopr->setReadOnly(true);
    KodWopr->setMaximumWidth(70);
    Label1 = named(label(this, QStringLiteral("Вопрос Wopr"), KodWopr), QStringLiteral("Label1"));
    Wopros = named(new QTextEdit(this), QStringLiteral("Wopros"));
    Wopros->setAcceptRichText(false);
    Wopros->setFont(boldFont(Wopros, Wopros->font().pointSize()));
    Wopros->setFixedHeight(90);
    limitLength(Wopros, kQuestionLength);

    OtwetiOtm = named(new QScrollArea(this), QStringLiteral("OtwetiOtm"));
    linesArea_ = new QWidget(OtwetiOtm);
    linesArea_->setObjectName(QStringLiteral("OtwetiOtmLines"));
    OtwetiOtm->setWidget(linesArea_);
    OtwetiOtm->setWidgetResizable(false);

    auto* top = new QGridLayout;
    top->addWidget(Label2, 0, 0);
    top->addWidget(Ball, 0, 1);
    top->addWidget(Label3, 0, 2);
    top->addWidget(TemaRed, 0, 3);
    top->addWidget(Label1, 0, 4);
    top->addWidget(KodWopr, 0, 5);
    top->addWidget(BitBtn1, 0, 6);
    top->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Wopros);
    layout->addWidget(OtwetiOtm, 1);
    resize(980, 760);

    connect(BitBtn1, &QPushButton::clicked, this, &TRedakWopros::BitBtn1Click);
    FormCreate();
}

void TRedakWopros::FormCreate()
{
    while (int(lines_.size()) < kBuiltLines)
        addLine();
    clearLines();
}

void TRedakWopros::addLine()
{
    const int i = int(lines_.size()) + 1;
    const int top = kLineStep * (i - 1);
    const QString hint = QStringLiteral("Введите число от 1 и далее");
    const auto smallBox = [&](const QString& name, int left) {
        auto* box = named(new QLineEdit(linesArea_), name + QString::number(i), hint);
        box->setGeometry(left, top + 12, 25, 21);
        box->setFont(boldFont(box, 10));
        box->setCursor(Qt::PointingHandCursor);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
        p.setColor(QPalette::Text, p.color(QPalette::ToolTipText));
        box->setPalette(p);
        return box;
    };
    AnswerLine line;
    line.number = smallBox(QStringLiteral("OtwNomer"), 4);
    line.mark = smallBox(QStringLiteral("OtwKod"), 34);
    line.text = named(new QTextEdit(linesArea_), QStringLiteral("OtwTekst") + QString::number(i));
    line.text->setGeometry(62, top + 2, 870, 41);
    line.text->setAcceptRichText(false);
    line.text->setFont(boldFont(line.text, 10));
    limitLength(line.text, kAnswerLength);
    lines_.push_back(line);
    linesArea_->resize(62 + 870 + 4, kLineStep * i + 4);
}

void TRedakWopros::clearLines()
{
    for (const AnswerLine& line : lines_) {
        line.number->clear();
        line.mark->clear();
        line.text->clear();
        line.number->hide();
        line.mark->hide();
        line.text->hide();
    }
    shown_ = 0;
}

void TRedakWopros::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored from the task bar is shown again by the desktop;
    // only the program's own showing loads it, so nothing typed is lost.
    if (!event->spontaneous())
        FormShow();
}

void TRedakWopros::FormShow()
{
    clearLines();
    TZagruzka* editor = windows_.zagruzka.get();
    if (!editor)
        return;
    const QModelIndex current = editor->WopTabl->currentIndex();
    questionRow_ = current.isValid() ? current.row() : -1;
    authoring::GridModel& answers = editor->grids().answerGrid;
    const authoring::AnswerSpan span =
        authoring::answerSpan(editor->NoOtw->text(), editor->KOtwWopr->text(), answers.rows());
    if (!span.ok) {
        dialogs::error(this, QStringLiteral("Ответы вопроса не показаны: в полях редактора «Выбрана строка» и "
                                            "«Количество ответов» должны быть числа, а там «%1» и «%2».")
                                 .arg(editor->NoOtw->text(), editor->KOtwWopr->text()));
    } else {
        firstAnswer_ = span.first;
        while (int(lines_.size()) < span.count)
            addLine();
        for (int j = 0; j < span.count; ++j) {
            const AnswerLine& line = lines_[size_t(j)];
            const int row = span.first + j;
            line.number->setText(answers.cell(row, otwet::AnswerNo));
            line.mark->setText(answers.cell(row, otwet::AnswerMark));
            line.text->setPlainText(trimmed(answers.cell(row, otwet::AnswerText)));
            line.number->show();
            line.mark->show();
            line.text->show();
        }
        shown_ = span.count;
        linesArea_->resize(62 + 870 + 4, kLineStep * std::max(1, span.count) + 4);
    }

    const authoring::AttachmentRef ref = authoring::attachmentOf(Wopros->toPlainText());
    const QString folder = editor->fotoFolder();
    const QString path = folder + u'/' + ref.fileName;
    if (ref.kind == authoring::Attachment::Text)
        if (TTeksti* teksti = windows_.teksti.get())
            teksti->showExplanation(path, folder);
    if (ref.kind == authoring::Attachment::Gif)
        if (TGifPokaz* gif = windows_.gifPokaz.get())
            gif->showPicture(path);
}

void TRedakWopros::BitBtn1Click()
{
    TZagruzka* editor = windows_.zagruzka.get();
    if (!editor)
        return;
    authoring::GridModel& answers = editor->grids().answerGrid;
    for (int j = 0; j < shown_; ++j) {
        const AnswerLine& line = lines_[size_t(j)];
        const int row = firstAnswer_ + j;
        setIfChanged(answers, row, otwet::AnswerNo, line.number->text());
        setIfChanged(answers, row, otwet::AnswerMark, line.mark->text());
        setIfChanged(answers, row, otwet::AnswerText, line.text->toPlainText());
    }
    authoring::GridModel& questions = editor->grids().questionGrid;
    if (questionRow_ >= 0 && questionRow_ < questions.rows()) {
        setIfChanged(questions, questionRow_, wopros::Points, Ball->text());
        setIfChanged(questions, questionRow_, wopros::QuestionText, Wopros->toPlainText());
    }
}

void TRedakWopros::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TRedakWopros::FormClose()
{
    if (TTeksti* teksti = windows_.teksti.made(); teksti && teksti->isVisible())
        teksti->close();
    if (TGifPokaz* gif = windows_.gifPokaz.made(); gif && gif->isVisible())
        gif->close();
}

} // namespace tavel
