// Opens the Build Bookmarks wizard through the plug-in, as the host does, in
// a real window; defines two levels and saves pictures of the level
// definitions page and of the level editor:
//   vantora_sample_wizard <plug-in> <levels.png> <editor.png>

#include "actioninterface.h"
#include "actionrecords.h"
#include "wizardtesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPluginLoader>
#include <QScreen>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>

namespace {

struct SampleLevel
{
    QString font;
    double size;
    int colorRow;
    double indentMm; // 0: no indentation criterion
    QString mask;
};

void Define(QWidget* d, const SampleLevel& level)
{
    Click(d, "page3AddButton");
    Child<QAbstractButton>(d, "fontNameCheckBox")->setChecked(true);
    // A listed font, so that "Edit Level" finds it again.
    auto* fonts = Child<QComboBox>(d, "fontNameComboBox");
    const int listed = fonts->findText(level.font, Qt::MatchStartsWith);
    if (listed >= 0)
        fonts->setCurrentIndex(listed);
    else
        fonts->setEditText(level.font);
    Child<QAbstractButton>(d, "FontSizeCheckBox")->setChecked(true);
    Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->setValue(level.size);
    Child<QDoubleSpinBox>(d, "fontToleranceDoubleSpinBox")->setValue(0.5);
    Child<QAbstractButton>(d, "fontColorCheckBox")->setChecked(true);
    Child<QComboBox>(d, "fontColorComboBox")->setCurrentIndex(level.colorRow);
    Child<QAbstractButton>(d, "leftIndentationCheckBox")->setChecked(level.indentMm > 0);
    Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(0);
    Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox")->setValue(level.indentMm);
    Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox")->setValue(level.indentMm > 0 ? 2 : 0);
    Child<QAbstractButton>(d, "textMaskCheckBox")->setChecked(true);
    Child<QLineEdit>(d, "maskLineEdit")->setText(level.mask);
    Click(d, "page4OkButton");
}

// The window as the screen shows it, with a few pixels around it.
bool Save(QWidget* d, const QString& path)
{
    const QRect area = d->frameGeometry().adjusted(-8, -8, 8, 8);
    const QPixmap shot = d->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(path);
}

// Runs each step a moment after the previous one, so the window is drawn.
void Then(int delay, std::function<void()> step)
{
    QTimer::singleShot(delay, qApp, std::move(step));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        QTextStream(stderr) << "usage: vantora_sample_wizard <plug-in> <levels.png> <editor.png>\n";
        return 2;
    }
    QPluginLoader loader(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    auto* action = qobject_cast<CActionInterface*>(loader.instance());
    if (!action) {
        QTextStream(stderr) << loader.errorString() << "\n";
        return 1;
    }
    const QString levelsPicture = QString::fromLocal8Bit(argv[2]);
    const QString editorPicture = QString::fromLocal8Bit(argv[3]);

    int saved = 0;
    Then(800, [&] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d)
            return;
        Define(d, {"DejaVu Sans", 20, 8, 0, "^\\d+ "});
        Define(d, {"DejaVu Sans", 14, 3, 20, "^\\d+\\.\\d+ "});
        auto* table = Child<QTableWidget>(d, "page3LevelTableWidget");
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(1, 0)).center());
        Then(800, [&, d] {
            saved += Save(d, levelsPicture);
            Click(d, "page3EditButton");
            Then(800, [&, d] {
                saved += Save(d, editorPicture);
                Click(d, "page4CancelButton");
                Click(d, "page3CloseButton");
            });
        });
    });

    ActionPrefs prefs;
    DialogLoadStruct load = {};
    load.Prefs = &prefs;
    action->ShowDialogProc(nullptr, &load);
    return saved == 2 ? 0 : 1;
}
