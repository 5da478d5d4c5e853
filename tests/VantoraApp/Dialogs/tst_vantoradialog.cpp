#include "vantoradialog.h"
#include "vantoraheaderbutton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

// A dialog as the actions build them, with the translucency answer fixed.
class SampleDialog : public CVantoraDialog
{
    Q_OBJECT

public:
    SampleDialog(QWidget* parent, bool translucent)
        : CVantoraDialog(parent, false, translucent ? Translucency::On : Translucency::Off)
    {
    }

    QWidget* preview() const { return previewWindow; }

    int saveRequests = 0;
    int collectionRequests = 0;

public slots:
    void on_VDShowSaveDialog() { ++saveRequests; }
    void on_VDShowSaveCollectionDialog() { ++collectionRequests; }
};

class TestVantoraDialog : public QObject
{
    Q_OBJECT

private slots:
    void hostDetection_data();
    void hostDetection();
    void sizes_data();
    void sizes();
    void centring_data();
    void centring();
    void shadowFrames();
    void headerButtons();
    void doubleClicks();
    void fixedDialogMovesButDoesNotResize();
    void closeButtonRejects();
};

namespace {

// Counts the double clicks that reach the watched dialog.
class DoubleClickCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            ++count;
        return false;
    }
};

QWidget* Form(int width, int height)
{
    auto* form = new QWidget;
    form->setObjectName("main_widget");
    form->resize(width, height);
    return form;
}

void Press(QWidget* window, QEvent::Type type, QPoint global)
{
    QMouseEvent event(type, window->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

} // namespace

void TestVantoraDialog::hostDetection_data()
{
    QTest::addColumn<QStringList>("chain");  // outermost first; the dialog's parent is the last
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<bool>("prefixShown");
    QTest::addColumn<int>("previewLevel");  // index into the chain, -1 for none
    QTest::newRow("no parent") << QStringList() << "grey" << true << -1;
    QTest::newRow("unnamed parents") << QStringList{"", ""} << "grey" << true << -1;
    QTest::newRow("main window") << QStringList{"VantoraClass", ""} << "blue" << false << -1;
    QTest::newRow("preview window") << QStringList{"VantoraPreviewClass", ""} << "grey" << false << 0;
    QTest::newRow("preview inside main")
        << QStringList{"VantoraClass", "VantoraPreviewClass", ""} << "grey" << false << 1;
    QTest::newRow("main inside preview")
        << QStringList{"VantoraPreviewClass", "VantoraClass"} << "blue" << false << -1;
}

void TestVantoraDialog::hostDetection()
{
    QFETCH(QStringList, chain);
    QFETCH(QString, scheme);
    QFETCH(bool, prefixShown);
    QFETCH(int, previewLevel);

    QList<QWidget*> widgets;
    for (const QString& name : chain) {
        widgets << new QWidget(widgets.isEmpty() ? nullptr : widgets.last());
        widgets.last()->setObjectName(name);
    }
    QScopedPointer<QWidget> root(widgets.value(0));
    auto* dialog = new SampleDialog(widgets.isEmpty() ? nullptr : widgets.last(), false);
    QScopedPointer<SampleDialog> orphan(widgets.isEmpty() ? dialog : nullptr);

    QCOMPARE(dialog->preview(), previewLevel < 0 ? nullptr : widgets.at(previewLevel));
    auto* prefix = dialog->findChild<QLabel*>("VDPrefixLabel");
    QCOMPARE(!prefix->isHidden(), prefixShown);
    QCOMPARE(prefix->text(), prefixShown ? QString("Lumex Reader Advanced Tools -") : QString());

    const QString style = dialog->findChild<QFrame*>("VDmainFrame")->styleSheet();
    const bool blue = scheme == "blue";
    QCOMPARE(style.contains("border: 1px solid rgb(50,50,170);"), blue);
    QCOMPARE(style.contains("stop:0 rgba(70,90,160), stop:1 rgba(40,60,90))"), blue);
    QCOMPARE(style.contains("border: 1px solid rgb(140,130,130);"), !blue);
    QCOMPARE(style.contains("stop:0 rgba(140,130,130), stop:1 rgba(40,36,36))"), !blue);
    QVERIFY(style.contains("QFrame#VDmainFrame {background: rgb(147, 147 ,147);"));
}

void TestVantoraDialog::sizes_data()
{
    QTest::addColumn<bool>("translucent");
    QTest::addColumn<bool>("fixedSize");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("maximum");
    const QSize unlimited(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QTest::newRow("opaque") << false << false << QSize(400, 235) << QSize(400, 235) << unlimited;
    QTest::newRow("translucent") << true << false << QSize(416, 251) << QSize(416, 251) << unlimited;
    QTest::newRow("opaque fixed") << false << true << QSize(400, 235) << QSize(400, 235) << QSize(400, 235);
    QTest::newRow("translucent fixed") << true << true << QSize(400, 251) << QSize(400, 251) << QSize(400, 251);
}

void TestVantoraDialog::sizes()
{
    QFETCH(bool, translucent);
    QFETCH(bool, fixedSize);
    QFETCH(QSize, size);
    QFETCH(QSize, minimum);
    QFETCH(QSize, maximum);
    SampleDialog dialog(nullptr, translucent);
    QCOMPARE(dialog.size(), QSize(730, 599));
    QCOMPARE(dialog.testAttribute(Qt::WA_TranslucentBackground), translucent);
    QCOMPARE(dialog.windowFlags() & ~Qt::WindowType_Mask, Qt::WindowFlags(Qt::FramelessWindowHint));

    QWidget* form = Form(400, 200);
    dialog.VDaddMainWidget(form, fixedSize);
    QCOMPARE(dialog.size(), size);
    QCOMPARE(dialog.minimumSize(), minimum);
    QCOMPARE(dialog.maximumSize(), maximum);
    QCOMPARE(form->parentWidget(), dialog.findChild<QWidget*>("VDcontentWidget"));
}

void TestVantoraDialog::centring_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("form");
    QTest::addColumn<QPoint>("pos");
    // (0 + 1919) / 2 - 400 / 2 = 759; (0 + 1079) / 2 - (201 + 35 - 1) / 2 = 422.
    QTest::newRow("odd sizes") << QRect(0, 0, 1920, 1080) << QSize(401, 201) << QPoint(759, 422);
    QTest::newRow("even sizes") << QRect(0, 0, 1920, 1080) << QSize(400, 200) << QPoint(760, 422);
    // Halves truncate toward zero: (-1001 - 2) / 2 = -501, not -502.
    QTest::newRow("negative area") << QRect(-1001, -501, 1000, 500) << QSize(401, 201) << QPoint(-701, -368);
    QTest::newRow("offset area") << QRect(300, 200, 801, 601) << QSize(300, 100) << QPoint(551, 433);
}

void TestVantoraDialog::centring()
{
    QFETCH(QRect, area);
    QFETCH(QSize, form);
    QFETCH(QPoint, pos);
    QWidget preview;
    preview.setObjectName("VantoraPreviewClass");
    preview.setGeometry(area);
    auto* dialog = new SampleDialog(&preview, false);
    dialog->VDaddMainWidget(Form(form.width(), form.height()), false);
    QCOMPARE(dialog->pos(), pos);
}

void TestVantoraDialog::shadowFrames()
{
    SampleDialog dialog(nullptr, true);
    const QList<QFrame*> shadows = dialog.findChildren<QFrame*>(QRegularExpression("^VDshadow"));
    QCOMPARE(shadows.size(), 8);
    for (QFrame* shadow : shadows)
        QVERIFY2(shadow->isHidden(), qPrintable(shadow->objectName()));

    auto* corner = dialog.findChild<QFrame*>("VDshadowBtmLeft");
    QCOMPARE(corner->styleSheet(), QString("QFrame#VDshadowBtmLeft {\nbackground-image: "
                                           "url(:/Vantora/Resources/DialogShadow-BtmLeft.png);\n"
                                           "background-repeat: no-repeat;\nbackground-position: top right;\n"
                                           "border: 0px transparent;\n}"));
    auto* edge = dialog.findChild<QFrame*>("VDshadowLeft");
    QCOMPARE(edge->styleSheet(), QString("QFrame#VDshadowLeft {\nbackground-image: "
                                         "url(:/Vantora/Resources/DialogShadow-Left.png);\n"
                                         "background-repeat: repeat-y;\nborder: 0px transparent;\n\n}"));
    QCOMPARE(edge->minimumSize(), QSize(8, 0));
    QCOMPARE(edge->maximumSize(), QSize(8, QWIDGETSIZE_MAX));
    auto* grid = dialog.findChild<QGridLayout*>("VDgridLayout");
    QCOMPARE(grid->itemAtPosition(2, 2)->widget()->objectName(), QString("VDshadowBtmRight"));
    QCOMPARE(grid->itemAtPosition(1, 1)->widget()->objectName(), QString("VDmainFrame"));
    QCOMPARE(grid->itemAtPosition(0, 1)->widget()->objectName(), QString("VDshadowTop"));
}

void TestVantoraDialog::headerButtons()
{
    SampleDialog dialog(nullptr, false);
    dialog.VDaddMainWidget(Form(400, 200), false);
    dialog.VDaddTopButtons();
    dialog.VDaddCloseButton();

    auto* header = dialog.findChild<QHBoxLayout*>("VDHeaderHorizontalLayout");
    QStringList order;
    for (int i = 0; i < header->count(); ++i)
        order << header->itemAt(i)->widget()->objectName();
    QCOMPARE(order, QStringList({"VDPrefixLabel", "VDtitleLabel", "VDtoolbarAddToActionListButton",
                                 "VDtoolbarAddToCollectionsButton", "vantoraHeaderCloseBtn"}));
    QCOMPARE(header->stretch(1), 1);

    auto* actionList = dialog.findChild<CVantoraHeaderButton*>("VDtoolbarAddToActionListButton");
    auto* collections = dialog.findChild<CVantoraHeaderButton*>("VDtoolbarAddToCollectionsButton");
    auto* close = dialog.findChild<CVantoraHeaderButton*>("vantoraHeaderCloseBtn");
    // The images come from the host's resources, linked into this test.
    QVERIFY(!close->icon().pixmap(14, 14).isNull());
    QVERIFY(!actionList->icon().pixmap(20, 20, QIcon::Disabled, QIcon::On).isNull());
    QVERIFY(!dialog.windowIcon().pixmap(24, 24).isNull());

    actionList->click();
    collections->click();
    collections->click();
    QCOMPARE(dialog.saveRequests, 1);
    QCOMPARE(dialog.collectionRequests, 2);

    dialog.VDhideAddToActionListButton();
    QVERIFY(actionList->isHidden());
    QVERIFY(!collections->isHidden());
}

void TestVantoraDialog::doubleClicks()
{
    SampleDialog dialog(nullptr, false);
    dialog.VDaddMainWidget(Form(400, 200), false);
    dialog.VDaddCloseButton();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    DoubleClickCounter reachingDialog;
    dialog.installEventFilter(&reachingDialog);

    // Delivered as a real click would be: to the child, then up to the dialog.
    QTest::mouseDClick(dialog.findChild<QWidget*>("VDtitleLabel"), Qt::LeftButton);
    QCOMPARE(reachingDialog.count, 1);
    QTest::mouseDClick(dialog.findChild<QWidget*>("vantoraHeaderCloseBtn"), Qt::LeftButton);
    QCOMPARE(reachingDialog.count, 1);
    QVERIFY(dialog.isVisible());
}

void TestVantoraDialog::fixedDialogMovesButDoesNotResize()
{
    SampleDialog dialog(nullptr, false);
    dialog.VDaddMainWidget(Form(400, 200), true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect start = dialog.frameGeometry();

    const QPoint rightEdge(start.right() - 2, start.center().y());
    Press(&dialog, QEvent::MouseButtonPress, rightEdge);
    Press(&dialog, QEvent::MouseMove, rightEdge + QPoint(60, 0));
    Press(&dialog, QEvent::MouseButtonRelease, rightEdge + QPoint(60, 0));
    QCOMPARE(dialog.frameGeometry(), start);

    const QPoint header(start.center().x(), start.top() + 20);
    Press(&dialog, QEvent::MouseButtonPress, header);
    Press(&dialog, QEvent::MouseMove, header + QPoint(-30, 15));
    Press(&dialog, QEvent::MouseButtonRelease, header + QPoint(-30, 15));
    QCOMPARE(dialog.frameGeometry(), start.translated(-30, 15));
}

void TestVantoraDialog::closeButtonRejects()
{
    QPointer<SampleDialog> dialog = new SampleDialog(nullptr, false);
    dialog->VDaddMainWidget(Form(300, 150), true);
    dialog->VDaddCloseButton();
    QTimer::singleShot(0, dialog, [&dialog] {
        dialog->findChild<CVantoraHeaderButton*>("vantoraHeaderCloseBtn")->click();
    });
    QCOMPARE(dialog->exec(), int(QDialog::Rejected));
    delete dialog;
}

QTEST_MAIN(TestVantoraDialog)
#include "tst_vantoradialog.moc"
