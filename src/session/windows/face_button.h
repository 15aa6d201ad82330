// A push button painted in colours of its own: a filled rounded face with its
// caption centred, one pair of colours while enabled and one while disabled.
// The Start/Stop button wears it. A style sheet would give the same look, but
// the first style sheet of a program builds a whole style-sheet style, which
// costs start-up more than the window's every other button.
#pragma once

#include <QColor>
#include <QPushButton>

namespace tavel {

class FaceButton : public QPushButton {
    Q_OBJECT
public:
    struct Face {
        QColor background;
        QColor text;
        QColor disabledBackground;
        QColor disabledText;
    };

    using QPushButton::QPushButton;

    void setFace(const Face& face);
    const Face& face() const { return face_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Face face_{Qt::lightGray, Qt::black, Qt::lightGray, Qt::darkGray};
};

} // namespace tavel
