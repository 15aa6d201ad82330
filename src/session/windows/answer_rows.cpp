// The answer rows of the main window, each made and filled when it is first
// needed.
#include "session/windows/answer_rows.h"

#include "session/windows/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextEdit>

namespace tavel {
namespace {

constexpr int kAreaWidth = 32 + 850 + 8;

// Rows stand in blocks of kRows, one plain widget each, so that painting a
// row and hiding a block weigh the rows of one block, not every row made.
int blockOf(int i)
{
    return (i - 1) / AnswerRows::kRows;
}

// The top of row i within its block (43i - 41 within the area).
int rowTop(int i)
{
    return AnswerRows::kRowHeight * (i - blockOf(i) * AnswerRows::kRows) - 41;
}

} // namespace

AnswerRows::AnswerRows(QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("OtwetiOtm"));
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("OtwetiOtmArea"));
    area_->setAutoFillBackground(true);
    setAreaColour(palette().color(QPalette::Base)); // until the colour file names one
    setWidget(area_);
    setWidgetResizable(true);
    setAreaHeight(0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { fillRowsInView(); });
}

void AnswerRows::makeRow(int i)
{
    using namespace controls;
    if (int(rows_.size()) < i)
        rows_.resize(size_t(i));
    QWidget* block = this->block(blockOf(i));
    const QFont bold = boldFont(area_, textPoints_);
    auto* text = named(new QTextEdit(block), QStringLiteral("OtwText%1").arg(i));
    text->setGeometry(32, rowTop(i), 850, 41);
    text->setFont(bold);
    text->setReadOnly(true);
    text->setTabChangesFocus(true); // Tab goes from tick box to tick box
    text->setAcceptRichText(true);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* tick = named(new QCheckBox(block), QStringLiteral("OtwCheck%1").arg(i),
                       QStringLiteral("Мышкой щёлкни для изменения"));
    tick->setGeometry(8, rowTop(i) + 10, 25, 21);
    tick->setCursor(Qt::PointingHandCursor);

    auto* number = named(new QLineEdit(block), QStringLiteral("OtwNum%1").arg(i),
                         QStringLiteral("Введите число от 1 и далее"));
    number->setGeometry(4, rowTop(i) + 10, 25, 24);
    number->setFont(boldFont(area_, 10));
    number->setCursor(Qt::PointingHandCursor);
    QPalette p = number->palette();
    p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
    number->setPalette(p);

    for (QWidget* w : {static_cast<QWidget*>(text), static_cast<QWidget*>(tick), static_cast<QWidget*>(number)})
        w->hide();
    // A row made later than the ones after it still comes after the row
    // before it for Tab (a new widget would otherwise go last).
    for (int before = i - 1; before >= 1; --before) {
        if (const Row& previous = rows_[size_t(before - 1)]; previous.number) {
            QWidget::setTabOrder(previous.number, text);
            QWidget::setTabOrder(text, tick);
            QWidget::setTabOrder(tick, number);
            break;
        }
    }
    rows_[size_t(i - 1)] = Row{tick, text, number, false};
}

QWidget* AnswerRows::block(int b)
{
    if (int(blocks_.size()) <= b) {
        blocks_.resize(size_t(b + 1));
        staleRows_.resize(size_t(b + 1));
    }
    QWidget*& block = blocks_[size_t(b)];
    if (!block) {
        block = new QWidget(area_);
        block->setGeometry(0, kRowHeight * kRows * b, kAreaWidth, kRowHeight * kRows);
        block->setVisible(b == 0 || b * kRows < rowCount());
    }
    return block;
}

AnswerRows::Row& AnswerRows::row(int i)
{
    Q_ASSERT(i >= 1 && i <= std::max(rowCount(), kRows));
    if (int(rows_.size()) < i || !rows_[size_t(i - 1)].tick)
        makeRow(i);
    return rows_[size_t(i - 1)];
}

AnswerRows::Row& AnswerRows::filled(int i)
{
    if (i <= rowCount())
        fillRow(i);
    return row(i);
}

void AnswerRows::fillRow(int i)
{
    Row& r = row(i);
    if (r.filled)
        return;
    r.filled = true;
    filledRows_.push_back(i);
    const Line& line = lines_[size_t(i - 1)];
    r.text->setPlainText(line.text);
    if (line.shown) {
        r.tick->show();
        r.text->show();
    }
}

QCheckBox* AnswerRows::tickBox(int i)
{
    return filled(i).tick;
}

QTextEdit* AnswerRows::textLine(int i)
{
    return filled(i).text;
}

QLineEdit* AnswerRows::numberBox(int i)
{
    return filled(i).number;
}

bool AnswerRows::isFilled(int i) const
{
    return i >= 1 && i <= int(rows_.size()) && rows_[size_t(i - 1)].filled;
}

bool AnswerRows::isTicked(int i) const
{
    return isFilled(i) && rows_[size_t(i - 1)].tick->isChecked();
}

bool AnswerRows::isTextShown(int i) const
{
    if (isFilled(i))
        return !rows_[size_t(i - 1)].text->isHidden();
    return i >= 1 && i <= rowCount() && lines_[size_t(i - 1)].shown;
}

void AnswerRows::showLines(std::vector<Line> lines)
{
    clearRows();
    lines_ = std::move(lines);
    setAreaHeight(rowCount());
    for (size_t b = 1; b < blocks_.size() && int(b) * kRows < rowCount(); ++b)
        if (blocks_[b])
            showBlock(int(b));
    verticalScrollBar()->setValue(0);
    for (int i = 1; i <= std::min(rowCount(), kRows); ++i)
        fillRow(i);
    fillRowsInView();
}

void AnswerRows::clearRows()
{
    // No row is in use before the first one is hidden: hiding the row that
    // has the focus moves it on, and that must not fill rows of the question
    // being cleared.
    const std::vector<int> filledRows = std::move(filledRows_);
    filledRows_.clear();
    lines_.clear();
    // Nor must it walk the focus chain past every hidden row made.
    if (QWidget* focus = QApplication::focusWidget(); focus && area_->isAncestorOf(focus))
        focus->clearFocus();
    // The rows of the first block are cleared now; the other blocks are
    // hidden whole, and their rows are cleared when a block is shown again
    // (a question that scrolled through 1 000 rows leaves one hide per block).
    for (int i : filledRows) {
        Row& r = rows_[size_t(i - 1)];
        r.filled = false;
        if (const int b = blockOf(i); b == 0)
            hideRow(r);
        else
            staleRows_[size_t(b)].push_back(i);
    }
    for (size_t b = 1; b < blocks_.size(); ++b)
        if (blocks_[b])
            blocks_[b]->hide();
    setAreaHeight(0);
}

void AnswerRows::hideRow(Row& r)
{
    r.tick->hide();
    r.tick->setChecked(false);
    r.number->hide();
    r.number->clear();
    r.text->hide(); // its text is replaced when the row is filled again
}

void AnswerRows::showBlock(int b)
{
    for (int i : staleRows_[size_t(b)])
        if (!rows_[size_t(i - 1)].filled)
            hideRow(rows_[size_t(i - 1)]);
    staleRows_[size_t(b)].clear();
    blocks_[size_t(b)]->show();
}

// The row above the view and a screenful below it are filled too: Tab and
// Shift+Tab scroll the focused row into view, so the keyboard always finds
// the next row and the one before made.
void AnswerRows::fillRowsInView()
{
    if (rowCount() <= kRows)
        return; // all filled by showLines
    const int top = verticalScrollBar()->value();
    const int page = viewport()->height();
    const int first = std::max(1, top / kRowHeight);
    const int last = std::min(rowCount(), (top + 2 * page) / kRowHeight + 1);
    for (int i = first; i <= last; ++i)
        fillRow(i);
}

void AnswerRows::setAreaHeight(int rows)
{
    area_->setMinimumSize(kAreaWidth, kRowHeight * std::max(rows, 1) + 4);
}

void AnswerRows::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    fillRowsInView();
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
    return textPoints_;
}

void AnswerRows::setTextPointSize(int points)
{
    textPoints_ = points;
    for (const Row& r : rows_) {
        if (!r.text)
            continue;
        QFont f = r.text->font();
        f.setPointSize(points);
        r.text->setFont(f);
    }
}

} // namespace tavel
