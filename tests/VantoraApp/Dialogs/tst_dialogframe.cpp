// The frameless dialog frame: the handler that moves and resizes a window by
// its move bar and edges, and the frame built around a form, which follows
// its host window, sizes and centres itself and carries the header buttons.
#include "framelesshandler.h"
#include "vantoradialog.h"

#include <QAbstractButton>
#include <QFrame>
#include <QHoverEvent>
#include <QLabel>
#include <QtTest>

#include <memory>

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

// A dialog as the actions build them around a form, with the translucency
// answer fixed.
class SampleDialog : public CVantoraDialog
{
    Q_OBJECT

public:
    SampleDialog(QWidget* parent, bool translucent, QSize form = {400, 200}, bool fixed = false)
        : CVantoraDialog(parent, false, translucent ? Translucency::On : Translucency::Off)
    {
        auto* widget = new QWidget;
        widget->resize(form);
        VDaddMainWidget(widget, fixed);
    }

    QWidget* preview() const { return previewWindow; }
    int doubleClicks = 0;

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { ++doubleClicks; }
};

namespace {

// Right and bottom lie at 500 and 400, one past the last pixel; the bands
// are 9 wide, the corner zones 18, the move bar 30 high.
const QRect Frame(100, 100, 400, 300);

constexpr Qt::CursorShape Arrow = Qt::ArrowCursor, Hor = Qt::SizeHorCursor, Ver = Qt::SizeVerCursor,
                          FDiag = Qt::SizeFDiagCursor, BDiag = Qt::SizeBDiagCursor;

void Send(QWidget* window, QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, window->mapFromGlobal(global), global, type == QEvent::MouseMove ? Qt::NoButton : button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

void Drag(QWidget* window, QPoint from, QPoint to)
{
    Send(window, QEvent::MouseButtonPress, from);
    Send(window, QEvent::MouseMove, to);
    Send(window, QEvent::MouseButtonRelease, to);
}

// The pointer over the window without a button.
void Hover(QWidget* window, QPoint global)
{
    const QPoint local = window->mapFromGlobal(global);
    QHoverEvent hover(QEvent::HoverMove, local, local);
    QApplication::sendEvent(window, &hover);
}

} // namespace

class TestDialogFrame : public QObject
{
    Q_OBJECT

    std::unique_ptr<MaximizableWindow> window;
    std::unique_ptr<CFramelessHandler> handler;

private slots:
    void init()
    {
        window = std::make_unique<MaximizableWindow>();
        window->setGeometry(Frame);
        window->setMinimumSize(300, 200);
        handler = std::make_unique<CFramelessHandler>();
        handler->activateOn(window.get());
        handler->setBorderWidth(9);
        handler->setBorderWidth(-1);  // ignored
        handler->setMoveBarHeight(30);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->frameGeometry(), Frame);
    }

    // Each part of the frame: the cursor it shows and what dragging it does.
    // Bounds are inclusive; the top-right corner is only band wide, the other
    // corners reach twice as far.
    void frameParts_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<Qt::CursorShape>("shape");
        QTest::addColumn<QRect>("result");
        QTest::newRow("move bar") << QPoint(300, 115) << QPoint(330, 135) << Arrow << QRect(130, 120, 400, 300);
        QTest::newRow("left band") << QPoint(109, 250) << QPoint(89, 250) << Hor << QRect(89, 100, 411, 300);
        QTest::newRow("right band") << QPoint(498, 250) << QPoint(548, 260) << Hor << QRect(100, 100, 449, 300);
        QTest::newRow("bottom band") << QPoint(300, 395) << QPoint(300, 420) << Ver << QRect(100, 100, 400, 321);
        // The top band lies in the move bar: the edge wins.
        QTest::newRow("top band") << QPoint(482, 100) << QPoint(482, 90) << Ver << QRect(100, 90, 400, 310);
        QTest::newRow("top-right") << QPoint(491, 100) << QPoint(511, 90) << BDiag << QRect(100, 90, 412, 310);
        QTest::newRow("top-left") << QPoint(118, 118) << QPoint(90, 80) << FDiag << QRect(90, 80, 410, 320);
        QTest::newRow("bottom-right") << QPoint(495, 395) << QPoint(520, 420) << FDiag << QRect(100, 100, 421, 321);
        // Too narrow: the width stays, the height follows.
        QTest::newRow("bottom-left") << QPoint(118, 382) << QPoint(250, 450) << BDiag << QRect(100, 100, 400, 351);
        QTest::newRow("past the opposite side") << QPoint(498, 250) << QPoint(50, 250) << Hor << Frame;
    }

    // The middle resets the cursor; after the release the same moves do nothing.
    void frameParts()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, to);
        QFETCH(QRect, result);
        Hover(window.get(), press);
        QTEST(window->cursor().shape(), "shape");
        Hover(window.get(), QPoint(300, 250));
        QCOMPARE(window->cursor().shape(), Arrow);
        Drag(window.get(), press, to);
        QCOMPARE(window->frameGeometry(), result);
        Send(window.get(), QEvent::MouseMove, to + QPoint(40, 40));
        QCOMPARE(window->frameGeometry(), result);
    }

    void lockedWindow()
    {
        handler->setWidgetResizable(false);
        handler->setWidgetMovable(false);
        Hover(window.get(), QPoint(498, 250));
        QCOMPARE(window->cursor().shape(), Arrow);
        Drag(window.get(), QPoint(498, 250), QPoint(548, 250));
        Drag(window.get(), QPoint(300, 120), QPoint(350, 130));
        QCOMPARE(window->frameGeometry(), Frame);
    }

    void doubleClickInMoveBar()
    {
        Send(window.get(), QEvent::MouseButtonDblClick, QPoint(300, 130));
        Send(window.get(), QEvent::MouseButtonDblClick, QPoint(300, 131));
        Send(window.get(), QEvent::MouseButtonDblClick, QPoint(300, 120), Qt::RightButton);
        QCOMPARE(window->maxRestoreRequests, 1);
    }

    // The nearest ancestor named as a host window decides: blue inside the
    // main window, the product prefix outside the host. A dialog in the
    // preview is centred on it, halves truncating toward zero.
    void hostWindow()
    {
        QWidget main;
        main.setObjectName("VantoraClass");
        QWidget preview(&main);
        preview.setObjectName("VantoraPreviewClass");
        preview.setGeometry(-1001, -501, 1000, 500);
        QWidget inMain(&main), inPreview(&preview);
        const SampleDialog outside(nullptr, false), fromMain(&inMain, false), fromPreview(&inPreview, false);
        QCOMPARE(fromPreview.preview(), &preview);
        QCOMPARE(fromPreview.pos(), QPoint(-700, -368));
        QCOMPARE(fromMain.preview(), nullptr);
        QVERIFY(!outside.findChild<QLabel*>("VDPrefixLabel")->isHidden());
        QVERIFY(fromPreview.findChild<QLabel*>("VDPrefixLabel")->isHidden());
        const auto blue = [](const QDialog& dialog) {
            return dialog.findChild<QFrame*>("VDmainFrame")->styleSheet().contains("rgb(50,50,170)");
        };
        QVERIFY(blue(fromMain) && !blue(fromPreview) && !blue(outside));
    }

    // With translucency the frame adds 16 x 51 pixels; a fixed dialog keeps
    // the form's width.
    void frameSize()
    {
        const SampleDialog resizable(nullptr, true), fixed(nullptr, true, {400, 200}, true);
        QVERIFY(resizable.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(resizable.size(), QSize(416, 251));
        QCOMPARE(resizable.minimumSize(), QSize(416, 251));
        QCOMPARE(resizable.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QCOMPARE(fixed.minimumSize(), QSize(400, 251));
        QCOMPARE(fixed.maximumSize(), QSize(400, 251));
    }

    // The header moves a fixed dialog, the edges do not resize it; a header
    // button keeps double clicks from the header, where they would maximise.
    // The close button's images come from the host's resources, linked into
    // this test.
    void shownFixedDialog()
    {
        SampleDialog dialog(nullptr, false, {400, 200}, true);
        dialog.VDaddCloseButton();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect start = dialog.frameGeometry();
        const QPoint leftEdge(start.left() + 2, start.center().y());
        Drag(&dialog, leftEdge, leftEdge - QPoint(60, 0));
        QCOMPARE(dialog.frameGeometry(), start);
        const QPoint header(start.center().x(), start.top() + 20);
        Drag(&dialog, header, header + QPoint(-30, 15));
        QCOMPARE(dialog.frameGeometry(), start.translated(-30, 15));
        QTest::mouseDClick(dialog.findChild<QWidget*>("VDtitleLabel"), Qt::LeftButton);
        auto* close = dialog.findChild<QAbstractButton*>("vantoraHeaderCloseBtn");
        QVERIFY(!close->icon().pixmap(14, 14).isNull());
        QTest::mouseDClick(close, Qt::LeftButton);
        QCOMPARE(dialog.doubleClicks, 1);
    }
};

QTEST_MAIN(TestDialogFrame)
#include "tst_dialogframe.moc"
