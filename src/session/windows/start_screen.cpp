// The start screen with the contents page and the entry password.
#include "session/windows/start_screen.h"

#include "session/windows/controls.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace tavel {
namespace {

// A panel of help text in rich text, wrapped to the width it is given. The
// layouts take its height from heightForWidth at the width they give it; its
// size hints only say how wide it would like to be (so many average
// characters) and about how high it would then be, counted from its text,
// for laying the rich text out is the dearest part of the start screen.
// (QLabel's own hints laid the text out fifteen times.)
class HelpPanel final : public QLabel {
public:
    HelpPanel(const QString& html, int hintColumns, int minimumColumns, QWidget* parent)
        : QLabel(html, parent), hintColumns_(hintColumns), minimumColumns_(minimumColumns)
    {
        // Its lines (every heading, list item and line break starts one) and
        // the characters outside its tags.
        for (const char* lineStart : {"<li", "<br", "<ol"})
            lines_ += int(html.count(QLatin1String(lineStart)));
        bool inTag = false;
        for (const QChar c : html) {
            if (c == u'<' || c == u'>')
                inTag = c == u'<';
            else if (!inTag)
                ++characters_;
        }
    }
    // Remembered per width until the font or style changes: the layouts
    // ask the same few widths again and again while the window is built.
    int heightForWidth(int width) const override
    {
        for (const auto& [known, height] : heights_)
            if (known == width)
                return height;
        const int height = QLabel::heightForWidth(width);
        heights_.emplace_back(width, height);
        return height;
    }
    QSize sizeHint() const override
    {
        // A line per heading, list item and line break, and one more per
        // hinted width's worth of characters (indents and bold words take
        // some of each line).
        const int wrapped = lines_ + characters_ / std::max(1, hintColumns_ - 8);
        return {widthOf(hintColumns_), wrapped * fontMetrics().lineSpacing() + 2 * (margin() + frameWidth())};
    }
    QSize minimumSizeHint() const override { return {widthOf(minimumColumns_), sizeHint().height()}; }

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            heights_.clear();
        QLabel::changeEvent(event);
    }

private:
    int widthOf(int columns) const
    {
        return columns * fontMetrics().averageCharWidth() + 2 * (margin() + frameWidth());
    }
    int hintColumns_;
    int minimumColumns_;
    int lines_ = 1;
    int characters_ = 0;
    mutable std::vector<std::pair<int, int>> heights_; // width, height
};

// `html` marks its bold words with <b>; they are shown in the 10-point bold
// of the window's other captions, which is a font already loaded.
QLabel* panel(QWidget* parent, int hintColumns, int minimumColumns, QString html)
{
    html.replace(QStringLiteral("<b>"), QStringLiteral("<b style='font-size:10pt'>"));
    auto* l = new HelpPanel(html, hintColumns, minimumColumns, parent);
    l->setWordWrap(true);
    l->setTextFormat(Qt::RichText);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMargin(8);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xF0));
    l->setPalette(p);
    return l;
}

} // namespace

StartScreen::StartScreen(QWidget* parent) : QGroupBox(parent)
{
    using namespace controls;
    named(this, QStringLiteral("Zastavka"), QStringLiteral("Заставка"));
    setAutoFillBackground(true);

    OglTabl = named(new QTableWidget(this), QStringLiteral("OglTabl"), QStringLiteral("Можно выбрать предмет"));
    // The font first: the header measures its sections as soon as it has
    // columns, and in the default font that would load a font of its own.
    OglTabl->setFont(boldFont(OglTabl, 10));
    OglTabl->setColumnCount(5);
    OglTabl->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Предмет"), QStringLiteral("Тем"),
                                        QStringLiteral("Вопросов"), QStringLiteral("Ответов")});
    OglTabl->setSelectionBehavior(QAbstractItemView::SelectRows);
    OglTabl->setSelectionMode(QAbstractItemView::SingleSelection);
    OglTabl->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OglTabl->setCursor(Qt::PointingHandCursor);
    OglTabl->viewport()->setCursor(Qt::PointingHandCursor);
    OglTabl->verticalHeader()->hide();
    OglTabl->setAlternatingRowColors(true);
    // Tab leaves the grid for the password (the arrows move within it).
    OglTabl->setTabKeyNavigation(false);
    OglTabl->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    OglTabl->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    connect(OglTabl, &QTableWidget::cellPressed, this, [this](int row, int) { Q_EMIT rowPressed(row); });

    auto* title = new QLabel(QStringLiteral("  Тестирование - тренировка / ФОС"), this);
    title->setFont(boldFont(title, 14));

    ParolGB = group(this, QStringLiteral("ParolGB"), QStringLiteral("Пароль"),
                    QStringLiteral("Не меняйте, не прочитав инструкции !"));
    Parol = named(new QLineEdit(QStringLiteral("480372"), ParolGB), QStringLiteral("Parol"),
                  QStringLiteral("Не меняйте без необходимости. Ровно 6 цифр"));
    Parol->setEchoMode(QLineEdit::Password);
    Parol->setFont(boldFont(Parol, 12));
    ZastPogasit1 = button(ParolGB, QStringLiteral("ZastPogasit1"), QStringLiteral("Войти в программу"),
                          QStringLiteral("Войти в программу"));
    ZastPogasit1->setFont(boldFont(ZastPogasit1, 12)); // as the password above it
    ZastPogasit1->setDefault(true);
    auto* parolLayout = new QVBoxLayout(ParolGB);
    parolLayout->addWidget(Parol);
    parolLayout->addWidget(ZastPogasit1);
    connect(ZastPogasit1, &QPushButton::clicked, this, &StartScreen::enterClicked);
    connect(Parol, &QLineEdit::returnPressed, this, &StartScreen::enterClicked);

    dxfColorButton2 = button(this, QStringLiteral("dxfColorButton2"), QStringLiteral("Документация"),
                             QStringLiteral("Документация"));
    connect(dxfColorButton2, &QPushButton::clicked, this, &StartScreen::helpClicked);

    auto* howTo = panel(this, 48, 22, QStringLiteral(
        "<b>Как работать</b><ol style='margin-left:12px'>"
        "<li>Введите пароль и нажмите «Войти в программу».</li>"
        "<li>Выберите предмет: щёлкните его строку в оглавлении или выберите в списке вверху.</li>"
        "<li>Выберите тему и нажмите «Старт».</li>"
        "<li>Отвечайте на вопросы; «Готов» — ответ принят, следующий вопрос.</li></ol>"));
    auto* modes = panel(this, 31, 17, QStringLiteral(
        "<b> Режимы: Контроль / Тренажёр</b><br>"
        "<b>Тренажёр</b> — с подсказками; после ошибки показан правильный ответ.<br>"
        "<b>Контроль</b> — без подсказок, вопросы вразброс, протокол для преподавателя."));

    auto* side = new QVBoxLayout;
    side->addWidget(ParolGB);
    side->addWidget(howTo);
    side->addWidget(modes);
    side->addStretch(1);
    side->addWidget(dxfColorButton2);

    auto* layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0, 1, 2);
    layout->addWidget(OglTabl, 1, 0);
    layout->addLayout(side, 1, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 1);
}

void StartScreen::showContents(const ContentsPage& page, const std::vector<int>& headingRows)
{
    OglTabl->setRowCount(int(page.cells.size()));
    for (int r = 0; r < int(page.cells.size()); ++r) {
        const QStringList& row = page.cells[size_t(r)];
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(c < row.size() ? row[c] : QString());
            if (c != 1)
                item->setTextAlignment(Qt::AlignCenter);
            OglTabl->setItem(r, c, item);
        }
    }
    for (int r : headingRows) {
        for (int c = 0; c < 5; ++c) {
            if (QTableWidgetItem* item = OglTabl->item(r, c)) {
                item->setBackground(QColor(0xC8, 0xDC, 0xF0));
                QFont f = item->font();
                f.setPointSize(12);
                item->setFont(f);
            }
        }
    }
}

QString StartScreen::subjectNameAt(int row) const
{
    const QTableWidgetItem* item = row >= 0 && row < OglTabl->rowCount() ? OglTabl->item(row, 1) : nullptr;
    return item ? item->text() : QString();
}

} // namespace tavel
