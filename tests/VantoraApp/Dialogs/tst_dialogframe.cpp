// The frameless dialog frame: the handler that moves and resizes a window by
// its move bar and edges, and the frame built around a form, which follows
// its host window, sizes and centres itself and carries the header buttons.
#include "framelesshandler.h"
#include "vantoradialog.h"
#include "vantoraheaderbutton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHoverEvent>
#include <QLabel>
#include <QSignalSpy>
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
    int saveRequests = 0;
    int collectionRequests = 0;
    int doubleClicks = 0;

public slots:
    void on_VDShowSaveDialog() { ++saveRequests; }
    void on_VDShowSaveCollectionDialog() { ++collectionRequests; }

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { ++doubleClicks; }
};

namespace {

// Right and bottom lie at 500 and 400, one past the last pixel; the bands
// are 9 wide, the corner zones 18, the move bar 30 high.
const QRect Frame(100, 100, 400, 300);

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

    void cleanup()
    {
        handler.reset();
        window.reset();
    }

    void drag_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<bool>("movable");
        QTest::addColumn<QRect>("result");
        QTest::newRow("move bar") << QPoint(300, 115) << QPoint(330, 135) << true << true << QRect(130, 120, 400, 300);
        QTest::newRow("top band resizes") << QPoint(300, 105) << QPoint(300, 90) << true << true
                                          << QRect(100, 90, 400, 310);
        QTest::newRow("right edge") << QPoint(498, 250) << QPoint(548, 260) << true << true << QRect(100, 100, 449, 300);
        QTest::newRow("bottom-right") << QPoint(495, 395) << QPoint(520, 420) << true << true << QRect(100, 100, 421, 321);
        QTest::newRow("top-left") << QPoint(110, 110) << QPoint(90, 80) << true << true << QRect(90, 80, 410, 320);
        QTest::newRow("too narrow keeps width, not height") << QPoint(105, 395) << QPoint(250, 450) << true << true
                                                            << QRect(100, 100, 400, 351);
        QTest::newRow("past the opposite side") << QPoint(498, 250) << QPoint(50, 250) << true << true << Frame;
        QTest::newRow("inside") << QPoint(300, 250) << QPoint(320, 270) << true << true << Frame;
        QTest::newRow("not resizable") << QPoint(498, 250) << QPoint(548, 250) << false << true << Frame;
        QTest::newRow("not movable") << QPoint(300, 120) << QPoint(350, 130) << true << false << Frame;
    }

    // After the release the same moves do nothing.
    void drag()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, to);
        QFETCH(QRect, result);
        QFETCH(bool, resizable);
        QFETCH(bool, movable);
        handler->setWidgetResizable(resizable);
        handler->setWidgetMovable(movable);
        Drag(window.get(), press, to);
        QCOMPARE(window->frameGeometry(), result);
        Send(window.get(), QEvent::MouseMove, to + QPoint(40, 40));
        QCOMPARE(window->frameGeometry(), result);
    }

    void rightButtonNeitherMovesNorResizes()
    {
        Send(window.get(), QEvent::MouseButtonPress, QPoint(498, 250), Qt::RightButton);
        Send(window.get(), QEvent::MouseMove, QPoint(548, 250));
        Send(window.get(), QEvent::MouseButtonPress, QPoint(300, 120), Qt::RightButton);
        Send(window.get(), QEvent::MouseMove, QPoint(350, 150));
        QCOMPARE(window->frameGeometry(), Frame);
    }

    // Bounds are inclusive; the top-right corner is only band wide, the
    // other corners reach twice as far.
    void cursorShapes_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<int>("shape");
        QTest::newRow("top-left zone") << QPoint(118, 118) << true << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right") << QPoint(495, 395) << true << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-left zone") << QPoint(118, 382) << true << int(Qt::SizeBDiagCursor);
        QTest::newRow("top-right") << QPoint(491, 100) << true << int(Qt::SizeBDiagCursor);
        QTest::newRow("beside top-right") << QPoint(482, 100) << true << int(Qt::SizeVerCursor);
        QTest::newRow("left band, last pixel") << QPoint(109, 250) << true << int(Qt::SizeHorCursor);
        QTest::newRow("past the left band") << QPoint(110, 250) << true << int(Qt::ArrowCursor);
        QTest::newRow("one past the right") << QPoint(500, 250) << true << int(Qt::SizeHorCursor);
        QTest::newRow("outside") << QPoint(501, 250) << true << int(Qt::ArrowCursor);
        QTest::newRow("bottom") << QPoint(300, 395) << true << int(Qt::SizeVerCursor);
        QTest::newRow("not resizable") << QPoint(105, 250) << false << int(Qt::ArrowCursor);
    }

    // Hovers and moves without a button set the shape; leaving resets it.
    void cursorShapes()
    {
        QFETCH(QPoint, pos);
        QFETCH(bool, resizable);
        handler->setWidgetResizable(resizable);
        const QPoint local = window->mapFromGlobal(pos);
        QHoverEvent hover(QEvent::HoverMove, local, local);
        QApplication::sendEvent(window.get(), &hover);
        QTEST(int(window->cursor().shape()), "shape");
        Send(window.get(), QEvent::MouseMove, QPoint(300, 250));
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        Send(window.get(), QEvent::MouseMove, pos);
        QTEST(int(window->cursor().shape()), "shape");
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(window.get(), &leave);
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    }

    void doubleClickInMoveBar()
    {
        Send(window.get(), QEvent::MouseButtonDblClick, QPoint(300, 130));
        Send(window.get(), QEvent::MouseButtonDblClick, QPoint(300, 131));
        Send(window.get(), QEvent::MouseButtonDblClick, QPoint(300, 120), Qt::RightButton);
        QCOMPARE(window->maxRestoreRequests, 1);
    }

    // The nearest ancestor named as a host window decides colours and prefix.
    void hostWindow_data()
    {
        QTest::addColumn<QStringList>("chain");  // outermost first; the dialog's parent is the last
        QTest::addColumn<bool>("blue");
        QTest::addColumn<bool>("prefixShown");
        QTest::addColumn<int>("previewLevel");  // index into the chain, -1 for none
        QTest::newRow("no parent") << QStringList() << false << true << -1;
        QTest::newRow("main window") << QStringList{"VantoraClass", ""} << true << false << -1;
        QTest::newRow("preview inside main") << QStringList{"VantoraClass", "VantoraPreviewClass", ""} << false
                                             << false << 1;
        QTest::newRow("main inside preview") << QStringList{"VantoraPreviewClass", "VantoraClass"} << true
                                             << false << -1;
    }

    void hostWindow()
    {
        QFETCH(QStringList, chain);
        QFETCH(bool, blue);
        QFETCH(bool, prefixShown);
        QFETCH(int, previewLevel);
        QList<QWidget*> widgets;
        for (const QString& name : chain) {
            widgets << new QWidget(widgets.value(widgets.size() - 1));
            widgets.last()->setObjectName(name);
        }
        auto* dialog = new SampleDialog(widgets.value(widgets.size() - 1), false);
        const std::unique_ptr<QObject> owner(widgets.isEmpty() ? static_cast<QObject*>(dialog) : widgets.first());
        QCOMPARE(dialog->preview(), widgets.value(previewLevel));
        auto* prefix = dialog->findChild<QLabel*>("VDPrefixLabel");
        QCOMPARE(!prefix->isHidden(), prefixShown);
        QCOMPARE(prefix->text(), prefixShown ? QString("Lumex Reader Advanced Tools -") : QString());
        const QString style = dialog->findChild<QFrame*>("VDmainFrame")->styleSheet();
        QCOMPARE(style.contains("border: 1px solid rgb(50,50,170);"), blue);
        QCOMPARE(style.contains("stop:0 rgba(140,130,130), stop:1 rgba(40,36,36))"), !blue);
    }

    // The frame adds 35 pixels of height, or 16 x 51 with translucency; a
    // fixed dialog keeps the form's width. The shadows keep their room but
    // never show.
    void frameSize_data()
    {
        QTest::addColumn<bool>("translucent");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("maximum");
        const QSize unlimited(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        QTest::newRow("opaque") << false << false << QSize(400, 235) << unlimited;
        QTest::newRow("translucent") << true << false << QSize(416, 251) << unlimited;
        QTest::newRow("translucent fixed") << true << true << QSize(400, 251) << QSize(400, 251);
    }

    void frameSize()
    {
        QFETCH(bool, translucent);
        QFETCH(bool, fixed);
        QFETCH(QSize, size);
        SampleDialog dialog(nullptr, translucent, {400, 200}, fixed);
        QCOMPARE(dialog.windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));
        QCOMPARE(dialog.testAttribute(Qt::WA_TranslucentBackground), translucent);
        for (QFrame* shadow : dialog.findChildren<QFrame*>(QRegularExpression("^VDshadow")))
            QVERIFY(shadow->isHidden());
        QCOMPARE(dialog.size(), size);
        QCOMPARE(dialog.minimumSize(), size);
        QTEST(dialog.maximumSize(), "maximum");
    }

    // Halves truncate toward zero, so an odd leftover pixel goes right and down.
    void centring_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("form");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("odd sizes") << QRect(0, 0, 1920, 1080) << QSize(401, 201) << QPoint(759, 422);
        QTest::newRow("even sizes") << QRect(0, 0, 1920, 1080) << QSize(400, 200) << QPoint(760, 422);
        QTest::newRow("negative area") << QRect(-1001, -501, 1000, 500) << QSize(401, 201) << QPoint(-701, -368);
    }

    void centring()
    {
        QFETCH(QRect, area);
        QFETCH(QSize, form);
        QWidget preview;
        preview.setObjectName("VantoraPreviewClass");
        preview.setGeometry(area);
        QTEST((new SampleDialog(&preview, false, form))->pos(), "pos");
    }

    void headerButtons()
    {
        SampleDialog dialog(nullptr, false);
        dialog.VDaddTopButtons();
        dialog.VDaddCloseButton();
        auto* header = dialog.findChild<QHBoxLayout*>("VDHeaderHorizontalLayout");
        QStringList order;
        for (int i = 0; i < header->count(); ++i)
            order << header->itemAt(i)->widget()->objectName();
        QCOMPARE(order, QStringList({"VDPrefixLabel", "VDtitleLabel", "VDtoolbarAddToActionListButton",
                                     "VDtoolbarAddToCollectionsButton", "vantoraHeaderCloseBtn"}));
        auto* actionList = dialog.findChild<CVantoraHeaderButton*>("VDtoolbarAddToActionListButton");
        auto* close = dialog.findChild<CVantoraHeaderButton*>("vantoraHeaderCloseBtn");
        // The images come from the host's resources, linked into this test.
        QVERIFY(!close->icon().pixmap(14, 14).isNull());
        actionList->click();
        dialog.findChild<CVantoraHeaderButton*>("VDtoolbarAddToCollectionsButton")->click();
        QCOMPARE(dialog.saveRequests, 1);
        QCOMPARE(dialog.collectionRequests, 1);
        dialog.VDhideAddToActionListButton();
        QVERIFY(actionList->isHidden());
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        close->click();
        QCOMPARE(rejected.count(), 1);
    }

    // The header moves a fixed dialog, the edges do not resize it; a header
    // button keeps double clicks from the header, where they would maximise.
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
        QCOMPARE(dialog.doubleClicks, 1);
        QTest::mouseDClick(dialog.findChild<QWidget*>("vantoraHeaderCloseBtn"), Qt::LeftButton);
        QCOMPARE(dialog.doubleClicks, 1);
    }
};

QTEST_MAIN(TestDialogFrame)
#include "tst_dialogframe.moc"
