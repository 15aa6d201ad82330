// The correct-answer window "Надо так".
#include "session/windows/correct_answer_window.h"

#include "session/windows/controls.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>

namespace tavel {

QString TDalsheOkno::caption()
{
    return QStringLiteral("Надо так");
}

TDalsheOkno::TDalsheOkno(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TDalsheOkno"));
    setWindowTitle(caption());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 255, 255)); // aqua
    setPalette(p);

    dxfColorButton1 = controls::button(this, QStringLiteral("dxfColorButton1"), QStringLiteral("Дальше"),
                                       QStringLiteral("Следующий вопрос"));
    dxfColorButton1->setFont(controls::boldFont(dxfColorButton1, 12));
    dxfColorButton1->setMinimumSize(140, 40);
    dxfColorButton1->setDefault(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(dxfColorButton1);
    connect(dxfColorButton1, &QPushButton::clicked, this, &TDalsheOkno::dxfColorButton1Click);
    setFixedSize(sizeHint().expandedTo(QSize(220, 80)));

    // Beside the answers, not over them: the top right of the work area.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - 40, area.top() + 120);
    }
}

void TDalsheOkno::dxfColorButton1Click()
{
    accept();
}

} // namespace tavel
