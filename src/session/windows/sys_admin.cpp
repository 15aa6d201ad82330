// The administrator prompt.
#include "session/windows/sys_admin.h"

#include "platform/windows/message_box.h"
#include "session/windows/controls.h"
#include "storage/text.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace tavel {

QString TSysAdmin::word()
{
    return QStringLiteral("Vintor");
}

TSysAdmin::TSysAdmin(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSysAdmin"));
    setWindowTitle(QStringLiteral("Ты кто?"));
    setModal(true);
    NomZamka = controls::named(new QLineEdit(this), QStringLiteral("NomZamka"),
                               QStringLiteral("Не вводите сюда ничего, не прочитав инструкции!"));
    NomZamka->setEchoMode(QLineEdit::Password);
    NomZamka->setMaxLength(6);
    NomZamka->setFont(controls::boldFont(NomZamka, 12));
    NomZamka->setMinimumWidth(180);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NomZamka);
    connect(NomZamka, &QLineEdit::returnPressed, this, &TSysAdmin::NomZamkaEnter);
}

bool TSysAdmin::ask()
{
    administrator_ = false;
    dialogs::execModal(this);
    return administrator_;
}

void TSysAdmin::showEvent(QShowEvent* event)
{
    administrator_ = false;
    NomZamka->clear();
    NomZamka->setFocus();
    QDialog::showEvent(event);
}

void TSysAdmin::NomZamkaEnter()
{
    administrator_ = trimmed(NomZamka->text()) == word();
    accept();
}

} // namespace tavel
