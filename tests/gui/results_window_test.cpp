// The results window on its own: the figures copied in, the mode's gradient,
// the teacher's extra point, the editable minutes, the clipboard copy and a
// test without points.
#include "session/windows/results_window.h"
#include "support/grab.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::grabIfAsked;

namespace {

// 13 of 20 points, 6 of 10 questions right: grade 3 with 50, 70, 85.
TFinish::Copy thirteenOfTwenty()
{
    TFinish::Copy c;
    c.figures.kWopr = 10;
    c.figures.werWop = 6;
    c.figures.wseBal = 20;
    c.figures.werBal = 13;
    c.figures.ocenka = QStringLiteral(" 3");
    c.figures.gauge = 65;
    c.student = QStringLiteral("Петров П.П. гр.11");
    c.maxTime = QStringLiteral("10");
    c.firstOrdinal = QStringLiteral("1");
    c.lastOrdinal = QStringLiteral("500");
    c.limitTime = QStringLiteral("7");
    c.minutesUsed = QStringLiteral("003");
    return c;
}

QColor topLeftColour(QWidget& w)
{
    return w.grab().toImage().pixelColor(2, 2);
}

} // namespace

TEST(ResultsWindow, ShowsTheCopiedFiguresAndTheMode)
{
    TFinish w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Итого. Покажите это преподавателю и сфотографируйте для себя."));
    w.fill(thirteenOfTwenty());
    w.setAnswered(10);
    w.setTopicName(QStringLiteral("Смута"));
    const QDateTime at(QDate(2024, 9, 2), QTime(10, 5, 7));
    w.FormShow(false, at, QStringLiteral("История"));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    EXPECT_EQ(w.KWopr->text(), QStringLiteral("10"));
    EXPECT_EQ(w.WerWop->text(), QStringLiteral("6"));
    EXPECT_EQ(w.WseBal->text(), QStringLiteral("20"));
    EXPECT_EQ(w.WerBal->text(), QStringLiteral("13"));
    EXPECT_EQ(w.Ocenka->text(), QStringLiteral(" 3"));
    EXPECT_EQ(w.Gauge1->value(), 65);
    EXPECT_EQ(w.NWopr->text(), QStringLiteral("10"));
    EXPECT_EQ(w.INN_New->text(), QStringLiteral("Петров П.П. гр.11"));
    EXPECT_EQ(w.Edit1->text(), QStringLiteral("История"));
    EXPECT_EQ(w.RichEdit1->toPlainText(), QStringLiteral("Смута"));
    EXPECT_EQ(w.TriProc->text(), QStringLiteral("50"));
    EXPECT_EQ(w.ChetProc->text(), QStringLiteral("70"));
    EXPECT_EQ(w.PaytProc->text(), QStringLiteral("85"));
    EXPECT_EQ(w.TimerTema1->text(), QStringLiteral("003"));
    EXPECT_EQ(w.LimitTime->text(), QStringLiteral("7"));
    EXPECT_EQ(w.PervNomVopr->text(), QStringLiteral("1"));
    EXPECT_EQ(w.PoslNomVopr->text(), QStringLiteral("500"));
    EXPECT_EQ(w.MaxTime->text(), QStringLiteral("10"));
    EXPECT_FALSE(w.Label7->isVisible());
    EXPECT_EQ(w.BitBtn1->text(), QStringLiteral("В буфер обмена"));
    EXPECT_EQ(w.GroupBox3->title(), QStringLiteral("Правила выставления оценок"));

    // Training: " Тренировка " on the red gradient; the exam form is green.
    EXPECT_EQ(w.ExamTren->text(), QStringLiteral(" Тренировка "));
    // Mended fault: the date followed the system's locale ("8 Dec 2026").
    EXPECT_EQ(w.DatTim->text(), QStringLiteral(" 02.09.2024  10:05"));
    const QColor training = topLeftColour(w);
    EXPECT_NEAR(training.red(), 255, 3);
    EXPECT_NEAR(training.green(), 128, 6);
    grabIfAsked(w, QStringLiteral("finish-training"));
    w.FormShow(true, at, QStringLiteral("История"));
    EXPECT_EQ(w.ExamTren->text(), QStringLiteral(" Экзамен "));
    const QColor exam = topLeftColour(w);
    EXPECT_NEAR(exam.red(), 80, 6);
    EXPECT_NEAR(exam.green(), 239, 3);
    grabIfAsked(w, QStringLiteral("finish-exam"));
}

TEST(ResultsWindow, TeacherAddsAPointToTheCopyOnly)
{
    TFinish w;
    w.fill(thirteenOfTwenty());
    w.show();
    QTest::mouseDClick(w.TriProc, Qt::LeftButton);
    EXPECT_EQ(w.WerBal->text(), QStringLiteral("14"));
    EXPECT_EQ(w.WerWop->text(), QStringLiteral("7"));
    EXPECT_EQ(w.Ocenka->text(), QStringLiteral(" 4"));
    EXPECT_EQ(w.Gauge1->value(), 70);
    EXPECT_TRUE(w.Label7->isVisible());
    EXPECT_EQ(w.Label7->text(), QStringLiteral("*"));

    // Opened again, the window shows the main window's figures without the mark.
    w.fill(thirteenOfTwenty());
    EXPECT_EQ(w.WerBal->text(), QStringLiteral("13"));
    EXPECT_FALSE(w.Label7->isVisible());

    // PaytProc makes the minutes editable.
    EXPECT_TRUE(w.TimerTema1->isReadOnly());
    QTest::mouseDClick(w.PaytProc, Qt::LeftButton);
    EXPECT_FALSE(w.TimerTema1->isReadOnly());
    w.TimerTema1->selectAll();
    QTest::keyClicks(w.TimerTema1, QStringLiteral("009"));
    EXPECT_EQ(w.TimerTema1->text(), QStringLiteral("009"));
}

TEST(ResultsWindow, NoPointsAvailableShowsADash)
{
    TFinish w;
    TFinish::Copy c;
    c.figures.ocenka = QStringLiteral(" 0");
    w.fill(c);
    w.show();
    EXPECT_EQ(w.Ocenka->text(), QStringLiteral(" —"));
    EXPECT_EQ(w.Gauge1->format(), QStringLiteral("—"));
    EXPECT_EQ(w.Gauge1->text(), QStringLiteral("—"));
    // The teacher's point changes the counts; still no percentage.
    QTest::mouseDClick(w.TriProc, Qt::LeftButton);
    EXPECT_EQ(w.WerBal->text(), QStringLiteral("1"));
    EXPECT_EQ(w.Ocenka->text(), QStringLiteral(" —"));
    grabIfAsked(w, QStringLiteral("finish-no-points"));
}

TEST(ResultsWindow, ClipboardGetsThePictureWithoutTheButton)
{
    TFinish w;
    w.fill(thirteenOfTwenty());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::clipboard()->clear();
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(w.BitBtn1->isVisible());
    const QImage picture = QApplication::clipboard()->image();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), w.size());
    // Where the button stands, the picture shows the background, not the button.
    const QRect button = w.BitBtn1->geometry();
    const QImage withButton = w.grab().toImage();
    int differing = 0;
    for (int x = button.left() + 4; x < button.right() - 4; x += 3)
        differing += picture.pixelColor(x, button.center().y()) != withButton.pixelColor(x, button.center().y());
    EXPECT_GT(differing, 5);
}
