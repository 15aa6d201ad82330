// The answer rows of the main window (30 at start-up, more on demand).
#include "session/windows/answer_rows.h"

#include "session/windows/controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTextEdit>

namespace tavel {

AnswerRows::AnswerRows(QWidget* parent) : QScrollArea(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("OtwetiOtm"));
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("OtwetiOtmArea"));
    area_->setAutoFillBackground(true);
    setAreaColour(palette().color(QPalette::Base)); // until the colour file names one
    for (int i = 1; i <= kRows; ++i)
        makeRow(i);
    setWidget(area_);
    setWidgetResizable(true);
    clearRows();
}

void AnswerRows::makeRow(int i)
{
    using namespace controls;
    const QFont bold = boldFont(area_, textPoints_);
    const int rowTop = 43 * i - 41;
    auto* text = named(new QTextEdit(area_), QStringLiteral("OtwText%1").arg(i));
    text->setGeometry(32, rowTop, 850, 41);
    text->setFont(bold);
    text->setReadOnly(true);
    text->setTabChangesFocus(true); // Tab goes from tick box to tick box
    text->setAcceptRichText(true);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* tick = named(new QCheckBox(area_), QStringLiteral("OtwCheck%1").arg(i),
                       QStringLiteral("Мышкой щёлкни для изменения"));
    tick->setGeometry(8, rowTop + 10, 25, 21);
    tick->setCursor(Qt::PointingHandCursor);

    auto* number = named(new QLineEdit(area_), QStringLiteral("OtwNum%1").arg(i),
                         QStringLiteral("Введите число от 1 и далее"));
    number->setGeometry(4, rowTop + 10, 25, 24);
    number->setFont(boldFont(area_, 10));
    number->setCursor(Qt::PointingHandCursor);
    QPalette p = number->palette();
    p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
    number->setPalette(p);

    for (QWidget* w : {static_cast<QWidget*>(text), static_cast<QWidget*>(tick), static_cast<QWidget*>(number)})
        w->hide();
    ticks_.push_back(tick);
    texts_.push_back(text);
    numbers_.push_back(number);
    area_->setMinimumSize(32 + 850 + 8, 43 * i + 4);
}

void AnswerRows::ensureRows(int count)
{
    while (rowCount() < count)
        makeRow(rowCount() + 1);
}

void AnswerRows::clearRows()
{
    for (int i = 0; i < rowCount(); ++i) {
        ticks_[size_t(i)]->hide();
        ticks_[size_t(i)]->setChecked(false);
        numbers_[size_t(i)]->hide();
        numbers_[size_t(i)]->clear();
        texts_[size_t(i)]->hide();
        texts_[size_t(i)]->clear();
    }
}

void AnswerRows::setAreaColour(const QColor& colour)
{
    QPalette p = area_->palette();
    p.setColor(QPalette::Window, colour);
    area_->setPalette(p);
}

QColor AnswerRows::areaColour() const
{
    return area_->palette().color(QPalette::Window);
}

int AnswerRows::textPointSize() const
{
    return texts_[0]->font().pointSize();
}

void AnswerRows::setTextPointSize(int points)
{
    textPoints_ = points;
    for (QTextEdit* text : texts_) {
        QFont f = text->font();
        f.setPointSize(points);
        text->setFont(f);
    }
}

} // namespace tavel
