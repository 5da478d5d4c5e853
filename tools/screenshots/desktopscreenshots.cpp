// Screenshots of the desktop host for the README, made under Xvfb: the
// preview with the wizard beside it while a heading is picked, and the
// outline after a run.
//   vantora_desktop_screenshots OUTPUT-FOLDER
#include "desktoptesting.h"

#include "actionrunner.h"
#include "outlinepanel.h"

#include <QLineEdit>
#include <QScreen>

namespace {

bool Save(const QString& path)
{
    QApplication::processEvents();
    QTest::qWait(600);
    return QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: vantora_desktop_screenshots OUTPUT-FOLDER");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir work;
    const QString sample = QDir(work.path()).filePath("samplemanual.pdf");
    QList<Heading> headings;
    if (!MakeSampleManual(sample, headings))
        return 1;

    DesktopWindow window(PluginPath());
    window.setGeometry(0, 0, 1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !window.openFile(sample))
        return 1;
    window.previewWindow()->pageView()->setZoom(1.0);

    window.editSettings();
    QDialog* wizard = Wizard(window);
    if (!wizard)
        return 1;
    wizard->move(690, 170);
    Click(wizard, "page3AddButton");
    Child<QAbstractButton>(wizard, "fontColorCheckBox")->setChecked(true);
    Child<QAbstractButton>(wizard, "textMaskCheckBox")->setChecked(true);
    Child<QLineEdit>(wizard, "maskLineEdit")->setText("^\\d+ ");
    const Heading chapter = headings.at(0);
    PointAt(window, chapter.page, LineOf(window, chapter.page, chapter.title), true);
    QTest::qWait(300);
    if (!Save(out.filePath("desktop-pick-heading.png")))
        return 1;

    Click(wizard, "page4OkButton");
    Click(wizard, "page3AddButton");
    Child<QLineEdit>(wizard, "maskLineEdit")->setText("^\\d+\\.\\d+ ");
    const Heading section = headings.at(1);
    PointAt(window, section.page, LineOf(window, section.page, section.title), false);
    QTest::qWait(300);
    Click(wizard, "page4OkButton");
    Click(wizard, "page3FinishButton");
    QTest::qWait(200);

    QSignalSpy finished(&window, &DesktopWindow::runFinished);
    window.runAction();
    if (!finished.wait(60000))
        return 1;
    window.previewWindow()->pageView()->goToPage(headings.at(1).page);
    window.outlinePanel()->setCurrentItem(window.outlinePanel()->topLevelItem(0)->child(0));
    return Save(out.filePath("desktop-outline-after-run.png")) ? 0 : 1;
}
