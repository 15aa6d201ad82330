// The dictionary window.
#include "sets/windows/dictionary_window.h"

#include "platform/windows/message_box.h"
#include "session/windows/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tavel {

TRedak::TRedak(QWidget* parent) : QDialog(parent)
{
    using namespace controls;
    setObjectName(QStringLiteral("TRedak"));
    setModal(true);
    auto* title = new QLabel(QStringLiteral("Редактирование справочника"), this);
    title->setFont(boldFont(title, 11));
    QGroupBox* box = group(this, QStringLiteral("GroupBox1"), QStringLiteral("Исправить Добавить Удалить"));
    Spisok = named(new QPlainTextEdit(box), QStringLiteral("Spisok"));
    Spisok->setLineWrapMode(QPlainTextEdit::NoWrap); // both scroll bars
    Spisok->setFont(boldFont(Spisok, 11));
    auto* inner = new QVBoxLayout(box);
    inner->addWidget(Spisok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(box, 1);
    resize(420, 560);
}

void TRedak::setLines(const QString& caption, const QStringList& lines)
{
    setWindowTitle(caption);
    Spisok->setPlainText(lines.join(u'\n'));
}

QStringList TRedak::lines() const
{
    const QString text = Spisok->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(u'\n');
}

QStringList TRedak::edit(const QString& caption, const QStringList& lines)
{
    setLines(caption, lines);
    dialogs::execModal(this);
    return this->lines();
}

} // namespace tavel
