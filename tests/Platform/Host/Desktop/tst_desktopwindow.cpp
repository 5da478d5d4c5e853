// The desktop host on real files, with the real plug-in loaded through
// QPluginLoader, the stand-in PDF library and Qt's event loop: a user opens
// the sample manual, defines two levels by pointing at headings, runs the
// action, undoes it and saves.
#include "desktoptesting.h"
#include "testing.h"

#include "actionrunner.h"
#include "outlinepanel.h"
#include "outlinereader.h"
#include "backgroundpagerenderer.h"
#include "hostsettings.h"
#include "recentfiles.h"
#include "rawpdf.h"
#include "samplepdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>

namespace {

// Closes the next message box; `said` gets its text.
void AnswerMessage(QString& said)
{
    said.clear();
    WhenModal("QMessageBox", [&said](QWidget* box) {
        said = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
}

// Answers the next password prompt, or cancels it.
void AnswerPassword(const QString& password, std::function<void()> then = {})
{
    WhenModal("QInputDialog", [=](QWidget* dialog) {
        if (then)
            then();
        static_cast<QInputDialog*>(dialog)->setTextValue(password);
        password.isEmpty() ? static_cast<QInputDialog*>(dialog)->reject() : static_cast<QInputDialog*>(dialog)->accept();
    });
}

} // namespace

class TestDesktopWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(mDir.isValid());
        mSample = mDir.filePath("manual.pdf");
        QVERIFY(MakeSampleManual(mSample, mHeadings));
    }

    void init()
    {
        // Each test starts as a first run: no kept settings, every question asked.
        HostSettings().clear();
        mWindow = std::make_unique<DesktopWindow>(PluginPath());
        QVERIFY2(mWindow->actionRunner()->isLoaded(), qPrintable(mWindow->actionRunner()->errorString()));
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    }

    void cleanup()
    {
        if (QDialog* wizard = mWindow ? Wizard(*mWindow) : nullptr)
            wizard->reject();
        mWindow.reset();
    }

    void windowsCarryTheNamesThePluginLooksFor()
    {
        QCOMPARE(mWindow->objectName(), QStringLiteral("VantoraClass"));
        QCOMPARE(mWindow->previewWindow()->objectName(), QStringLiteral("VantoraPreviewClass"));
        QCOMPARE(mWindow->previewWindow()->parent(), mWindow.get());
        // Actions > group > the action with its icon > Edit settings..., Run.
        QMenu* menu = mWindow->findChild<QMenu*>(QStringLiteral("actionMenu"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("Bookmarks by Content"));
        auto* group = qobject_cast<QMenu*>(menu->parentWidget());
        QVERIFY(group && group->title() == QStringLiteral("Bookmarks"));
        QVERIFY(group->menuAction()->associatedWidgets().contains(mWindow->findChild<QMenu*>("actionsMenu")));
        QVERIFY(!menu->icon().pixmap(32, QIcon::Normal).isNull() && !menu->icon().pixmap(32, QIcon::Disabled).isNull());
        QCOMPARE(menu->actions(),
                 (QList<QAction*>{action("actionSuggestLevels"), action("actionEditSettings"),
                                  action("actionEveryNthPage"), action("actionRun")}));
    }

    void pointingAtHeadingsBuildsTheOutline()
    {
        QVERIFY(mWindow->openFile(mSample));
        QCOMPARE(mWindow->outlinePanel()->text(), QStringLiteral("Cover\n"));
        action("actionEditSettings")->trigger();
        QDialog* wizard = Wizard(*mWindow);
        QVERIFY(wizard && wizard->isVisible());
        QVERIFY(!action("actionEditSettings")->isEnabled());

        const Heading chapter = mHeadings.at(0);
        const Heading section = mHeadings.at(1);
        addLevelByPointing(wizard, chapter, QStringLiteral("^\\d+ "), false);
        addLevelByPointing(wizard, section, QStringLiteral("^\\d+\\.\\d+ "), true);
        QVERIFY(Click(wizard, "page3FinishButton"));
        QTRY_VERIFY(mWindow->actionRunner()->hasSettings());
        // The options and the two levels' keys, without the wizard's book-keeping.
        QCOMPARE(mWindow->actionRunner()->settings().size(), 9 + 2 * 22);
        QCOMPARE(mWindow->statusBar()->currentMessage(), QStringLiteral("2 levels; press Run."));
        QTRY_VERIFY(!Wizard(*mWindow));
        QVERIFY(action("actionEditSettings")->isEnabled());

        // The first run that replaces bookmarks asks; "don't ask again" holds.
        QSignalSpy finished(mWindow.get(), &DesktopWindow::runFinished);
        QString asked;
        WhenModal("QMessageBox", [&asked](QWidget* box) {
            asked = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->checkBox()->setChecked(true);
            static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        action("actionRun")->trigger();
        QVERIFY2(asked.contains("1 bookmark"), qPrintable(asked));
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
        // A chapter title that wraps keeps its first line.
        const QStringList found = mWindow->outlinePanel()->text().split('\n');
        QStringList wanted;
        for (const Heading& heading : mHeadings)
            if (heading.level <= 2)
                wanted << QString((heading.level - 1) * 2, QLatin1Char(' ')) + heading.title;
        QCOMPARE(found.size(), wanted.size() + 1);
        for (int i = 0; i < wanted.size(); ++i)
            QVERIFY2(wanted.at(i).startsWith(found.at(i)), qPrintable(found.at(i) + " / " + wanted.at(i)));
        QVERIFY(mWindow->isModified());

        // Ctrl+Z undoes the run even from a text field, which has an undo of its own.
        auto* pageBox = mWindow->findChild<QSpinBox*>("pageBox");
        QApplication::setActiveWindow(mWindow.get());
        pageBox->setFocus();
        QTest::keyClick(pageBox, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(mWindow->outlinePanel()->text(), QStringLiteral("Cover\n"));
        QVERIFY(!mWindow->isModified());

        // Clicking a bookmark goes to its page.
        action("actionRun")->trigger();
        QVERIFY(finished.wait(60000));
        OutlinePanel* panel = mWindow->outlinePanel();
        QTreeWidgetItem* last = panel->topLevelItem(panel->topLevelItemCount() - 1);
        panel->scrollToItem(last);
        QTest::mouseClick(panel->viewport(), Qt::LeftButton, {}, panel->visualItemRect(last).center());
        QTRY_COMPARE(mWindow->previewWindow()->pageView()->currentPage(), last->text(1).toInt());

        // Saved whole under a new name, which becomes the latest recent file.
        const QString saved = mDir.filePath("bookmarked.pdf");
        QVERIFY(mWindow->saveTo(saved));
        QVERIFY(!mWindow->isModified());
        QCOMPARE(mWindow->findChild<RecentFiles*>()->files().mid(0, 2), QStringList({saved, mSample}));
        OpenDocument reopened(saved, QString());
        const QList<OutlineItem> outline = OutlineReader::read(reopened.library());
        QCOMPARE(outline.size(), 4);
        QCOMPARE(outline.at(0).children.at(0).title, section.title);
        QCOMPARE(outline.at(0).children.at(0).page, section.page);
    }

    void badInputAndEmptyRunsKeepTheDocument()
    {
        QVERIFY(mWindow->openFile(mSample));
        const QString text = mDir.filePath("notes.pdf");
        WriteFile(text, "just some notes\n");
        QString said;
        AnswerMessage(said);
        QVERIFY(!mWindow->openFile(text));
        QVERIFY2(said.contains("not a PDF"), qPrintable(said));
        QCOMPARE(QFileInfo(mWindow->document()->path()).fileName(), QStringLiteral("manual.pdf"));
        // Run waits for settings, and says so.
        QVERIFY(!action("actionRun")->isEnabled());
        QVERIFY(action("actionRun")->toolTip().contains("Edit settings"));

        // A run that builds nothing (this one once deleted a manual's
        // bookmarks) changes nothing and says why.
        HostSettings().setValue("Questions/DontAskBeforeReplacing", true);
        mWindow->actionRunner()->setSettings({{"LevelCount", 1}, {"FontSizeCheck1", true}, {"FontSizeValue1", 14.35}});
        QSignalSpy finished(mWindow.get(), &DesktopWindow::runFinished);
        action("actionRun")->trigger();
        QVERIFY(finished.wait(60000));
        QCOMPARE(mWindow->outlinePanel()->text(), QStringLiteral("Cover\n"));
        QVERIFY(!mWindow->isModified() && !action("actionUndo")->isEnabled());
        auto* message = mWindow->findChild<QMessageBox*>("emptyRunMessage");
        QVERIFY(message && message->isVisible());
        QVERIFY2(message->informativeText().contains("No line matched level 1 (size 14.35 ± 0)"),
                 qPrintable(message->informativeText()));

        // A page tree that claims far more pages than it holds shows the ones there are.
        const QString claims = mDir.filePath("claims.pdf");
        WriteFile(claims, "%PDF-1.4\n1 0 obj <</Type/Catalog/Pages 2 0 R>> endobj\n"
                          "2 0 obj <</Type/Pages/Kids[3 0 R]/Count 2147483647>> endobj\n"
                          "3 0 obj <</Type/Page/Parent 2 0 R/MediaBox[0 0 200 300]>> endobj\n"
                          "trailer <</Root 1 0 R/Size 4>>\n%%EOF\n");
        QVERIFY(mWindow->openFile(claims));
        QTRY_COMPARE(mWindow->findChild<QLabel*>("pageCount")->text(), QStringLiteral(" of 1 "));
    }

    // Suggested levels come up in the wizard to be seen first; once
    // finished they run like levels picked by hand.
    void suggestedLevelsOpenInTheWizard()
    {
        QVERIFY(mWindow->openFile(mSample));
        int rows = 0;
        WhenModal("CPrefsDialog", [&rows](QWidget* wizard) {
            rows = Child<QTableWidget>(wizard, "page3LevelTableWidget")->rowCount();
            Click(wizard, "page3FinishButton");
        });
        action("actionSuggestLevels")->trigger();
        QVERIFY(rows >= 2);
        QCOMPARE(mWindow->actionRunner()->settings().value("LevelCount").toInt(), rows);
        QSignalSpy finished(mWindow.get(), &DesktopWindow::runFinished);
        WhenModal("QMessageBox", [](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click(); });
        action("actionRun")->trigger();
        QVERIFY(finished.wait(60000));
        QStringList chapters;
        for (const Heading& heading : mHeadings)
            if (heading.level == 1)
                chapters << heading.title;
        const QStringList top = mWindow->outlinePanel()->text().split('\n').filter(QRegularExpression("^\\S"));
        QCOMPARE(top, chapters);
    }

    // Size 14.346 pt: the picked size, as the field shows it, must match its
    // own lines with no tolerance; the levels stay for the next edit.
    void aPickedFractionalSizeFindsItsHeadingsAndStays()
    {
        const QString pdf = mDir.filePath("fractional.pdf");
        RawPdf raw;
        raw.addFont("F1", "Helvetica-Bold");
        const QStringList chapters{"1 New features", "2 Plotting", "3 Fitting"};
        for (const QString& chapter : chapters)
            raw.addPage("BT /F1 14.346 Tf 72 700 Td (" + chapter.toLatin1() + ") Tj ET");
        QVERIFY(raw.write(pdf));
        QVERIFY(mWindow->openFile(pdf));
        action("actionEditSettings")->trigger();
        QDialog* wizard = Wizard(*mWindow);
        QVERIFY(wizard);
        addLevelByPointing(wizard, Heading{chapters.at(0), 1, 1}, QStringLiteral("^\\d+ "), false);
        QVERIFY(Click(wizard, "page3FinishButton"));
        QTRY_VERIFY(mWindow->actionRunner()->hasSettings());
        QSignalSpy finished(mWindow.get(), &DesktopWindow::runFinished);
        action("actionRun")->trigger();
        QVERIFY(finished.wait(60000));
        QCOMPARE(mWindow->outlinePanel()->text(), chapters.join('\n') + '\n');

        // Reopened, the document comes with its settings; the wizard opens
        // loaded with its level and still takes text from the page.
        mWindow = std::make_unique<DesktopWindow>(PluginPath());
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
        QVERIFY(mWindow->openFile(pdf));
        QVERIFY(action("actionRun")->isEnabled());
        double picked = 0;
        QSignalSpy selected(mWindow->previewWindow(), &PreviewWindow::lineSelected);
        WhenModal("CPrefsDialog", [&](QWidget* loaded) {
            QCOMPARE(Child<QTableWidget>(loaded, "page3LevelTableWidget")->rowCount(), 1);
            QVERIFY(Child<QTableWidget>(loaded, "page3LevelTableWidget")->item(0, 1)->text().contains("size 14.35 ± 0"));
            Click(loaded, "page3AddButton");
            QTRY_VERIFY(mWindow->previewWindow()->pageView()->isPicking());
            PointAt(*mWindow, 2, LineOf(*mWindow, 2, chapters.at(1)), false);
            QTRY_COMPARE(selected.count(), 1);
            picked = Child<QDoubleSpinBox>(loaded, "fontSizeDoubleSpinBox")->value();
            // Cancel of the editor ends picking as OK does.
            Click(loaded, "page4CancelButton");
            QTRY_VERIFY(!mWindow->previewWindow()->pageView()->isPicking());
            Click(loaded, "page3CloseButton");
        });
        action("actionEditSettings")->trigger();
        QCOMPARE(picked, 14.35);
        // Closed, it leaves the settings as they were and opens again.
        QCOMPARE(mWindow->actionRunner()->settings().value("LevelCount").toInt(), 1);
        QVERIFY(action("actionEditSettings")->isEnabled());
    }

    void passwordIsAskedForUntilRightOrCancelled()
    {
        const QString qpdf = QStandardPaths::findExecutable("qpdf");
        if (qpdf.isEmpty())
            QSKIP("qpdf is not installed.");
        const QString locked = mDir.filePath("locked.pdf");
        QCOMPARE(QProcess::execute(qpdf, {"--encrypt", "secret", "owner", "256", "--", mSample, locked}), 0);
        // A wrong password, the message, then the user gives up.
        QString said;
        AnswerPassword("guess", [&] {
            AnswerMessage(said);
            AnswerPassword(QString());
        });
        QVERIFY(!mWindow->openFile(locked));
        QVERIFY2(said.contains("wrong"), qPrintable(said));
        QVERIFY(!mWindow->document());
        AnswerPassword("secret");
        QVERIFY(mWindow->openFile(locked));
        // The renderer's own instance opened it with the same password.
        QTRY_VERIFY(mWindow->previewWindow()->pageView()->isRendered(1));
    }

    void thousandPagesRenderOnlyWhatIsShown()
    {
        const QString big = mDir.filePath("thousand.pdf");
        SamplePdf pdf;
        pdf.ensurePages(1000);
        QVERIFY(pdf.write(big));
        QVERIFY(mWindow->openFile(big));
        PageView* view = mWindow->previewWindow()->pageView();
        QTRY_COMPARE(view->pageCount(), 1000);
        // "of 1000..." while the sizes are read, then the count for good.
        QTRY_COMPARE(mWindow->findChild<QLabel*>("pageCount")->text(), QStringLiteral(" of 1000 "));
        QSignalSpy rendered(mWindow->previewWindow()->findChild<BackgroundPageRenderer*>(), &BackgroundPageRenderer::pageRendered);
        for (int page = 1; page <= 1000; page += 37) {
            view->goToPage(page);
            QApplication::processEvents();
        }
        view->goToPage(1000);
        QTRY_VERIFY(view->isRendered(1000));
        QVERIFY2(rendered.count() < 150, qPrintable(QString::number(rendered.count())));
    }

private:
    QAction* action(const char* name) const { return mWindow->findChild<QAction*>(QLatin1String(name)); }
    void addLevelByPointing(QDialog* wizard, const Heading& heading, const QString& mask, bool drag)
    {
        QVERIFY(Click(wizard, "page3AddButton"));
        QTRY_COMPARE(mWindow->previewWindow()->activeTool(), wizard);
        QVERIFY(mWindow->previewWindow()->pageView()->isPicking());
        // Colour too, and a mask to keep out other text of the same style.
        Child<QAbstractButton>(wizard, "fontColorCheckBox")->setChecked(true);
        Child<QAbstractButton>(wizard, "textMaskCheckBox")->setChecked(true);
        Child<QLineEdit>(wizard, "maskLineEdit")->setText(mask);

        QSignalSpy selected(mWindow->previewWindow(), &PreviewWindow::lineSelected);
        const TextLine line = LineOf(*mWindow, heading.page, heading.title);
        PointAt(*mWindow, heading.page, line, drag);
        QTRY_COMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toInt(), heading.page);
        QCOMPARE(selected.at(0).at(1).value<TextLine>().text, line.text);
        // The editor holds what the line is set in: nobody typed a font name.
        QCOMPARE(Child<QComboBox>(wizard, "fontNameComboBox")->currentText(), line.fontName);
        QCOMPARE(Child<QDoubleSpinBox>(wizard, "fontSizeDoubleSpinBox")->value(), line.size);
        QVERIFY(Click(wizard, "page4OkButton"));
        QTRY_VERIFY(!mWindow->previewWindow()->activeTool());
        QVERIFY(!mWindow->previewWindow()->pageView()->isPicking());
    }

    QTemporaryDir mDir;
    QString mSample;
    QList<Heading> mHeadings;
    std::unique_ptr<DesktopWindow> mWindow;
};

int main(int argc, char* argv[])
{
    // Recent files and the wizard's remembered places go to a throw-away home.
    QTemporaryDir home;
    UseHome(home.path());
    QApplication app(argc, argv);
    TestDesktopWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopwindow.moc"
