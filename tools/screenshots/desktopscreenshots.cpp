// Screenshots of the desktop host for the README, made under Xvfb, on a real
// manual when one is given (else on the sample manual): a chapter heading
// picked with the wizard beside the page, the outline after the run, the
// kept settings reopened, and the message of a run that matched nothing.
//   vantora_desktop_screenshots OUTPUT-FOLDER [MANUAL.pdf PAGE HEADING]
#include "desktoptesting.h"

#include "actionrunner.h"
#include "outlinepanel.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QScreen>

namespace {

bool Save(const QString& path)
{
    QApplication::processEvents();
    QTest::qWait(600);
    return QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

bool Run(DesktopWindow& window)
{
    QSignalSpy finished(&window, &DesktopWindow::runFinished);
    window.runAction();
    return finished.wait(120000);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 5) {
        qWarning("usage: vantora_desktop_screenshots OUTPUT-FOLDER [MANUAL.pdf PAGE HEADING]");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir work;
    QString manual = QDir(work.path()).filePath("samplemanual.pdf");
    Heading chapter;
    if (argc == 5) {
        manual = QString::fromLocal8Bit(argv[2]);
        chapter = Heading{QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[3]).toInt(), 1};
    } else {
        QList<Heading> headings;
        if (!MakeSampleManual(manual, headings))
            return 1;
        chapter = headings.at(0);
    }

    DesktopWindow window(PluginPath());
    window.setGeometry(0, 0, 1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !window.openFile(manual))
        return 1;
    window.previewWindow()->pageView()->setZoom(1.0);
    PageView* view = window.previewWindow()->pageView();
    if (!QTest::qWaitFor([view, &chapter] { return view->pageCount() >= chapter.page; }, 30000))
        return 1;

    window.editSettings();
    QDialog* wizard = Wizard(window);
    if (!wizard)
        return 1;
    wizard->move(1272 - wizard->frameGeometry().width(), 170);
    Click(wizard, "page3AddButton");
    PointAt(window, chapter.page, LineOf(window, chapter.page, chapter.title), false);
    QTest::qWait(300);
    if (!Save(out.filePath("desktop-pick-heading.png")))
        return 1;
    Click(wizard, "page4OkButton");
    Click(wizard, "page3FinishButton");
    QTest::qWait(200);

    // The manual's own bookmarks go: the question is answered once for all.
    WhenModal("QMessageBox", [](QWidget* box) {
        static_cast<QMessageBox*>(box)->checkBox()->setChecked(true);
        static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    if (!Run(window))
        return 1;
    window.previewWindow()->pageView()->goToPage(chapter.page);
    window.outlinePanel()->setCurrentItem(window.outlinePanel()->topLevelItem(0));
    if (!Save(out.filePath("desktop-outline-after-run.png")))
        return 1;

    bool saved = false;
    WhenModal("CPrefsDialog", [&](QWidget* reopened) {
        reopened->move(1272 - reopened->frameGeometry().width(), 170);
        saved = Save(out.filePath("desktop-settings-reopened.png"));
        // On a real display too, the page still takes clicks.
        QSignalSpy picked(window.previewWindow(), &PreviewWindow::lineSelected);
        Click(reopened, "page3AddButton");
        saved = saved && QTest::qWaitFor([&] { return window.previewWindow()->pageView()->isPicking(); });
        PointAt(window, chapter.page, LineOf(window, chapter.page, chapter.title), false);
        saved = saved && QTest::qWaitFor([&] { return picked.count() == 1; });
        Click(reopened, "page4CancelButton");
        Click(reopened, "page3CloseButton");
    });
    window.editSettings();
    if (!saved)
        return 1;

    window.undoRun();
    window.actionRunner()->setSettings(
        {{"LevelCount", 1}, {"FontSizeCheck1", true}, {"FontSizeValue1", 14.0}, {"FontSizeTolerance1", 0.0}});
    if (!Run(window))
        return 1;
    return Save(out.filePath("desktop-nothing-matched.png")) ? 0 : 1;
}
