// The painted face of FaceButton.
#include "session/windows/face_button.h"

#include <QPainter>
#include <QPen>

namespace tavel {
namespace {

constexpr qreal kRadius = 6;

} // namespace

void FaceButton::setFace(const Face& face)
{
    face_ = face;
    update();
}

void FaceButton::paintEvent(QPaintEvent*)
{
    const bool enabled = isEnabled();
    QColor background = enabled ? face_.background : face_.disabledBackground;
    const QColor text = enabled ? face_.text : face_.disabledText;
    if (isDown())
        background = background.darker(120); // the press is seen

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    const QRectF face = QRectF(rect());
    painter.drawRoundedRect(face, kRadius, kRadius);
    if (hasFocus()) { // keyboard users see where Space and Enter go
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(3.5, 3.5, -3.5, -3.5), kRadius - 3, kRadius - 3);
    }
    painter.setPen(text);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, this->text());
}

} // namespace tavel
