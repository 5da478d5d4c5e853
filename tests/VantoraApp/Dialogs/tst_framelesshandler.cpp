#include "cursorposcalculator.h"
#include "framelesshandler.h"

#include <QHoverEvent>
#include <QWidget>
#include <QtTest>

// A frameless window with the slot the handler's double click asks for.
class MaximizableWindow : public QWidget
{
    Q_OBJECT

public:
    MaximizableWindow() : QWidget(nullptr, Qt::FramelessWindowHint) {}
    int maxRestoreRequests = 0;

public slots:
    void on_MaxRestore() { ++maxRestoreRequests; }
};

class TestFramelessHandler : public QObject
{
    Q_OBJECT

private slots:
    void calculatorBounds_data();
    void calculatorBounds();

    void init();
    void cleanup();
    void drag_data();
    void drag();
    void dragWithResizingOff();
    void otherButtonsLeaveNoMode();
    void cursorShapes_data();
    void cursorShapes();
    void hoverWithResizingOff();
    void doubleClickInMoveBar();
    void negativeBorderWidthIgnored();

private:
    void send(QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton);
    void hover(QPoint global);

    MaximizableWindow* window = nullptr;
    CFramelessHandler* handler = nullptr;
};

namespace {

// The set flags of a calculator, by name, for readable comparisons.
QStringList SetFlags(const CCursorPosCalculator& c)
{
    const QList<QPair<const char*, bool>> flags = {
        {"left", c.onLeftEdge}, {"right", c.onRightEdge}, {"top", c.onTopEdge}, {"bottom", c.onBottomEdge},
        {"nearLeft", c.nearLeft}, {"nearRight", c.nearRight}, {"nearTop", c.nearTop},
        {"nearBottom", c.nearBottom}, {"topLeft", c.onTopLeftEdge}, {"topRight", c.onTopRightEdge},
        {"bottomLeft", c.onBottomLeftEdge}, {"bottomRight", c.onBottomRightEdge},
        {"moveBar", c.onMoveBar}, {"edges", c.onEdges}};
    QStringList set;
    for (const auto& flag : flags) {
        if (flag.second)
            set << flag.first;
    }
    return set;
}

const QRect Frame(100, 100, 400, 300);

} // namespace

void TestFramelessHandler::calculatorBounds_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("flags");
    // Frame (100, 100) 400 x 300, band 9, move bar 30: right and bottom are 500 and 400.
    QTest::newRow("left band, last pixel") << QPoint(109, 250) << "left nearLeft edges";
    QTest::newRow("past left band") << QPoint(110, 250) << "nearLeft";
    QTest::newRow("left corner zone end") << QPoint(118, 250) << "nearLeft";
    QTest::newRow("top-left corner zone") << QPoint(118, 118) << "nearLeft nearTop topLeft moveBar edges";
    QTest::newRow("top-right corner") << QPoint(491, 100) << "right top nearRight nearTop topRight moveBar edges";
    QTest::newRow("top-right zone is narrow") << QPoint(482, 100) << "top nearRight nearTop moveBar edges";
    QTest::newRow("one past right and bottom")
        << QPoint(500, 400) << "right bottom nearRight nearBottom bottomRight edges";
    QTest::newRow("outside right") << QPoint(501, 250) << "";
    QTest::newRow("bottom-left zone") << QPoint(118, 382) << "nearLeft nearBottom bottomLeft edges";
    QTest::newRow("left of frame, top band") << QPoint(50, 105) << "top nearTop moveBar edges";
    QTest::newRow("move bar last row") << QPoint(300, 130) << "moveBar";
    QTest::newRow("below move bar") << QPoint(300, 131) << "";
    QTest::newRow("above frame") << QPoint(300, 50) << "moveBar";
}

void TestFramelessHandler::calculatorBounds()
{
    QFETCH(QPoint, pos);
    QFETCH(QString, flags);
    CCursorPosCalculator calculator;
    calculator.borderWidth = 9;
    calculator.moveBarHeight = 30;
    calculator.recalculate(pos, Frame);
    QCOMPARE(SetFlags(calculator).join(' '), flags);
}

void TestFramelessHandler::init()
{
    window = new MaximizableWindow;
    window->setGeometry(Frame);
    window->setMinimumSize(300, 200);
    handler = new CFramelessHandler;
    handler->activateOn(window);
    handler->setBorderWidth(9);
    handler->setMoveBarHeight(30);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->frameGeometry(), Frame);
}

void TestFramelessHandler::cleanup()
{
    delete handler;
    delete window;
}

void TestFramelessHandler::send(QEvent::Type type, QPoint global, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, window->mapFromGlobal(global), global,
                      type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

void TestFramelessHandler::hover(QPoint global)
{
    const QPoint local = window->mapFromGlobal(global);
    QHoverEvent event(QEvent::HoverMove, local, local);
    QApplication::sendEvent(window, &event);
}

void TestFramelessHandler::drag_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("result");
    QTest::newRow("move by the header") << QPoint(300, 105 + 10) << QPoint(330, 135) << QRect(130, 120, 400, 300);
    QTest::newRow("top band resizes") << QPoint(300, 105) << QPoint(300, 90) << QRect(100, 90, 400, 310);
    QTest::newRow("right edge") << QPoint(498, 250) << QPoint(548, 260) << QRect(100, 100, 449, 300);
    QTest::newRow("bottom-right corner") << QPoint(495, 395) << QPoint(520, 420) << QRect(100, 100, 421, 321);
    QTest::newRow("top-left corner") << QPoint(110, 110) << QPoint(90, 80) << QRect(90, 80, 410, 320);
    QTest::newRow("left edge below minimum width refused")
        << QPoint(102, 250) << QPoint(202, 250) << QRect(100, 100, 400, 300);
    QTest::newRow("refused axis keeps the other")
        << QPoint(105, 395) << QPoint(250, 450) << QRect(100, 100, 400, 351);
    QTest::newRow("crossing the opposite side") << QPoint(498, 250) << QPoint(50, 250) << QRect(100, 100, 400, 300);
    QTest::newRow("inside does nothing") << QPoint(300, 250) << QPoint(320, 270) << QRect(100, 100, 400, 300);
}

void TestFramelessHandler::drag()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, to);
    QFETCH(QRect, result);
    send(QEvent::MouseButtonPress, press);
    send(QEvent::MouseMove, to);
    send(QEvent::MouseButtonRelease, to);
    QCOMPARE(window->frameGeometry(), result);
    // After the release the same moves do nothing.
    send(QEvent::MouseMove, to + QPoint(40, 40));
    QCOMPARE(window->frameGeometry(), result);
}

void TestFramelessHandler::dragWithResizingOff()
{
    handler->setWidgetResizable(false);
    send(QEvent::MouseButtonPress, QPoint(498, 250));
    send(QEvent::MouseMove, QPoint(548, 250));
    send(QEvent::MouseButtonRelease, QPoint(548, 250));
    QCOMPARE(window->frameGeometry(), Frame);

    send(QEvent::MouseButtonPress, QPoint(300, 120));
    send(QEvent::MouseMove, QPoint(310, 130));
    send(QEvent::MouseButtonRelease, QPoint(310, 130));
    QCOMPARE(window->frameGeometry(), Frame.translated(10, 10));

    handler->setWidgetMovable(false);
    send(QEvent::MouseButtonPress, QPoint(300, 130));
    send(QEvent::MouseMove, QPoint(350, 130));
    QCOMPARE(window->frameGeometry(), Frame.translated(10, 10));
}

void TestFramelessHandler::otherButtonsLeaveNoMode()
{
    send(QEvent::MouseButtonPress, QPoint(498, 250), Qt::RightButton);
    send(QEvent::MouseMove, QPoint(548, 250));
    QCOMPARE(window->frameGeometry(), Frame);

    // A right release in the middle of a left drag ends the move mode, but
    // the left button is still down, so the pointer no longer drags.
    send(QEvent::MouseButtonPress, QPoint(300, 120));
    send(QEvent::MouseButtonRelease, QPoint(300, 120), Qt::RightButton);
    send(QEvent::MouseMove, QPoint(350, 150));
    QCOMPARE(window->frameGeometry(), Frame);
}

void TestFramelessHandler::cursorShapes_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("shape");
    QTest::newRow("top-left") << QPoint(110, 110) << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom-right") << QPoint(495, 395) << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(495, 105) << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-left") << QPoint(110, 395) << int(Qt::SizeBDiagCursor);
    QTest::newRow("left") << QPoint(105, 250) << int(Qt::SizeHorCursor);
    QTest::newRow("right") << QPoint(495, 250) << int(Qt::SizeHorCursor);
    QTest::newRow("top") << QPoint(300, 105) << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << QPoint(300, 395) << int(Qt::SizeVerCursor);
}

void TestFramelessHandler::cursorShapes()
{
    QFETCH(QPoint, pos);
    QFETCH(int, shape);
    hover(pos);
    QCOMPARE(int(window->cursor().shape()), shape);
    send(QEvent::MouseMove, QPoint(300, 250));  // moves without a button act as hovers
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);

    send(QEvent::MouseMove, pos);
    QCOMPARE(int(window->cursor().shape()), shape);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window, &leave);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
}

void TestFramelessHandler::hoverWithResizingOff()
{
    QVERIFY(window->testAttribute(Qt::WA_Hover));
    handler->setWidgetResizable(false);
    hover(QPoint(105, 250));
    send(QEvent::MouseMove, QPoint(105, 250));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
}

void TestFramelessHandler::doubleClickInMoveBar()
{
    QSignalSpy toggles(handler, &CFramelessHandler::toggleMaximize);
    send(QEvent::MouseButtonDblClick, QPoint(300, 130));
    send(QEvent::MouseButtonDblClick, QPoint(300, 131));
    send(QEvent::MouseButtonDblClick, QPoint(300, 120), Qt::RightButton);
    QCOMPARE(toggles.count(), 1);
    QCOMPARE(window->maxRestoreRequests, 1);
}

void TestFramelessHandler::negativeBorderWidthIgnored()
{
    handler->setBorderWidth(-1);
    QCOMPARE(handler->borderWidth(), 9);
}

QTEST_MAIN(TestFramelessHandler)
#include "tst_framelesshandler.moc"
